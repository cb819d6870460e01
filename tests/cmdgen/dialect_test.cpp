// The device dialect end to end: the bundled syntax file and configurations written for it,
// parsed, checked, generated and round-tripped, and the dialect handlers on their own.
#include <quillset/cmdgen.h>

#include "record_layout.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using quillset::test::Layout;
using quillset::test::ReadFile;
using quillset::test::TempFile;

std::string const kExamples = QUILLSET_EXAMPLES_DIR;

// The lines of a text that carry something: a lone "!" carries nothing in the dialect.
std::vector<std::string> MeaningfulLines(std::string const& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" !") != std::string::npos)
            lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

class Dialect : public testing::Test {
protected:
    Dialect() : gen(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 64) { SetZynMode(&gen); }

    std::string Generate(CDbObject const& db)
    {
        CString text;
        EXPECT_EQ(gen.GenerateCommand(db, text), 0);
        return static_cast<char const*>(text);
    }

    std::string ParseAndGenerate(std::string const& config, CDbObject& db)
    {
        EXPECT_EQ(gen.ParseCommand(config.c_str(), db), 0);
        return Generate(db);
    }

    CCmdGen gen;
};

TEST_F(Dialect, BundledExampleParsesIntoTheExpectedRecords)
{
    ASSERT_TRUE(gen.IsValid());
    CDbObject db;
    ASSERT_EQ(gen.ParseCommandFile((kExamples + "/router.cfg").c_str(), db), 0);
    EXPECT_EQ(Layout(*db.Select("_UNKNOWN", nullptr, 0)), "_UNKNOWN|_Text=cns trusted-server all-agents 192.0.2.10");
    EXPECT_EQ(Layout(*db.Select("Hostname", 0)), "Hostname|name=edge-router");
    CDbEntry* uplink = db.Select("Interface", "name", "FastEthernet0/0", nullptr);
    ASSERT_NE(uplink, nullptr);
    EXPECT_EQ(Layout(*db.Select("Description", uplink, 0)), "Description|text=uplink, to the provider");
    EXPECT_EQ(Layout(*db.Select("Duplex", uplink, 0)), "Duplex|mode=2");
    EXPECT_EQ(Layout(*db.Select("IpProxyArp", uplink, 0)), "IpProxyArp|negated=1");
    EXPECT_EQ(Layout(*db.Select("_UNKNOWN", uplink, 0)), "_UNKNOWN|_Text= ip ddns update hostname edge-router.example.net");
    CDbEntry* lan = db.Select("Interface", 2);
    EXPECT_EQ(Layout(*db.Select("IpAddress", lan, 1)),
              "IpAddress|address=192.168.2.1|mask=255.255.255.0|secondary=1");
    EXPECT_EQ(Layout(*db.Select("Shutdown", lan, 0)), "Shutdown|negated=1");
    EXPECT_EQ(db.SelectCount("AccessListEntry", db.Select("IpAccessList", 0)), 4);
    EXPECT_EQ(Layout(*db.Select("Banner", 0)),
              "Banner|kind=0|text=^C\nAuthorised access only.\nAll sessions are logged.\n^C");
    EXPECT_EQ(Layout(*db.Select("Aaa", 0)), "Aaa|kind=0");
}

TEST_F(Dialect, BundledExampleGeneratesTheExpectedTextAndRoundTrips)
{
    CDbObject db;
    std::string const config = ReadFile(kExamples + "/router.cfg");
    std::string const text = ParseAndGenerate(config, db);
    EXPECT_EQ(text, ReadFile(QUILLSET_TEST_DATA_DIR "/router.expected.cfg"));
    EXPECT_EQ(MeaningfulLines(text), MeaningfulLines(config));  // every line comes back

    CDbObject again;  // the generated text parses into the same records and text
    EXPECT_EQ(ParseAndGenerate(text, again), text);
    EXPECT_EQ(again.GetEntryCount(), db.GetEntryCount());

    TempFile delimited("");  // and so does the store saved and loaded as a delimited file
    ASSERT_EQ(gen.GenerateDelimitedFile(db, delimited.Path()), 0);
    CString fromFile;
    ASSERT_EQ(gen.GenerateCommand(delimited.Path(), fromFile), 0);
    EXPECT_EQ(std::string(fromFile), text);
}

TEST_F(Dialect, UnmatchedLinesArePlacedByIndentation)
{
    CDbObject db;
    std::string const text = ParseAndGenerate("interface e0\n odd one\n description d\n odd two\n"
                                              "      deeper\nstray\n   after stray\nhostname h\n",
                                              db);
    CDbEntry* interface = db.Select("Interface", 0);
    EXPECT_EQ(db.SelectCount("_UNKNOWN", interface), 3);
    EXPECT_EQ(db.Select("_UNKNOWN", nullptr, 1)->Get("_Text"), "   after stray");
    EXPECT_EQ(text, "hostname h\ninterface e0\n description d\n odd one\n odd two\n      deeper\n"
                    "stray\n   after stray\n");
}

TEST_F(Dialect, BadInputNeverLosesAParseableLine)
{
    std::string const longLine(100000, 'x');
    std::string nul("hostname a\0b\n", 13);
    struct Case {
        std::string config;
        int hostnames;
    };
    Case const cases[] = {
        {"", 0},
        {"\x01\xFF\xFE binary\nhostname h\n", 1},
        {nul, 1},
        {"hostname crlf\r\ninterface e0\r\n shutdown\r\n!\r\n", 1},
        {"hostname h\nbanner motd ^C\nnever closed\nhostname lost\n", 1},
        {longLine + "\nhostname h\n " + longLine + "\n", 1},
        {"interface e0\n     deep\n  shutdown\n description d\nhostname h\n", 1},
    };
    for (Case const& c : cases) {
        TempFile config(c.config);
        CDbObject db;
        EXPECT_EQ(gen.ParseCommandFile(config.Path(), db), 0);
        EXPECT_EQ(db.SelectCount("Hostname", nullptr), c.hostnames) << c.config.substr(0, 40);
        Generate(db);
    }
    CDbObject db;
    EXPECT_EQ(gen.ParseCommandFile((kExamples + "/missing.cfg").c_str(), db), 4);
}

TEST(DialectHandlers, ExclamationLinesAndBanners)
{
    struct Case {
        char const* command;
        bool complete;
        char const* after;
    };
    Case const cases[] = {
        {"!\n", true, ""},
        {"  ! \t\n", true, ""},
        {"! note\n", true, "! note\n"},
        {"banner motd ^C hello ^C\n", true, nullptr},
        {"banner login ^C\n", false, nullptr},
        {"banner login ^C\nline\n^C\n", true, nullptr},
        {"banner exec ^Cx\n", false, nullptr},
        {"banner incoming ^C\nx^C\n", true, nullptr},
        {"banner ^C\ntext\n^C\r\n", true, nullptr},
        {"banner other ^C\n", true, nullptr},
        {"banner motd hello\n", true, nullptr},
    };
    for (Case const& c : cases) {
        CString command(c.command);
        EXPECT_EQ(DialectLineHandler(command), c.complete) << c.command;
        EXPECT_EQ(command, c.after ? c.after : c.command);
    }
}

}  // namespace

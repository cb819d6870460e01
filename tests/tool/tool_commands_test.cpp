// The subcommands through the built executable: exact outputs on a small syntax written to
// the test's folder, and the files they write.
#include "tool_runner.h"

#include <nlohmann/json.hpp>

#include <regex>

namespace {

using quillset::test::kToolSyntax;
using quillset::test::ToolResult;

class ToolCommands : public quillset::test::SmallSyntaxToolTest {
protected:
    ToolCommands()
        : SmallSyntaxToolTest({{"r.cfg", "interface B\n speed 10\n mtu 9\n!\nhostname r1\ninterface A\n description up link\n"}})
    {
    }
};

TEST_F(ToolCommands, ParseWritesTheRecordTreeAsJsonInReadingOrder)
{
    ToolResult const result = Run({"parse", "-s", "s.syntax", "r.cfg", "--format", "json"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    auto const json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["source"], "r.cfg");
    EXPECT_EQ(json["records"].dump(),
              R"([{"fields":{"name":"r1"},"name":"Host"},)"
              R"({"children":[{"fields":{"mbps":"10"},"name":"Speed"},{"fields":{"_Text":" mtu 9"},"name":"_UNKNOWN"}],)"
              R"("fields":{"name":"B"},"name":"Iface"},)"
              R"({"children":[{"fields":{"text":"up link"},"name":"Desc"}],"fields":{"name":"A"},"name":"Iface"}])");
    // The document keeps the order of keys and fields as written: name, fields, children.
    EXPECT_LT(result.out.find("\"name\": \"Host\""), result.out.find("\"fields\""));
}

TEST_F(ToolCommands, GenerateReadsDelimitedAndJsonStoresAlike)
{
    std::string const expected = "hostname r1\ninterface B\n speed 10\n mtu 9\ninterface A\n description up link\n";
    for (char const* format : {"delimited", "json"}) {
        ASSERT_EQ(Run({"parse", "-s", "s.syntax", "r.cfg", "--format", format, "-o", "store"}).status, 0);
        ToolResult const result = Run({"generate", "-s", "s.syntax", "store"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, expected) << format;
    }
}

TEST_F(ToolCommands, GenerateTakesHandWrittenJsonWherePositionGivesTheParent)
{
    Write("hand.json", R"([{"name": "Iface", "fields": {"name": "C"},
                            "children": [{"name": "Speed", "fields": {"mbps": 100}},
                                         {"name": "Desc", "fields": {"text": "by hand"}}]},
                           {"name": "Host", "fields": {"name": "h"}, "header": "! made by hand"}])");
    ToolResult const result = Run({"generate", "-s", "s.syntax", "hand.json", "-o", "out.cfg"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Read("out.cfg"), "! made by hand\nhostname h\ninterface C\n description by hand\n speed 100\n");
}

TEST_F(ToolCommands, ParseSeveralInputsAsJsonLinesOrIntoAFolder)
{
    Write("second.cfg", "hostname two\n");
    ToolResult const lines = Run({"parse", "-s", "s.syntax", "r.cfg", "second.cfg", "--format", "jsonl"});
    EXPECT_EQ(lines.status, 0) << lines.err;
    ASSERT_EQ(std::count(lines.out.begin(), lines.out.end(), '\n'), 2);
    EXPECT_EQ(nlohmann::json::parse(lines.out.substr(lines.out.find('\n') + 1))["source"], "second.cfg");

    ToolResult const folder = Run({"parse", "-s", "s.syntax", "r.cfg", "second.cfg", "-o", "stores/"});
    EXPECT_EQ(folder.status, 0) << folder.err;
    EXPECT_EQ(Read("stores/second.store"), "Host,name=two\n");
    EXPECT_NE(Read("stores/r.store"), "");
}

TEST_F(ToolCommands, QueryPrintsMatchingRecords)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string out;
    };
    Case const cases[] = {
        {{"Iface"}, "Iface,name=B\nIface,name=A\n"},
        {{"Iface", "name=A"}, "Iface,name=A\n"},
        {{"Speed", "--under", "Iface:name=B"}, "Speed,mbps=10\n"},
        {{"Speed", "--under", "Iface:name=A"}, ""},
        {{"Iface", "name=A", "--format", "json"},
         R"({"source":"r.cfg","records":[{"name":"Iface","fields":{"name":"A"},)"
         R"("children":[{"name":"Desc","fields":{"text":"up link"}}]}]})"},
    };
    for (Case const& c : cases) {
        std::vector<std::string> arguments{"query", "-s", "s.syntax", "r.cfg"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        ToolResult const result = Run(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        bool const json = c.out.rfind("{", 0) == 0;
        EXPECT_EQ(json ? nlohmann::ordered_json::parse(result.out).dump() : result.out, c.out);
    }
}

TEST_F(ToolCommands, SetChangesOrCreatesAndWritesBack)
{
    ToolResult changed = Run({"set", "-s", "s.syntax", "r.cfg", "Speed", "--under", "Iface:name=B", "--to", "mbps=100"});
    EXPECT_EQ(changed.status, 0) << changed.err;
    EXPECT_EQ(changed.out, "hostname r1\ninterface B\n speed 100\n mtu 9\ninterface A\n description up link\n");

    ToolResult const missing = Run({"set", "-s", "s.syntax", "r.cfg", "Speed", "--under", "Iface:name=A", "--to", "mbps=1"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "quillset: r.cfg: no Speed record matches (use --create to add one)\n");

    ToolResult const created = Run({"set", "-s", "s.syntax", "r.cfg", "Speed", "--under", "Iface:name=A", "--to",
                                    "mbps=1", "--create", "-o", "r.cfg"});
    EXPECT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.out, "");
    EXPECT_EQ(Read("r.cfg"), "hostname r1\ninterface B\n speed 10\n mtu 9\ninterface A\n description up link\n speed 1\n");
}

TEST_F(ToolCommands, RoundTripReportsCountsAndLostLines)
{
    Write("nogen.syntax", std::string(kToolSyntax) + "$define NoGen\nClock,,clock %v\n$undef NoGen\n");
    Write("c.cfg", "hostname h\nclock 5\ninterface A\n odd\n");
    ToolResult const ok = Run({"roundtrip", "-s", "s.syntax", "r.cfg"});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_TRUE(std::regex_match(ok.out, std::regex("r\\.cfg: 7 lines, 6 commands \\(5 matched, 1 unknown lines\\), "
                                                    "6 records, parse [0-9.]+ ms, generate [0-9.]+ ms, 0 lines lost, "
                                                    "reparses equal\n")))
        << ok.out;

    ToolResult const lost = Run({"roundtrip", "-s", "nogen.syntax", "r.cfg", "c.cfg", "--format", "json"});
    EXPECT_EQ(lost.status, 1);
    auto const reports = nlohmann::json::parse(lost.out);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0]["kept"], true);
    EXPECT_EQ(reports[1]["lost"].dump(), R"([{"line":2,"text":"clock 5"}])");
    EXPECT_EQ(reports[1]["reparses_equal"], false);

    ToolResult const both = Run({"roundtrip", "-s", "nogen.syntax", "r.cfg", "c.cfg"});
    EXPECT_EQ(both.status, 1);
    EXPECT_EQ(both.out.substr(both.out.rfind("total:")),
              "total: 2 files, 11 lines, 10 commands, 80.0% matched, 1 lines lost, 1 of 2 files kept and reparse "
              "equal\n")
        << both.out;
}

TEST_F(ToolCommands, CheckExitsByWhatItFound)
{
    Write("clean.syntax", "A,,a\nB,A, b\n_UNKNOWN,A,%{*_Text}\n");
    Write("warn.syntax", "A,,a\nB,A, b\n");
    Write("bad.syntax", "A,,a [\n");
    EXPECT_EQ(Run({"check", "-s", "clean.syntax"}).status, 0);
    ToolResult const warned = Run({"check", "-s", "warn.syntax"});
    EXPECT_EQ(warned.status, 3);
    EXPECT_EQ(warned.err.rfind("quillset: warn.syntax:1: warning: 'A' has sub-commands but no _UNKNOWN", 0), 0u)
        << warned.err;
    ToolResult const failed = Run({"check", "-s", "bad.syntax"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("Error on line 1"), std::string::npos) << failed.err;
}

TEST_F(ToolCommands, HelpShowsAnExampleForEverySubcommand)
{
    for (char const* command : {"parse", "generate", "query", "set", "roundtrip", "check"}) {
        ToolResult const help = Run({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find("Example:\n  quillset " + std::string(command)), std::string::npos) << help.out;
    }
    ToolResult const version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quillset ", 0), 0u);
}

TEST_F(ToolCommands, BareToolRunsTheDemoOnTheBundledFiles)
{
    ToolResult const demo = Run({});
    EXPECT_EQ(demo.status, 0) << demo.err;
    EXPECT_EQ(demo.out.rfind("quillset demo: ", 0), 0u);
    EXPECT_NE(demo.out.find("Records per command:"), std::string::npos);
}

}  // namespace

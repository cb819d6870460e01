// The tool's dialect handling over random configurations built from the shapes that move
// lines in the library's dialect: parse(generate(parse(x))) must equal parse(x), and with
// row packing off no line may be lost.
#include "toolkit_fixture.h"

#include "toolkit/failure.h"
#include "toolkit/record_tree.h"
#include "toolkit/round_trip.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace quillset::toolkit;
using quillset::test::TempFile;

// Known and unknown commands, in the first column and indented, blank and "!" lines.
char const* const kLines[] = {
    "hostname r1",     "interface A",   "interface B",      " description to core", " speed 10",
    " shutdown",       " no shutdown",  "line vty 0",       " exec-timeout 5 0",    "foo",
    "bar baz",         " odd sub",      "  deeper odd",     "",                     "   ",
    "!",               " !",            "! remark",         "banner motd ^C",       "text of a banner",
    "^C",              "\tspeed 7",     "hostname r2",      " exec-timeout 1 2",    "interface A",
    "interface C\r",   " speed 3\r",    "\t odd tab",        "banner motd ^C hi ^C", "!\r",
    // Addresses the address type reads but cannot write back.
    " ip address 10.0.0.1 255.0.0.0", " ip address 1.2.3. 4", " ip address 1.2.3.00000000004",
    "ip route 0.0.0. 00.0.0.0 x",      "ip route 1.2.3.4 5.6.7.8 x",   "ip route 1.2.3.+4 5.6.7.8 x",
    // The byte that keeps such lines unmatched, in lines of the configuration's own.
    "\x1fhostname x",                  " \x1fspeed 5",
};

std::string RandomConfiguration(std::mt19937& random)
{
    std::uniform_int_distribution<int> length(1, 25);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLines) - 1);
    std::string text;
    for (int n = length(random); n > 0; --n)
        text += std::string(kLines[pick(random)]) + "\n";
    return text;
}

void ExpectStableRoundTrips(bool packing)
{
    TempFile const syntax(quillset::test::kSmallSyntax);
    Converter converter(quillset::test::SmallOptions(syntax, packing));
    std::mt19937 random(packing ? 7 : 11);
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string const text = RandomConfiguration(random);
        try {
            RoundTripReport const report = RunRoundTrip(converter, text, "random");
            ASSERT_TRUE(report.reparsesEqual) << text;
            if (!packing) {
                ASSERT_TRUE(report.lost.empty()) << text << "lost: " << report.lost.front().text;
            }
        } catch (Failure const& failure) {
            // Only an unclosed banner may refuse a text.
            ASSERT_NE(std::string(failure.what()).find("banner"), std::string::npos) << text;
        }
    }
}

TEST(DialectProperty, RoundTripReparsesEqualWithPacking) { ExpectStableRoundTrips(true); }

TEST(DialectProperty, RoundTripKeepsEveryLineWithoutPacking) { ExpectStableRoundTrips(false); }

TEST(DialectProperty, HandledShapesComeBackWhereTheyWere)
{
    TempFile const syntax(quillset::test::kSmallSyntax);
    Converter converter(quillset::test::SmallOptions(syntax));
    struct Case {
        char const* input;
        char const* generated;
    };
    Case const cases[] = {
        // An unmatched first-column line leaves the mode and keeps its indented lines.
        {"interface A\n speed 10\nfoo\n shutdown\ninterface B\n",
         "interface A\n speed 10\ninterface B\nfoo\n shutdown\n"},
        // Indented lines before any command go before the first record written.
        {" exec-timeout 5 0\nline vty 0\nhostname h\n", " exec-timeout 5 0\nhostname h\nline vty 0\n"},
        // Under a command without sub-commands, an indented line stays right after it.
        {"hostname h\n odd\ninterface A\n", "hostname h\n odd\ninterface A\n"},
        // An address the address type reads but cannot write back leaves its line unmatched.
        {"interface A\n ip address 1.2.3. 4\nip route 0.0.0. 00.0.0.0 x\nip route 1.2.3.4 5.6.7.8 x\n",
         "interface A\n ip address 1.2.3. 4\nip route 1.2.3.4 5.6.7.8 x\nip route 0.0.0. 00.0.0.0 x\n"},
        // Lines of blanks carry nothing; the last line needs no line feed.
        {"  \n\nhostname h\n \t\ninterface A", "hostname h\ninterface A\n"},
    };
    for (Case const& c : cases) {
        CDbObject db;
        converter.Parse(c.input, db, "case");
        EXPECT_EQ(converter.Generate(db, "case"), c.generated) << c.input;
    }
}

TEST(DialectProperty, IndentationChoosesTheModeAmongNestedOnes)
{
    TempFile const syntax("Outer,,archive\n"
                          "Inner,Outer, log config\n"
                          "_UNKNOWN,Inner,%{*_Text}\n"
                          "Deep,Inner,  hidekeys\n");
    Converter converter(quillset::test::SmallOptions(syntax));
    // Indented once, the line belongs to "archive", not to the deeper "log config" before it
    // (joining "log config" would write it before "hidekeys", where it would join "archive");
    // after it, "log config" is left, so the line indented twice joins "archive" too.
    std::string const text = "archive\n log config\n  hidekeys\n action x\n  deeper y\n";
    CDbObject db;
    converter.Parse(text, db, "nested");
    EXPECT_EQ(quillset::test::Outline(BuildTree(db, converter.Syntaxes())),
              "Outer()[Inner()[Deep() ] _UNKNOWN(_Text= action x) _UNKNOWN(_Text=  deeper y) ] ");
    std::string const generated = converter.Generate(db, "nested");
    EXPECT_EQ(generated, text);
    CDbObject reparsed;
    converter.Parse(generated, reparsed, "nested");
    EXPECT_TRUE(SameRecords(db, reparsed, converter.Syntaxes()));
}

TEST(DialectProperty, UnclosedBannerIsAFailureNamingItsLine)
{
    TempFile const syntax(quillset::test::kSmallSyntax);
    Converter converter(quillset::test::SmallOptions(syntax));
    CDbObject db;
    try {
        converter.Parse("hostname h\n!\nbanner motd ^C\nwelcome\n", db, "r.cfg");
        FAIL() << "an unclosed banner was accepted";
    } catch (Failure const& failure) {
        EXPECT_EQ(failure.Describe(), "r.cfg:3: banner never closed: no later line ends with ^C");
    }
    EXPECT_EQ(db.GetEntryCount(), 0);
}

}  // namespace

TEST(DialectProperty, UnwritableLineIsRefusedWhenItCannotBeKeptAsText)
{
    // A definition that matches any text takes the line once its address no longer matches.
    TempFile const syntax("Route,,ip route %prefix:ip %mask:ip %next\nAny,,%*text\n");
    Converter converter(quillset::test::SmallOptions(syntax));
    CDbObject db;
    try {
        converter.Parse("ip route 1.2.3.4 5.6.7.8 x\nip route 0.0.0. 00.0.0.0 x\n", db, "caught");
        FAIL() << "parsed";
    } catch (Failure const& failure) {
        EXPECT_EQ(failure.Describe(), "caught:2: the syntax cannot write this line back: ip route 0.0.0. 00.0.0.0 x");
    }
}

TEST(DialectProperty, LeadingIndentedLinesAreKeptWhateverFollowsThem)
{
    // A top-level definition for unmatched lines makes their own record the first written.
    TempFile const syntax("_UNKNOWN,,%{*_Text}\nHost,,hostname %name\nIface,,interface %name\n"
                          "Desc,Iface, description %*text\n");
    Converter converter(quillset::test::SmallOptions(syntax));
    for (char const* text : {" description x\n", " description", " odd\n  odder\nfoo\n", " odd\nhostname h\n"}) {
        RoundTripReport const report = RunRoundTrip(converter, text, "leading");
        EXPECT_TRUE(report.Kept()) << text;
    }
}

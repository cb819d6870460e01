// The syntax-file grammar: the chains it builds, the command flags, error messages and
// recovery, bad files, the nesting limits and the state it leaves for the next file.
#include "syntax_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace quillset::test;

TEST(SyntaxGrammar, CompilesTheWorkedExample)
{
    Compiled const compiled = Compile(
        "// interfaces\n"
        "Interface, , interface %name\n"
        "Shutdown, Interface, [no ]shutdown\n"
        "Speed, Interface, speed {10|100|auto}\n"
        "$define NoGen\n"
        "Desc, Interface, description %{*text}\n"
        "$undef NoGen\n"
        "Duplex, Interface, duplex %mode(half,full,auto)\n"
        "Address, Interface, ip address %addr:ip %mask:ip[ secondary]\n");
    EXPECT_EQ(compiled.status, 0);
    EXPECT_EQ(compiled.errors + Describe(compiled),
              "Interface//FFFF: ' interface ' %name:w\n"
              "Shutdown/Interface/FFFF: ' '['no '] 'shutdown'\n"
              "Speed/Interface/FFFF: ' speed ' {'10'|'100'|'auto'}\n"
              "Desc/Interface/FFFE: ' description ' %text:s\n"
              "Duplex/Interface/FFFF: ' duplex ' %mode(half,full,auto)\n"
              "Address/Interface/FFFF: ' ip address ' %addr:ip ' ' %mask:ip[' secondary']\n");
}

TEST(SyntaxGrammar, BuildsAnchorsOptionalPartsAndGroups)
{
    std::pair<char const*, char const*> const cases[] = {
        {"[no ]shutdown", "~['no '] 'shutdown'"},
        {" x [a [b] c][d] y", "' x '['a '['b' ' '] 'c'] ~['d' ' '] 'y'"},
        {" {p [q]|r} z", "' ' {'p '['q']|'r'} ' z'"},
        {"{a|b}[c]", "{'a'|'b'} ~['c']"},
        {"{[a]|b{c|d}}", "{~['a']|'b' {'c'|'d'}}"},
        {"[[x]]", "~[~['x']]"},
        {" %v=3 x", "' ' %v:w=3 ' x'"},
        {"%{v=3}x%{#n}", "%v:w=3 'x' %n:u"},
        {"%#n %*s %.m %x:s(a-z) %%", "%n:u ' ' %s:s ' ' %m:smin ' ' %x:s(a-z) ' ' %%:s"},
    };
    for (auto const& [syntax, chain] : cases) {
        Compiled const compiled = CompileCommand(syntax);
        EXPECT_EQ(compiled.errors + Describe(compiled), std::string("A/B/FFFF: ") + chain + "\n") << syntax;
    }
}

TEST(SyntaxGrammar, DirectivesSwitchTheFlagsOfTheProcess)
{
    Compiled const first = Compile(
        "$define NoParse\nA, B, x\n$define NoGen # both\nC, B, y\n$undef\tNoParse//x\n"
        "$define Other\n$undef nogen\nD, B, z\n$define NoParse \nE, B, w\n");
    EXPECT_EQ(first.errors, "Error on line 8: parse error\nError on line 9: parse error\n");
    EXPECT_EQ(Describe(first), "A/B/FFFD: ' x'\nC/B/FFFC: ' y'\nD/B/FFFE: ' z'\nE/B/FFFE: ' w'\n");

    // A flag still defined at the end of a file applies to the next file.
    EXPECT_EQ(CompileQuietly("$define NoParse\n# nothing else\n"), 0);
    EXPECT_EQ(Describe(Compile("A, B, x\n")), "A/B/FFFC: ' x'\n");
    EXPECT_EQ(Describe(Compile("$undef NoGen\n$undef NoParse\nA, B, x\n")), "A/B/FFFF: ' x'\n");
}

TEST(SyntaxGrammar, ReportsEachFaultyLineAndCompilesTheOthers)
{
    struct Case { std::string text; std::vector<int> results; char const* errors; std::size_t registered; };
    Case const cases[] = {
        {"", {}, "Error on line 0: parse error\n", 0},
        {"# only\n\n", {}, "Error on line 2: parse error\n", 0},
        {"A, B, x", {}, "Error on line 0: parse error\n", 0},
        {Repeat("G, H, g\n", 6) + "A, B, x ] y\nC, D, z\n", {},
         "Error on line 6: parse error\nError on line 7: parse error\n", 7},
        {"A, B, x\nC, D, y\nE, F, z\nG, H, w\n", {3, 9, 5},
         "Error on line 1: Memory allocation error.\nError on line 2: Same ID has a dfferent parent ID.\n"
         "Error on line 3: Add command error.\n", 1},
        {"A, B, %.nm:x\nC, D, ]\nE, F, z\n", {},
         "Error on line 0: parse error\nError on line 1: parse error\nError on line 2: parse error\n", 1},
    };
    for (Case const& c : cases) {
        Compiled const compiled = Compile(c.text, c.results);
        EXPECT_EQ(compiled.status, 2) << c.text;
        EXPECT_EQ(compiled.errors, c.errors) << c.text;
        EXPECT_EQ(compiled.commands.size(), c.registered) << c.text;
    }
}

TEST(SyntaxGrammar, BadFilesGiveMessagesAndAUsablePartialCompile)
{
    std::string const bad[] = {
        "A, B, [x\n",      "A, B, {x|y\n",   "A, B, %{x\n",        "A, B, x]\n",        "A, B, x}\n",
        "A, B, |x\n",      ",,,,,\n",        "\xFF\xFE, B, x\n",   "A, B, x\ry\r\n\r\n", "A, B, %x(a",
        "A, B, %x:s(a",    "A,\n",           std::string(10000, ']') + "\n",
        "A, B, " + std::string(10000, 'x') + "\n", "A, B, " + Repeat("%a", 5000) + "\n",
    };
    for (std::string const& text : bad) {
        Compiled const compiled = Compile(text + "\n\nZ, Y, ok\n");
        ASSERT_FALSE(compiled.commands.empty()) << text;
        EXPECT_STREQ(compiled.commands.back()->GetId(), "Z") << text;
        // Nothing of the faulty file is left over for the next one.
        Compiled const next = Compile("Z, Y, %v\n");
        EXPECT_EQ(next.errors + Describe(next), "Z/Y/FFFF: ' ' %v:w\n") << text;
    }
    EXPECT_EQ(quillset::syntax::CompileSyntaxFile("/nonexistent/syntax.txt", nullptr), 4);
}

TEST(SyntaxGrammar, NestingBeyondTheStacksEndsTheProcess)
{
    std::string const message =
        "^Error on line 0: Option levels are too deeply nested and/or there are too many group entries "
        "between \\{ and \\}.\n$";
    // Nested optional parts, nested groups and the alternatives of one group, `n` deep.
    std::string (*const shapes[])(int) = {
        [](int n) { return std::string(n, '[') + "x" + std::string(n, ']'); },
        [](int n) { return std::string(n, '{') + "x" + std::string(n, '}'); },
        [](int n) { return "{" + Repeat("a|", n - 1) + "a}"; },
    };
    for (auto const shape : shapes) {
        EXPECT_EQ(CompileQuietly("A, B, " + shape(128) + "\n"), 0);
        EXPECT_EXIT(CompileQuietly("A, B, " + shape(129) + "\n"), testing::ExitedWithCode(1), message);
    }
}

TEST(SyntaxGrammar, NestingDepthOfTheParserIsLimited)
{
    quillset::syntax::SyntaxScanner scanner;
    scanner.Start("A, B, [{x}]\nC, D, {[[x]]}\nE, F, y\n");
    quillset::syntax::SyntaxGrammar grammar(2);
    testing::internal::CaptureStderr();
    EXPECT_EQ(grammar.Run(scanner, DiscardCommand), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error on line 1: parser stack overflow\n");
}

}  // namespace

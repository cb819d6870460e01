// The syntax-file scanner, seen through the chains and messages of the compiled file:
// fields, escapes, value lists, comments, continuations, line ends, the line counter and
// the fatal exits.
#include "syntax_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using namespace quillset::test;

TEST(SyntaxScanner, TokensOfEveryCondition)
{
    std::pair<char const*, char const*> const cases[] = {
        {" A b ,, x\n", "A b//FFFF: ' x'\n"},
        {"A,B,[x]\\\n y\n", "A/B/FFFF: ~['x' ' '] 'y'\n"},
        {"A,B,{%{a}b %a}\n", "A/B/FFFF: {%a:w 'b ' %a:w}\n"},
        {"A,B,%a( x ,,y\\)\n", "A/B/FFFF: %a( x ,,y\\)\n"},
        {"A,B,%x(a,b\n) y\n", "A/B/FFFF: %x(a,b) ') y'\n"},
        {"A,B,%x:s(a\nb) %z:()\n", "A/B/FFFF: %x:s(a\nb) ' ' %z:w ':()'\n"},
        {"A,B,\\101\\9\\0\\q\\|\\1234\n", "A/B/FFFF: 'A' '\t' '' 'q' '|' 'S' '4'\n"},
        {"A,B,a\\$b(=c\\\n d\n", "A/B/FFFF: 'a' '$' 'b(=c' ' d'\n"},
        {"A,B,  # note\n  # note\n", "A/B/FFFF: '  # note'\n"},
        {"A,\\\n# c\nB, x\n", "A/B/FFFF: ' x'\n"},
        {"A,B,x\r\nC,D,y\rz\r\n", "A/B/FFFF: 'x'\nC/D/FFFF: 'y\rz'\n"},
        // Characters that no rule takes are tokens of their own, which the grammar rejects.
        {"A,B,%id= x\n", "Error on line 0: parse error\nError on line 1: parse error\n"},
        {"A,B,a$b\n", "Error on line 0: parse error\nError on line 1: parse error\n"},
        {"\xE9" "A,B,\xE9\n", "Error on line 0: parse error\nA/B/FFFF: '\xE9'\n"},
        {"A,B,x\n# c", "Error on line 1: parse error\nA/B/FFFF: 'x'\n"},
        // Line feeds of continuations, type arguments and value lists are not counted.
        {"A,B,%x:s(a\nb)\\\n%z(1\n2)\\\n\n# c\nC, D, ]\n",
         "Error on line 2: parse error\nError on line 3: parse error\nA/B/FFFF: %x:s(a\nb) %z(1) '2)'\n"},
    };
    for (auto const& [text, compiled] : cases) {
        Compiled const result = Compile(text);
        EXPECT_EQ(result.errors + Describe(result), compiled) << text;
    }
}

TEST(SyntaxScanner, FatalErrorsEndTheProcess)
{
    std::string const fiftyItems = "%v(" + Repeat("a,", 49) + "a)";
    EXPECT_EQ(Render(CompileCommand(fiftyItems).Root()), fiftyItems);
    EXPECT_EXIT(CompileQuietly("\nA,B,%v(" + Repeat("a,", 50) + "a)\n"), testing::ExitedWithCode(3),
                "^Error on line 2: Too many values in enum variable.\n$");
    EXPECT_EXIT(quillset::syntax::SyntaxScanner().Start(std::fopen(testing::TempDir().c_str(), "r"), 1024),
                testing::ExitedWithCode(2), "^input in flex scanner failed\n$");
}

}  // namespace

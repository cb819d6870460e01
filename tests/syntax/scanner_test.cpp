// The syntax-file scanner: tokens and their values in every start condition, longest match
// and rule order, escapes, value lists, the line counter and the fatal exits.
#include "syntax/syntax_scanner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using namespace quillset::syntax;

// A token as text: its name with its value; a character token as c'x'.
std::string Show(Token const& token)
{
    static char const* const kNames[] = {"ID",   "PARENT", "", "NAME", "TYPE", "PREFIX", "DEFAULT", "ENUM",
                                         "[",    "]",      "G{", "G}", "DEFINE", "UNDEF", "FLAG"};
    if (token.kind == kNewline)
        return "NL";
    if (token.kind < kIdField)
        return "c'" + std::string(1, static_cast<char>(token.kind)) + "'";
    std::string out = kNames[token.kind - kIdField];
    if (token.kind == kOptionClose && token.spaceFollows)
        out += "+";
    if (token.kind <= kVarDefault || token.kind == kFlagName)
        out += "'" + token.text + "'";
    for (int i = 0; token.values && i < token.values->Count(); ++i)
        out += (i == 0 ? "(" : "|") + std::string(token.values->Items()[i]) + (i + 1 == token.values->Count() ? ")" : "");
    return out;
}

std::string Tokens(std::string const& text, int* line = nullptr)
{
    SyntaxScanner scanner;
    scanner.Start(text);
    Token token;
    std::string out;
    while (scanner.Next(token) != kEndOfInput)
        out += (out.empty() ? "" : " ") + Show(token);
    EXPECT_EQ(scanner.Next(token), kEndOfInput);
    if (line != nullptr)
        *line = scanner.Line();
    return out;
}

std::string ValueList(int count)
{
    std::string values;
    for (int i = 0; i < count; ++i)
        values += (i > 0 ? "," : "") + std::to_string(i);
    return "\nA, B, %v(" + values + ")\n";
}

TEST(SyntaxScanner, TokensOfEveryCondition)
{
    std::pair<char const*, char const*> const cases[] = {
        {"Ip, Interface,  ip address %addr:ip %mask:ip[ secondary]\n",
         "ID'Ip' PARENT'Interface' '  ip address ' NAME'addr' TYPE'ip' ' ' NAME'mask' TYPE'ip' [ ' secondary' ] NL"},
        {" A b ,, x\n", "ID'A b' PARENT'' ' x' NL"},
        {"A,B,[no ]shutdown\n", "ID'A' PARENT'B' [ 'no ' ] 'shutdown' NL"},
        {"A,B,[no] shutdown\n", "ID'A' PARENT'B' [ 'no' ]+ 'shutdown' NL"},
        {"A,B,[x]\\\n y\n", "ID'A' PARENT'B' [ 'x' ]+ 'y' NL"},
        {"A,B,{a|b}\n", "ID'A' PARENT'B' G{ 'a' c'|' 'b' G} NL"},
        {"A,B,%{*text}\n", "ID'A' PARENT'B' c'{' PREFIX's' NAME'text' c'}' NL"},
        {"A,B,%{a}b %a}\n", "ID'A' PARENT'B' c'{' NAME'a' c'}' 'b ' NAME'a' G} NL"},
        {"A,B,%.x %#y%%\n", "ID'A' PARENT'B' PREFIX'smin' NAME'x' ' ' PREFIX'u' NAME'y' NAME'%' NL"},
        {"A,B,%mode(half,full,auto)\n", "ID'A' PARENT'B' NAME'mode' ENUM(half|full|auto) NL"},
        {"A,B,%a( x ,,y\\)\n", "ID'A' PARENT'B' NAME'a' ENUM( x ||y\\) NL"},
        {"A,B,%x(a,b\n) y\n", "ID'A' PARENT'B' NAME'x' ENUM(a|b) ') y' NL"},
        {"A,B,%id=1 name\n", "ID'A' PARENT'B' NAME'id' DEFAULT'1' ' name' NL"},
        {"A,B,%id= x\n", "ID'A' PARENT'B' NAME'id' c'=' ' x' NL"},
        {"A,B,%x:s(a\nb) %y:ip:w %z:()\n",
         "ID'A' PARENT'B' NAME'x' TYPE's(a\nb)' ' ' NAME'y' TYPE'ip' TYPE'w' ' ' NAME'z' ':()' NL"},
        {"A,B,\\101\\9\\0\\q\\|\\1234\n", "ID'A' PARENT'B' 'A' '\t' '' 'q' '|' 'S' '4' NL"},
        {"A,B,a$b(=c\\\n d\n", "ID'A' PARENT'B' 'a' c'$' 'b(=c' ' d' NL"},
        {"A,B,  # note\n  # note\n", "ID'A' PARENT'B' '  # note' NL"},
        {"A,\\\n# c\nB, x\n", "ID'A' PARENT'B' ' x' NL"},
        {"$define NoGen # off\n$undef\tNoParse//x\n", "DEFINE FLAG'NoGen' NL UNDEF FLAG'NoParse' NL"},
        {"$define NoGen \n", "DEFINE FLAG'NoGen' c' ' NL"},
        {"A,B,x\r\ny\rz\r\n", "ID'A' PARENT'B' 'x' NL c'y' c'\r' c'z' NL"},
        {"\xE9" "A,B,\xE9\n", "c'\xE9' ID'A' PARENT'B' '\xE9' NL"},
        {"A,B,x", "ID'A' PARENT'B' 'x'"},
        {"# c", "c'#' c' ' c'c'"},
        {"A,B,%x(a", "ID'A' PARENT'B' NAME'x' c'a'"},
    };
    for (auto const& [text, tokens] : cases)
        EXPECT_EQ(Tokens(text), tokens) << text;

    // Lines are counted by their line feeds, except those of continuations, type arguments
    // and value lists.
    int line = 0;
    EXPECT_EQ(Tokens("\n# c\n  // d\n\t \n", &line), "");
    EXPECT_EQ(line, 5);
    Tokens("A,B,%x:s(a\nb)\\\n%z(1\n2)]\\\n\n", &line);
    EXPECT_EQ(line, 2);
}

TEST(SyntaxScanner, FatalErrorsEndTheProcess)
{
    std::string const tokens = Tokens(ValueList(50));
    EXPECT_EQ(tokens.substr(0, 34), "ID'A' PARENT'B' ' ' NAME'v' ENUM(0");
    EXPECT_EQ(tokens.substr(tokens.size() - 10), "|48|49) NL");
    EXPECT_EXIT(Tokens(ValueList(51)), testing::ExitedWithCode(3),
                "^Error on line 2: Too many values in enum variable.\n$");
    auto readDirectory = [] {
        SyntaxScanner scanner;
        scanner.Start(std::fopen(testing::TempDir().c_str(), "r"));
    };
    EXPECT_EXIT(readDirectory(), testing::ExitedWithCode(2), "^input in flex scanner failed\n$");
}

}  // namespace

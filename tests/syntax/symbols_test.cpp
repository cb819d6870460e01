// Syntax symbols: the backtracking matcher and the generation walk over compiled commands,
// packing, defaults and the switches of CCmdSyntax.
#include "syntax_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace {

using namespace quillset::test;

// Matches `line` with the command `syntax` and writes the record back: "fields => text",
// or the matcher's result code.
std::string RoundTrip(char const* syntax, char const* line)
{
    Compiled const compiled = CompileCommand(syntax);
    CDbEntry record;
    int const result = compiled.Root()->ParseLine(line, &record);
    return result != 0 ? std::to_string(result) : Fields(record) + " => " + Generated(compiled.Root(), record);
}

TEST(SymbolMatcher, MatchesWholeLinesAndWritesThemBack)
{
    std::tuple<char const*, char const*, char const*> const cases[] = {
        {"ip route", "ip route", " => ip route"},   {"ip route", "ip route   ", " => ip route"},
        {"ip route", "ip route x", "3"},            {"ip route", "IP route", "3"},
        {"ip route", "ip route\t", "3"},            {"ip route ", "ip route", " => ip route"},
        {"ip[ route]", "ip", " => ip route"},       {"[x]", "", " => x"},
        {"no[ mtu %m:u]", "no mtu 5", "m=5 => no mtu 5"}, {"no[ mtu %m:u]", "no mtu x", "3"},
        // Free text gives back one character at a time until the literal after it matches.
        {"desc %t:s end", "desc a b end  ", "t=a b => desc a b end"},
        {"%a:smin %b:s", "x y z", "a=x b=y z => x y z"},
        // A value stored by an optional part that then fails is taken back.
        {"%a:w[ %b:u x] %c:s", "foo 12 y", "a=foo c= 12 y => foo 12 y"},
        {"%a:w[ %b:u x] %c:s", "foo 12 x 3", "a=foo b=12 c=3 => foo 12 x 3"},
        {"{a|ab}c", "abc", " => ac"},               {"{%x:u a|%y:s}", "12 b", "y=12 b => 12 b"},
        {"mode {fast %f:u|slow}[ now]", "mode fast 3", "f=3 => mode fast 3 now"},
        {"%a:ip", "1.2.3", "2"},                    {"%a:ip %b:ip", "1.2.3.4 1.2.3", "3"},
        {"%%:s(a) %v", "aa x", "v=x =>  x"},
    };
    for (auto const& [syntax, line, result] : cases)
        EXPECT_EQ(RoundTrip(syntax, line), result) << syntax << " / " << line;

    // The quick check wants every mandatory literal, in order, even inside other words.
    Compiled const compiled = CompileCommand("ip %x[ secondary] route");
    EXPECT_TRUE(compiled.Root()->HasKeywords("zip a routes"));
    EXPECT_FALSE(compiled.Root()->HasKeywords("route ip"));
}

TEST(SymbolGenerator, LeavesOutOptionalPartsThatCannotBeWritten)
{
    char const* const speed = "speed %s:u[ duplex %d(half,full)] ";
    EXPECT_EQ(GenerateFrom(speed, {{"s", "100"}}), "speed 100");
    EXPECT_EQ(GenerateFrom(speed, {{"s", "100"}, {"d", "1"}}), "speed 100 duplex full");
    EXPECT_EQ(GenerateFrom(speed, {{"s", "100"}, {"d", "7"}}), "speed 100");
    EXPECT_EQ(GenerateFrom(speed, {{"s", "fast"}}), "#1");
    EXPECT_EQ(GenerateFrom(speed, {}), "#1");
    EXPECT_EQ(GenerateFrom(speed, {}, true), "");
    EXPECT_EQ(GenerateFrom("{%a:u|%b:u|%c:u}", {{"c", "3"}}), "3");
    EXPECT_EQ(GenerateFrom("x {%a:u|%b:u}", {}), "#1");
    EXPECT_EQ(GenerateFrom("[[%a:u ]b ]c", {}), "b c");
}

TEST(SymbolTree, GroupsMakeACommandUnpackable)
{
    std::pair<char const*, bool> const cases[] = {
        {"a [b %c] d", true}, {"a [b {c|d}] e", false}, {"a %b {c|d}", false}, {"{[a]|b}", false}};
    for (auto const& [syntax, packable] : cases)
        EXPECT_EQ(CompileCommand(syntax).commands.at(0)->IsPackable(), packable) << syntax;
}

TEST(SymbolTree, DefaultsFillOnlyMissingFields)
{
    Compiled const compiled = CompileCommand("x %a=1 [%b(on,@off)] {y|%c=9}");
    CDbEntry record;
    record.Set("a", "0");
    EXPECT_EQ(compiled.Root()->ApplyDefaults(&record), 0);
    EXPECT_EQ(Fields(record), "a=0 b=1");
    EXPECT_EQ(compiled.Root()->ApplyDefaults(&record), 6);
}

TEST(CmdSyntax, FlagsAndReservedIdsSwitchParsingAndGeneration)
{
    CDbEntry record("old");
    record.Set("stale", 1);
    CString text = "stale";

    CCmdSyntax reserved("_Banner", "", new CSymbolString("banner"), 0xFFFF);
    EXPECT_EQ(reserved.GetFlags(), 0xFFFDu);
    EXPECT_EQ(reserved.Parse("banner", &record), 4);
    EXPECT_EQ(Fields(record) + record.GetName(), "");
    EXPECT_EQ(reserved.Generate(&record, text, false), 0);
    EXPECT_EQ(std::string(text), "banner");

    CCmdSyntax silent("Mtu", "Interface", new CSymbolVar("mtu", "u"), 0xFFFE);
    EXPECT_EQ(silent.Generate(&record, text, true), 5);
    EXPECT_EQ(std::string(text), "");
    EXPECT_EQ(silent.Parse("1500", &record), 0);
    EXPECT_EQ(std::string(record.GetName()) + " " + Fields(record), "Mtu mtu=1500");
    EXPECT_EQ(silent.Parse("15x", &record), 3);
    EXPECT_EQ(std::string(record.GetName()), "");
}

}  // namespace

// Variables: the match of every type code and the order of its alternatives, character
// sets, the form checks of generation, and enumerations with their item definitions.
#include "syntax_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using quillset::test::Fields;

// Every match the symbol offers at `text`, in order: the stored value of each (or its
// length when nothing is stored), then the code that ended the sequence.
std::string Matches(CSymbolEntry& symbol, char const* text)
{
    std::string out;
    CDbEntry record;
    int state = -1;
    for (;;) {
        char const* cursor = text;
        record.Clear();
        int const result = symbol.Parse(&cursor, &record, &state);
        if (result != 0)
            return out + std::to_string(result);
        out += (record.GetFieldCount() > 0 ? Fields(record) : std::to_string(cursor - text)) + "|";
    }
}

std::string Written(CSymbolEntry& symbol, char const* fieldText)
{
    CDbEntry record;
    if (fieldText != nullptr)
        record.Set("v", fieldText);
    CString out;
    int const result = symbol.Generate(&record, out);
    return result == 0 ? std::string(out) : "#" + std::to_string(result);
}

std::unique_ptr<CSymbolVarEnum> Enumeration(std::vector<char const*> items)
{
    items.push_back(nullptr);
    return std::make_unique<CSymbolVarEnum>("v", const_cast<char**>(items.data()));
}

TEST(Variables, EachTypeTakesItsTextInItsOrder)
{
    std::tuple<char const*, char const*, char const*> const cases[] = {
        {nullptr, "abc\tdef", "v=abc|3"},
        {"w", "\xE9t\xE9 x", "v=\xE9t\xE9|3"},
        {"aw", "ab1", "v=ab|3"},
        {"anw", "ab1-", "v=ab1|3"},
        {"u", "12ab", "v=12|3"},
        {"u", "ab", "3"},
        {"d", "-42x", "v=-42|3"},
        {"i", "-x", "v=-|3"},
        {"x", "0aFg", "v=0aF|3"},
        {"s", "ab  ", "v=ab|v=a|3"},
        {"smax", "a b", "v=a b|v=a |v=a|3"},
        {"smin", "ab c  ", "v=a|v=ab|v=ab |v=ab c|3"},
        {"sm(0-9)", "12 foo", "v=1|v=12|3"},
        {"s(^,)", "a b,c", "v=a b|v=a |v=a|3"},
        {"s(z-a)", "za-b", "v=za|v=z|3"},
        {"s(a\\-c)", "a-cb", "v=a-c|v=a-|v=a|3"},
        {"s(-a\\)", "\\-ab", "v=\\-a|v=\\-|v=\\|3"},
        {"sp", " \t x", "v= \t |v= \t|v= |3"},
        {"sp", "   ", "3"},
        {"ip", "10.0.0.1/8", "v=10.0.0.1|3"},
        {"ip", " 1.2.3.4x", "v= 1.2.3.4|3"},
        {"ip", "10.0.0.256", "2"},
        {"ip", "abc", "2"},
        {"IP", "abc", "3"},
    };
    for (auto const& [typeSpec, text, matches] : cases) {
        CSymbolVar variable("v", typeSpec);
        EXPECT_EQ(Matches(variable, text), matches) << (typeSpec ? typeSpec : "(none)") << " / " << text;
    }
    // The anonymous variable takes free text and stores nothing.
    CSymbolVar anonymous("%", nullptr);
    EXPECT_EQ(Matches(anonymous, "ab "), "2|1|3");
    EXPECT_EQ(Written(anonymous, "x"), "");
}

TEST(Variables, GenerationChecksTheFormOfTheField)
{
    std::tuple<char const*, char const*, char const*> const cases[] = {
        {"w", "abc", "abc"},         {"w", "a b", "#1"},          {"w", "", "#1"},
        {"w", nullptr, "#1"},        {"aw", "ab1", "#1"},         {"anw", "ab1", "ab1"},
        {"u", "-1", "#1"},           {"d", "-", "-"},             {"d", "12a", "#1"},
        {"x", "0aF", "0aF"},         {"x", "g", "#1"},            {"s", " a b ", " a b "},
        {"s(a-c)", "abd", "#1"},     {"smin(^ )", "a-b", "a-b"},  {"sp", " \t", " \t"},
        {"sp", "a", "#1"},           {"ip", "255.255.255.255", "255.255.255.255"},
        {"ip", "1.2.3.4x", "#1"},    {"ip", "1.2.3.256", "#1"},   {"ip", "1.2.3.4.5", "#1"},
        {"ip", "1.2.3.4 5", "#1"}, {"zz", "abc", "#1"},
    };
    for (auto const& [typeSpec, field, written] : cases) {
        CSymbolVar variable("v", typeSpec);
        EXPECT_EQ(Written(variable, field), written) << typeSpec << " / " << (field ? field : "(none)");
    }
}

TEST(EnumeratedVariables, ItemDefinitionsGiveTextsValuesAndDefault)
{
    std::pair<std::vector<char const*>, char const*> const cases[] = {
        {{"off", "on"}, "%v(off,on)"},
        {{"auto=5", "fixed"}, "%v(auto=5,fixed=6)"},
        {{"@a=0", "b=255"}, "%v(a,b=255)=0"},
        {{"x", "@y", "z=-"}, "%v(x,y,z=0)=1"},
        {{"a\\=b", "\\101\\1x", "t\\tz=3", "k=abc", "end\\"}, "%v(a=b,A1x,t\tz=3,k=4,end\\=5)"},
    };
    for (auto const& [items, chain] : cases)
        EXPECT_EQ(quillset::test::Render(Enumeration(items).get()), chain);
}

TEST(EnumeratedVariables, MatchLongestItemFirstAndWriteItsNumberBack)
{
    auto const no = Enumeration({"no", "no-auto"});
    EXPECT_EQ(Matches(*no, "no-auto x"), "v=1|v=0|3");
    EXPECT_EQ(Matches(*no, "on"), "3");

    auto const optional = Enumeration({"", "a"});
    EXPECT_EQ(Matches(*optional, "b"), "v=0|3");
    EXPECT_EQ(Written(*optional, "0"), "#1");

    auto const onOff = Enumeration({"off", "on"});
    EXPECT_EQ(Written(*onOff, "1"), "on");
    EXPECT_EQ(Written(*onOff, "yes"), "on");
    EXPECT_EQ(Written(*onOff, ""), "off");
    EXPECT_EQ(Written(*onOff, "7"), "#1");
    EXPECT_EQ(Written(*onOff, nullptr), "#1");

    auto const valued = Enumeration({"a=5", "b"});
    EXPECT_EQ(Matches(*valued, "b"), "v=6|3");
    EXPECT_EQ(Written(*valued, "6"), "b");
    EXPECT_EQ(Written(*valued, "0"), "#1");

    EXPECT_EQ(Matches(*Enumeration({}), "x"), "3");
}

}  // namespace

// Variables: the match of every type code and item list and the order of its alternatives,
// character sets, the form checks of generation, and the item definitions of lists.
#include "syntax_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace quillset::test;

// Every match the variable offers at `text`, in order: the stored value of each (or its
// length when nothing is stored), then the code that ended the sequence.
std::string Matches(CSymbolEntry& variable, char const* text)
{
    std::string out;
    CDbEntry record;
    for (int state = -1;;) {
        char const* cursor = text;
        record.Clear();
        int const result = variable.Parse(&cursor, &record, &state);
        if (result != 0)
            return out + std::to_string(result);
        out += (record.GetFieldCount() > 0 ? Fields(record) : std::to_string(cursor - text)) + "|";
    }
}

TEST(Variables, EachTypeTakesItsTextInItsOrder)
{
    std::tuple<char const*, char const*, char const*> const cases[] = {
        {"%v", "abc\tdef", "v=abc|3"},           {"%v:w", "\xE9t\xE9 x", "v=\xE9t\xE9|3"},
        {"%v:aw", "ab1", "v=ab|3"},              {"%v:anw", "ab1-", "v=ab1|3"},
        {"%v:u", "12ab", "v=12|3"},              {"%v:u", "ab", "3"},
        {"%v:d", "-42x", "v=-42|3"},             {"%v:i", "-x", "v=-|3"},
        {"%v:x", "0aFg", "v=0aF|3"},             {"%v:s", "ab  ", "v=ab|v=a|3"},
        {"%v:smax", "a b", "v=a b|v=a |v=a|3"},  {"%v:smin", "ab c  ", "v=a|v=ab|v=ab |v=ab c|3"},
        {"%v:sm(0-9)", "12 foo", "v=1|v=12|3"},  {"%v:s(^,)", "a b,c", "v=a b|v=a |v=a|3"},
        {"%v:s(z-a)", "za-b", "v=za|v=z|3"},     {"%v:s(a\\-c)", "a-cb", "v=a-c|v=a-|v=a|3"},
        {"%v:s(-a\\)", "\\-ab", "v=\\-a|v=\\-|v=\\|3"},
        {"%v:sp", " \t x", "v= \t |v= \t|v= |3"}, {"%v:sp", "   ", "3"},
        {"%v:ip", "10.0.0.1/8", "v=10.0.0.1|3"}, {"%v:ip", " 1.2.3.4x", "v= 1.2.3.4|3"},
        {"%v:ip", "10.0.0.256", "2"},            {"%v:ip", "abc", "2"},
        {"%v:IP", "abc", "3"},                   {"%%", "ab ", "2|1|3"},  // free text, nothing stored
        // Item lists: the longest matching item first, then every shorter one.
        {"%v(no,no-auto)", "no-auto x", "v=1|v=0|3"},  {"%v(no,no-auto)", "on", "3"},
        {"%v(,a)", "b", "v=0|3"},                      {"%v(a=5,b)", "b", "v=6|3"},
    };
    for (auto const& [variable, text, matches] : cases)
        EXPECT_EQ(Matches(*CompileCommand(variable).Root(), text), matches) << variable << " / " << text;
    char* noItems[] = {nullptr};
    CSymbolVarEnum empty("v", noItems);
    EXPECT_EQ(Matches(empty, "x"), "3");
}

TEST(Variables, GenerationChecksTheFormOfTheField)
{
    std::tuple<char const*, char const*, char const*> const cases[] = {
        {"%v:w", "abc", "abc"},         {"%v:w", "a b", "#1"},           {"%v:w", "", "#1"},
        {"%v:aw", "ab1", "#1"},         {"%v:anw", "ab1", "ab1"},        {"%v:u", "-1", "#1"},
        {"%v:d", "-", "-"},             {"%v:d", "12a", "#1"},           {"%v:x", "0aF", "0aF"},
        {"%v:x", "g", "#1"},            {"%{v:s}.", " a b ", " a b ."},  {"%v:s(a-c)", "abd", "#1"},
        {"%v:smin(^ )", "a-b", "a-b"},  {"%{v:sp}.", " \t", " \t."},     {"%v:sp", "a", "#1"},
        {"%v:ip", "1.2.3.4x", "#1"},    {"%v:ip", "1.2.3.256", "#1"},    {"%v:ip", "1.2.3.4 5", "#1"},
        {"%v:ip", "255.255.255.255", "255.255.255.255"},                 {"%v:zz", "abc", "#1"},
        {"%%", "x", ""},
        // Item lists write the item of the field's number; a text that is not a number counts as 1.
        {"%v(off,on)", "1", "on"},      {"%v(off,on)", "yes", "on"},     {"%v(off,on)", "", "off"},
        {"%v(off,on)", "7", "#1"},      {"%v(off,on)", nullptr, "#1"},   {"%v(,a)", "0", "#1"},
        {"%v(a=5,b)", "6", "b"},        {"%v(a=5,b)", "0", "#1"},
        // Values at the ends of int: the count wraps instead of overflowing, and numbers
        // past them are held to them.
        {"%v(a=2147483647,b)", "-2147483648", "b"},  {"%v(a=2147483647,b)", "2147483647", "a"},
        {"%v(a=99999999999,b=-99999999999)", "99999999999", "a"},
        {"%v(a=99999999999,b=-99999999999)", "-2147483648", "b"},
    };
    for (auto const& [variable, field, written] : cases)
        EXPECT_EQ(GenerateFrom(variable, {{"v", field}}), written) << variable << " / " << (field ? field : "(none)");
}

TEST(EnumeratedVariables, ItemDefinitionsGiveTextsValuesAndDefault)
{
    std::pair<char const*, char const*> const cases[] = {
        {"%v(@x=0,y=255)", "%v(x,y=255)=0"},
        {"%v(x,@y,z=-)", "%v(x,y,z=0)=1"},
        {"%v(a\\=b,\\101\\1x,t\\tz=3,k=abc,end\\)", "%v(a=b,A1x,t\tz=3,k=4,end\\=5)"},
        {"%v(a=2147483647,b)", "%v(a=2147483647,b=-2147483648)"},
    };
    for (auto const& [variable, chain] : cases)
        EXPECT_EQ(Render(CompileCommand(variable).Root()), chain);
}

}  // namespace

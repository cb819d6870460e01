// The matcher's bounds: its work per line, the longest line, and definitions whose
// backtracking would otherwise grow exponentially.
#include <quillset/limits.h>
#include <quillset/symbols.h>

#include "syntax_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using quillset::test::CompileCommand;
using quillset::test::Fields;

// Offers `count` matches at the same position; only the last one takes a character.
class CountedAlternatives : public CSymbolEntry {
public:
    explicit CountedAlternatives(int count) : m_count(count) {}
    int Generate(CDbEntry const*, CString& out) override
    {
        out.Empty();
        return 0;
    }
    int Parse(char const** cursor, CDbEntry*, int* state) override
    {
        *state = *state == -1 ? 0 : *state + 1;
        if (*state >= m_count)
            return 3;
        if (*state == m_count - 1)
            ++*cursor;
        return 0;
    }

private:
    int m_count;
};

// Each of the n alternatives costs two attempts (itself and the literal after it): the
// line matches with exactly the bound's attempts and not with two more.
TEST(MatcherLimits, WorkPerLineIsBoundedExactly)
{
    for (int const alternatives : {QS_MAX_MATCH_STEPS / 2, QS_MAX_MATCH_STEPS / 2 + 1}) {
        auto* root = new CountedAlternatives(alternatives);
        root->SetNext(new CSymbolString("z"));
        CCmdSyntax syntax("A", "", root, 3);
        CDbEntry record;
        int const expected = alternatives * 2 <= QS_MAX_MATCH_STEPS ? 0 : 3;
        EXPECT_EQ(syntax.Parse("xz", &record), expected) << alternatives;
    }
}

// Twelve free-text variables in a row before a literal that is not where they need it:
// without a bound every way of cutting the line is tried.
TEST(MatcherLimits, RunsOfFreeTextVariablesEndQuickly)
{
    auto compiled = CompileCommand("a %%%%%%%%%%%%z");
    ASSERT_EQ(compiled.commands.size(), 1u);
    CCmdSyntax& syntax = *compiled.commands[0];
    CDbEntry record;
    EXPECT_EQ(syntax.Parse("a bcdefghijklmz", &record), 0);
    EXPECT_EQ(syntax.Parse(("a " + std::string(80, 'b') + "z y").c_str(), &record), 3);
    auto longest = CompileCommand("a %x:s %y:s z");
    EXPECT_EQ(longest.commands[0]->Parse("a b c d z", &record), 0);
    EXPECT_EQ(Fields(record), "x=b c y=d");
}

// A line up to the longest length is matched; a longer one is not.
TEST(MatcherLimits, LongestLine)
{
    auto compiled = CompileCommand("d %text:s");
    CDbEntry record;
    std::string line = "d " + std::string(QS_MAX_LINE_LENGTH - 2, 'x');
    EXPECT_EQ(compiled.commands[0]->Parse(line.c_str(), &record), 0);
    line += 'x';
    EXPECT_EQ(compiled.commands[0]->Parse(line.c_str(), &record), 3);
}

// A definition of many variables fills each; a failed match leaves none behind, and
// backtracking over variables restores each field's earlier value.
TEST(MatcherLimits, ManyVariablesMatchAndBacktrackCleanly)
{
    std::string syntax, line, fields;
    for (int i = 0; i < QS_MAX_DEFINITION_VARIABLES; ++i) {
        syntax += (i ? " %v" : "%v") + std::to_string(i);
        line += (i ? " " : "") + std::to_string(i);
        fields += (i ? " v" : "v") + std::to_string(i) + "=" + std::to_string(i);
    }
    auto compiled = CompileCommand(syntax);
    CDbEntry record;
    ASSERT_EQ(compiled.commands[0]->Parse(line.c_str(), &record), 0);
    EXPECT_EQ(Fields(record), fields);
    EXPECT_EQ(compiled.commands[0]->Parse((line + " extra").c_str(), &record), 3);
    EXPECT_EQ(record.GetFieldCount(), 0);
    // A field that a failed optional part set is gone again; one that it overwrote has its
    // earlier value back.
    auto added = CompileCommand("%a:smin[,%b:sm!]");
    EXPECT_EQ(added.commands[0]->Parse("x,y", &record), 0);
    EXPECT_EQ(Fields(record), "a=x,y");
    auto overwritten = CompileCommand("%a:aw[,%a:aw!],%b:aw");
    EXPECT_EQ(overwritten.commands[0]->Parse("p,q", &record), 0);
    EXPECT_EQ(Fields(record), "a=p b=q");
}

}  // namespace

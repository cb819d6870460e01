// The rules language: statements read into rules, and every mistake reported with the file
// and line, whether in the text itself or against the syntax it is used with.
#include "diff_fixture.h"

namespace {

using quillset::diff::ParseRules;
using quillset::diff::Rules;
using quillset::diff::RulesError;
using quillset::test::DiffBench;
using quillset::test::TempFile;

TEST(RulesText, StatementsAreReadWithTheirLines)
{
    Rules rules;
    RulesError error;
    ASSERT_TRUE(ParseRules("# comment\n\nkey Interface name  # trailing comment\nkey Hostname\r\n"
                           "replace A B\nordered Rule Remark\ndepends X Y on Z\nexit quit\nexit Router leave\n",
                           "z.rules", rules, error))
        << error.message;
    ASSERT_EQ(rules.keys.size(), 2u);
    EXPECT_EQ(rules.keys[0].line, 3);
    EXPECT_EQ(rules.keys[0].fields, std::vector<std::string>{"name"});
    EXPECT_TRUE(rules.keys[1].fields.empty());
    EXPECT_EQ(rules.replaces.at(0).commands, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(rules.ordered.at(0).commands, (std::vector<std::string>{"Rule", "Remark"}));
    EXPECT_EQ(rules.depends.at(0).users, (std::vector<std::string>{"X", "Y"}));
    EXPECT_EQ(rules.depends.at(0).targets, std::vector<std::string>{"Z"});
    ASSERT_EQ(rules.exits.size(), 2u);
    EXPECT_EQ(rules.exits[0].mode, "");
    EXPECT_EQ(rules.exits[1].mode, "Router");
    EXPECT_EQ(rules.exits[1].text, "leave");
}

TEST(RulesText, MistakesNameTheFileAndLine)
{
    struct Case {
        char const* text;
        char const* message;
    } const cases[] = {
        {"key\n", "z.rules:1: \"key\" needs a command"},
        {"\nreplace\n", "z.rules:2: \"replace\" needs at least one command"},
        {"ordered\n", "z.rules:1: \"ordered\" needs at least one command"},
        {"depends A B\n", "z.rules:1: expected \"depends COMMAND... on COMMAND...\""},
        {"depends on B\n", "z.rules:1: expected \"depends COMMAND... on COMMAND...\""},
        {"depends A on\n", "z.rules:1: expected \"depends COMMAND... on COMMAND...\""},
        {"exit\n", "z.rules:1: expected \"exit TEXT\" or \"exit MODE TEXT\""},
        {"exit a b c\n", "z.rules:1: expected \"exit TEXT\" or \"exit MODE TEXT\""},
        {"# ok\nkeys A\n", "z.rules:2: unknown statement \"keys\" (expected key, replace, ordered, depends or exit)"},
    };
    for (auto const& c : cases) {
        Rules rules;
        RulesError error;
        EXPECT_FALSE(ParseRules(c.text, "z.rules", rules, error)) << c.text;
        EXPECT_EQ(error.message, c.message) << c.text;
    }
    Rules rules;
    RulesError error;
    EXPECT_FALSE(quillset::diff::LoadRules("/nonexistent/z.rules", rules, error));
    EXPECT_EQ(error.message, "/nonexistent/z.rules: cannot read the rules file");
}

TEST(RulesText, RulesAreCheckedAgainstTheSyntax)
{
    TempFile const syntax(quillset::test::kSmallSyntax);
    struct Case {
        char const* text;
        char const* message;
    } const cases[] = {
        {"key Interface\nkey Nope name\n", "test.rules:2: the syntax has no command \"Nope\""},
        {"key Interface nme\n", "test.rules:1: command \"Interface\" has no field \"nme\""},
        {"replace Hostname Nope\n", "test.rules:1: the syntax has no command \"Nope\""},
        {"ordered Rule\nordered Nope\n", "test.rules:2: the syntax has no command \"Nope\""},
        {"depends AccessGroup on Nope\n", "test.rules:1: the syntax has no command \"Nope\""},
        {"exit Nope leave\n", "test.rules:1: the syntax has no command \"Nope\""},
        {"depends AccessGroup on AccessList\ndepends AccessList on AccessGroup\n",
         "test.rules: the dependencies of \"AccessGroup\" form a cycle"},
    };
    for (auto const& c : cases) {
        DiffBench bench(syntax.Path(), c.text);
        EXPECT_FALSE(bench.Ready()) << c.text;
        EXPECT_EQ(bench.Error(), c.message) << c.text;
    }
}

}  // namespace

// The syntax lint: each warning on the shape it guards against, with its line number, and
// none on a clean file.
#include "test_files.h"

#include "toolkit/syntax_lint.h"

#include <gtest/gtest.h>

namespace {

using namespace quillset::toolkit;
using quillset::test::TempFile;

std::string Warnings(char const* syntax)
{
    TempFile const file(syntax);
    LintResult const result = LintSyntax(file.Path());
    std::string out = "status " + std::to_string(result.status);
    for (LintWarning const& warning : result.warnings)
        out += "\n" + std::to_string(warning.line) + ": " + warning.text.substr(0, warning.text.find(':'));
    return out;
}

TEST(SyntaxLint, WarnsAboutEachShapeAtItsLine)
{
    struct Case {
        char const* syntax;
        char const* expected;
    };
    Case const cases[] = {
        {"// clean\nA,,a %x\nB,A, b\n_UNKNOWN,A,%{*_Text}\n", "status 0"},
        {"A,,a %x\n\nB,A, b\n", "status 0\n1: 'A' has sub-commands but no _UNKNOWN sub-command"},
        {"A,,a\n_UNKNOWN,A,%{*_Text}\nB,A, b\nA,,a2 %y\nC,A, c\n",
         "status 0\n4: the definitions of 'A' are split around its sub-commands"},
        {"A,,a\nZ,,z\nB,A, b\nC,,c\n",
         "status 0\n1: 'A' has sub-commands but no _UNKNOWN sub-command\n"
         "3: 'B' is not inside the definitions of its parent 'A'"},
        {"# comment\n$define NoGen\nA,,%name rest\n$undef NoGen\nN,,%n:u x\nE,,%e(p,q) z\n",
         "status 0\n3: the syntax of 'A' starts with a variable"},
        {"A,,a \\\n  continued\nB,,%w\n", "status 0\n3: the syntax of 'B' starts with a variable"},
    };
    for (Case const& c : cases)
        EXPECT_EQ(Warnings(c.syntax), c.expected) << c.syntax;
}

TEST(SyntaxLint, ReportsTheLibraryStatus)
{
    EXPECT_EQ(LintSyntax("/nonexistent/syntax").status, 4);
    EXPECT_EQ(Warnings("A,,a [\n"), "status 2");
}

TEST(SyntaxLint, DefinitionLinesSkipCommentsDirectivesAndContinuations)
{
    EXPECT_EQ(DefinitionLines("// c\n# c\n\nA,,a\n  $define NoGen\nB,,b \\\nmore\n\r\nC,,c"),
              (std::vector<int>{4, 6, 9}));
}

}  // namespace

// The syntax lint: compiles a syntax file (the library reports its errors) and warns about
// the shapes that lose data or surprise users, each with the syntax file's line number.
#ifndef QUILLSET_TOOLKIT_SYNTAX_LINT_H
#define QUILLSET_TOOLKIT_SYNTAX_LINT_H

#include <string>
#include <vector>

namespace quillset::toolkit {

struct LintWarning {
    int line;  // 0 when the definition's line is not known (a file with errors)
    std::string text;
};

struct LintResult {
    int status = 0;  // as CCmdGen::GetStatus: 0 loaded, 2 errors, 4 cannot be opened
    std::vector<LintWarning> warnings;
};

LintResult LintSyntax(std::string const& path);

// The line number of every definition of a syntax file, in file order: lines that are not
// blank, a comment or a directive, a line ending in "\" joined with the next.
std::vector<int> DefinitionLines(std::string const& text);

}  // namespace quillset::toolkit

#endif

// quillset check: compile a syntax file (the library prints its errors) and lint it.
#include "bundled_files.h"
#include "commands.h"

#include "toolkit/failure.h"
#include "toolkit/syntax_lint.h"

namespace quillset::tool {

void RegisterCheckCommand(CLI::App& app, int& exitCode)
{
    auto syntax = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand("check", "Compile a syntax file and warn about shapes that lose data");
    command->add_option("-s,--syntax", *syntax, "Syntax file (default: the bundled device syntax)");
    command->footer("Exit status: 0 clean, 1 errors, 3 warnings only.\nExample:\n  quillset check -s my.syntax");
    command->callback([syntax, &exitCode] {
        std::string const path = syntax->empty() ? DefaultSyntaxPath() : *syntax;
        toolkit::LintResult const result = toolkit::LintSyntax(path);
        if (result.status == 4)
            throw toolkit::Failure(path, 0, "cannot open the syntax file");
        for (toolkit::LintWarning const& warning : result.warnings)
            ReportError(toolkit::Failure(path, warning.line, "warning: " + warning.text).Describe());
        if (result.status != 0)
            exitCode = kExitFailure;
        else
            exitCode = result.warnings.empty() ? kExitOk : kExitWarnings;
    });
}

}  // namespace quillset::tool

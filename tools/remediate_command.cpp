// quillset remediate: the configuration commands that turn RUNNING into INTENDED.
#include "commands.h"
#include "diff_session.h"

#include "diff/remediation.h"
#include "toolkit/safe_output.h"

namespace quillset::tool {

namespace {

struct RemediateArguments {
    DiffFlags flags;
    std::string running;
    std::string intended;
    std::string output = "-";
};

}  // namespace

void RegisterRemediateCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<RemediateArguments>();
    CLI::App* command =
        app.add_subcommand("remediate", "Write the configuration commands that turn RUNNING into INTENDED");
    AddDiffFlags(*command, arguments->flags);
    command->add_option("running", arguments->running, "Running configuration (- for the standard input)")
        ->required();
    command->add_option("intended", arguments->intended, "Intended configuration")->required();
    command->add_option("-o,--output", arguments->output, "Output file")->default_str("-");
    command->footer("`quillset remediate INTENDED RUNNING` is the rollback.\n"
                    "Example:\n  quillset remediate running.cfg intended.cfg -o change.txt");
    command->callback([arguments, &exitCode] {
        std::string text;
        CompareConfigurations(arguments->flags, arguments->running, arguments->intended,
                              [&](auto const& model, auto const& running, auto const& intended) {
                                  for (std::string const& line : diff::Remediate(model, running, intended))
                                      text += line + "\n";
                              });
        toolkit::WriteOutputFile(arguments->output, text);
        exitCode = kExitOk;
    });
}

}  // namespace quillset::tool

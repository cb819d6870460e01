// quillset apply: the configuration a device would have after receiving COMMANDS in
// configuration mode, to check a change before it is sent.
#include "commands.h"
#include "diff_session.h"
#include "process_store.h"

#include "toolkit/input_file.h"

namespace quillset::tool {

namespace {

struct ApplyArguments {
    DiffFlags flags;
    std::string running;
    std::string commands;
    std::string output = "-";
};

}  // namespace

void RegisterApplyCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<ApplyArguments>();
    CLI::App* command =
        app.add_subcommand("apply", "Write the configuration RUNNING becomes after receiving COMMANDS");
    AddDiffFlags(*command, arguments->flags);
    command->add_option("running", arguments->running, "Running configuration")->required();
    command->add_option("commands", arguments->commands, "Configuration commands (- for the standard input)")
        ->required();
    command->add_option("-o,--output", arguments->output, "Output file")->default_str("-");
    command->footer("Example:\n  quillset remediate running.cfg intended.cfg | quillset apply running.cfg - -o check.cfg");
    command->callback([arguments, &exitCode] {
        DiffSession session(arguments->flags);
        CDbObject& running = StoreUntilExit();
        session.Parse(arguments->running, running);
        std::string const commands = toolkit::ReadInputFile(arguments->commands);
        diff::ApplyCommands(session.Model(), running, commands, session.Dialect());
        session.Write(running, arguments->output);
        exitCode = kExitOk;
    });
}

}  // namespace quillset::tool

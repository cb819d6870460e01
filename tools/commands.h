// The subcommands of the quillset tool. Each file registers one subcommand on the
// application; its callback throws toolkit::Failure for a file that cannot be used and
// sets the exit code otherwise.
#ifndef QUILLSET_TOOLS_COMMANDS_H
#define QUILLSET_TOOLS_COMMANDS_H

#include <CLI/CLI.hpp>

namespace quillset::tool {

// Exit codes: each means one thing.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWarnings = 3;

void RegisterParseCommand(CLI::App& app, int& exitCode);
void RegisterGenerateCommand(CLI::App& app, int& exitCode);
void RegisterQueryCommand(CLI::App& app, int& exitCode);
void RegisterSetCommand(CLI::App& app, int& exitCode);
void RegisterRoundTripCommand(CLI::App& app, int& exitCode);
void RegisterCheckCommand(CLI::App& app, int& exitCode);
void RegisterDiffCommand(CLI::App& app, int& exitCode);
void RegisterRemediateCommand(CLI::App& app, int& exitCode);
void RegisterApplyCommand(CLI::App& app, int& exitCode);

// The demo that runs when no subcommand is given.
int RunDemo();

// Prints "quillset: message" on the standard error stream.
void ReportError(std::string const& message);

}  // namespace quillset::tool

#endif

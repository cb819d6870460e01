// The quillset tool's entry point: registers the subcommands, runs the one asked for (the
// demo without one) and turns failures into messages and exit codes.
#include "commands.h"

#include "toolkit/failure.h"

#include <cstdio>

namespace quillset::tool {

void ReportError(std::string const& message) { std::fprintf(stderr, "quillset: %s\n", message.c_str()); }

}  // namespace quillset::tool

int main(int argc, char** argv)
{
    using namespace quillset::tool;
    CLI::App app("Quillset: network-device configuration text to records and back, driven by a syntax file.\n"
                 "Without a subcommand, runs a short demo on the bundled example configuration.",
                 "quillset");
    app.set_version_flag("--version", "quillset " QUILLSET_VERSION);
    app.require_subcommand(0, 1);
    app.footer("Exit status: 0 ok, 1 failure, 2 usage error, 3 syntax warnings only (check).\n"
               "Run `quillset SUBCOMMAND --help` for the options and an example.");
    int exitCode = kExitOk;
    RegisterParseCommand(app, exitCode);
    RegisterGenerateCommand(app, exitCode);
    RegisterQueryCommand(app, exitCode);
    RegisterSetCommand(app, exitCode);
    RegisterRoundTripCommand(app, exitCode);
    RegisterCheckCommand(app, exitCode);
    RegisterDiffCommand(app, exitCode);
    RegisterRemediateCommand(app, exitCode);
    RegisterApplyCommand(app, exitCode);
    try {
        app.parse(argc, argv);
        if (app.get_subcommands().empty())
            exitCode = RunDemo();
    } catch (CLI::ParseError const& error) {
        return app.exit(error) == 0 ? kExitOk : kExitUsage;
    } catch (quillset::toolkit::Failure const& failure) {
        ReportError(failure.Describe());
        return kExitFailure;
    } catch (std::bad_alloc const&) {
        ReportError("out of memory");
        return kExitFailure;
    } catch (std::exception const& error) {
        ReportError(std::string("internal error: ") + error.what());
        return kExitFailure;
    }
    return exitCode;
}

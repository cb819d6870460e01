// quillset roundtrip: per configuration, whether the tool keeps every line and parses its
// own output to the same records.
#include "commands.h"
#include "converter_options.h"
#include "record_json.h"

#include "toolkit/failure.h"
#include "toolkit/input_file.h"
#include "toolkit/round_trip.h"
#include "toolkit/safe_output.h"

#include <cstdio>

namespace quillset::tool {

namespace {

struct RoundTripArguments {
    ConverterFlags flags;
    std::vector<std::string> inputs;
    std::string format = "text";
};

std::string Milliseconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1000);
    return text;
}

std::string ReportText(std::string const& file, toolkit::RoundTripReport const& report)
{
    std::string text = file + ": " + std::to_string(report.lines) + " lines, " + std::to_string(report.commands) +
                       " commands (" + std::to_string(report.matchedCommands) + " matched, " +
                       std::to_string(report.unknownLines) + " unknown lines), " + std::to_string(report.records) +
                       " records, parse " + Milliseconds(report.parseSeconds) + ", generate " +
                       Milliseconds(report.generateSeconds) + ", " + std::to_string(report.lost.size()) +
                       " lines lost, " + (report.reparsesEqual ? "reparses equal" : "REPARSES DIFFERENT") + "\n";
    for (toolkit::NumberedLine const& lost : report.lost)
        text += "  lost line " + std::to_string(lost.line) + ": " + lost.text + "\n";
    return text;
}

// The closing line over every file reported, so a run over a fleet ends with its verdict.
struct RoundTripTotals {
    int files = 0;
    int lines = 0;
    int commands = 0;
    int matchedCommands = 0;
    int lost = 0;
    int kept = 0;

    void Add(toolkit::RoundTripReport const& report)
    {
        ++files;
        lines += report.lines;
        commands += report.commands;
        matchedCommands += report.matchedCommands;
        lost += static_cast<int>(report.lost.size());
        kept += report.Kept() ? 1 : 0;
    }

    std::string Text() const
    {
        char share[32];
        std::snprintf(share, sizeof share, "%.1f%%", commands == 0 ? 100.0 : 100.0 * matchedCommands / commands);
        return "total: " + std::to_string(files) + " files, " + std::to_string(lines) + " lines, " +
               std::to_string(commands) + " commands, " + share + " matched, " + std::to_string(lost) +
               " lines lost, " + std::to_string(kept) + " of " + std::to_string(files) +
               " files kept and reparse equal\n";
    }
};

Json ReportJson(std::string const& file, toolkit::RoundTripReport const& report)
{
    Json lost = Json::array();
    for (toolkit::NumberedLine const& line : report.lost)
        lost.push_back({{"line", line.line}, {"text", line.text}});
    return {{"file", file},
            {"lines", report.lines},
            {"commands", report.commands},
            {"matched_commands", report.matchedCommands},
            {"unknown_lines", report.unknownLines},
            {"records", report.records},
            {"parse_seconds", report.parseSeconds},
            {"generate_seconds", report.generateSeconds},
            {"lost", lost},
            {"reparses_equal", report.reparsesEqual},
            {"kept", report.Kept()}};
}

int Run(RoundTripArguments const& arguments)
{
    toolkit::Converter converter(arguments.flags.Options());
    bool const json = arguments.format == "json";
    Json reports = Json::array();
    RoundTripTotals totals;
    int exitCode = kExitOk;
    for (std::string const& input : arguments.inputs) {
        try {
            toolkit::RoundTripReport const report =
                toolkit::RunRoundTrip(converter, toolkit::ReadInputFile(input), input);
            totals.Add(report);
            if (!report.Kept())
                exitCode = kExitFailure;
            if (json)
                reports.push_back(ReportJson(input, report));
            else
                toolkit::WriteOutputFile("-", ReportText(input, report));
        } catch (toolkit::Failure const& failure) {
            ReportError(failure.Describe());
            exitCode = kExitFailure;
        }
    }
    if (json)
        toolkit::WriteOutputFile("-", DocumentText(reports, "<report>", false));
    else if (totals.files > 1)
        toolkit::WriteOutputFile("-", totals.Text());
    return exitCode;
}

}  // namespace

void RegisterRoundTripCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<RoundTripArguments>();
    CLI::App* command =
        app.add_subcommand("roundtrip", "Parse, write back and parse again; report lost lines per file");
    AddConverterFlags(*command, arguments->flags);
    command->add_option("configs", arguments->inputs, "Configuration files")->required();
    command->add_option("--format", arguments->format, "text or json")->check(CLI::IsMember({"text", "json"}));
    command->footer("Exit status 0 only when every file keeps every line and reparses to the same records.\n"
                    "Example:\n  quillset roundtrip configs/*.cfg");
    command->callback([arguments, &exitCode] { exitCode = Run(*arguments); });
}

}  // namespace quillset::tool

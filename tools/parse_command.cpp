// quillset parse: configuration files to store files (delimited, JSON, or JSON Lines).
#include "commands.h"
#include "config_files.h"
#include "converter_options.h"
#include "store_files.h"

#include "toolkit/failure.h"
#include "toolkit/safe_output.h"

#include <filesystem>
#include <sys/stat.h>

namespace quillset::tool {

namespace {

struct ParseArguments {
    ConverterFlags flags;
    std::vector<std::string> inputs;
    std::string output = "-";
    std::string format = "delimited";
};

bool IsDirectoryTarget(std::string const& output)
{
    struct stat info {};
    return !output.empty() && (output.back() == '/' || (::stat(output.c_str(), &info) == 0 && S_ISDIR(info.st_mode)));
}

std::string BaseName(std::string const& path)
{
    std::string name = path.substr(path.rfind('/') + 1);
    return name.substr(0, name.rfind('.'));
}

// Where the store of `input` goes: the output itself, or a file named after the input in
// the output folder.
std::string OutputFor(ParseArguments const& arguments, std::string const& input)
{
    if (!IsDirectoryTarget(arguments.output))
        return arguments.output;
    std::string folder = arguments.output;
    if (folder.back() != '/')
        folder += '/';
    return folder + BaseName(input) + (arguments.format == "delimited" ? ".store" : "." + arguments.format);
}

std::string ParseToStoreText(toolkit::Converter& converter, std::string const& input, std::string const& format)
{
    CDbObject db;
    ParseConfigFile(converter, input, db);
    return FormatStore(db, converter.Syntaxes(), format, input);
}

void CreateFolder(std::string const& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw toolkit::Failure(folder, 0, "cannot create the folder: " + error.message());
}

// Parses every input in turn. A file that fails is reported and the others still run;
// into one output (JSON Lines collect one line per input) nothing is written unless every
// input parsed. Returns the exit code.
int ParseFiles(ParseArguments const& arguments)
{
    toolkit::Converter converter(arguments.flags.Options());
    bool const oneOutput = !IsDirectoryTarget(arguments.output);
    if (!oneOutput)
        CreateFolder(arguments.output);
    std::string collected;
    int exitCode = kExitOk;
    for (std::string const& input : arguments.inputs) {
        try {
            std::string const text = ParseToStoreText(converter, input, arguments.format);
            if (oneOutput)
                collected += text;
            else
                toolkit::WriteOutputFile(OutputFor(arguments, input), text);
        } catch (toolkit::Failure const& failure) {
            ReportError(failure.Describe());
            exitCode = kExitFailure;
        }
    }
    if (oneOutput && exitCode == kExitOk)
        toolkit::WriteOutputFile(arguments.output, collected);
    return exitCode;
}

}  // namespace

void RegisterParseCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<ParseArguments>();
    CLI::App* command = app.add_subcommand("parse", "Parse configuration files into store files");
    AddConverterFlags(*command, arguments->flags);
    command->add_option("configs", arguments->inputs, "Configuration files (- for the standard input)")->required();
    command->add_option("-o,--output", arguments->output, "Output file, or a folder (DIR/) for one file per input")
        ->default_str("-");
    command->add_option("--format", arguments->format, "delimited (the library's store file), json or jsonl")
        ->check(CLI::IsMember(StoreFormats()));
    command->footer("Example:\n  quillset parse router.cfg --format json -o router.json\n"
                    "  quillset parse configs/*.cfg -o stores/");
    command->callback([arguments, &exitCode] {
        if (arguments->inputs.size() > 1 && arguments->format != "jsonl" && !IsDirectoryTarget(arguments->output))
            throw CLI::ValidationError("several inputs need --format jsonl or -o DIR/");
        exitCode = ParseFiles(*arguments);
    });
}

}  // namespace quillset::tool

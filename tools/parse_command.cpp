// quillset parse: configuration files to store files (delimited, JSON, or JSON Lines).
#include "commands.h"
#include "config_files.h"
#include "converter_options.h"
#include "input_list.h"
#include "process_store.h"
#include "store_files.h"

#include "toolkit/failure.h"
#include "toolkit/safe_output.h"
#include "toolkit/work_pool.h"

#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace quillset::tool {

namespace {

struct ParseArguments {
    ConverterFlags flags;
    std::vector<std::string> inputs;
    std::string output = "-";
    std::string format = "delimited";
    unsigned jobs = 0;  // 0: every core
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

std::string ParseToStoreText(toolkit::Converter& converter, std::string const& input, std::string const& format,
                             CDbObject& db)
{
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

// Where each input's store goes in an output folder, or a Failure for an input whose store
// would overwrite the one of an earlier input with the same base name.
std::vector<std::string> FolderOutputs(ParseArguments const& arguments, std::vector<std::string> const& inputs,
                                       std::vector<std::string>& errors)
{
    std::vector<std::string> outputs;
    std::map<std::string, std::string> inputOf;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        outputs.push_back(OutputFor(arguments, inputs[i]));
        auto const [claimed, fresh] = inputOf.emplace(outputs[i], inputs[i]);
        if (!fresh) {
            errors[i] = toolkit::Failure(inputs[i], 0, "its store would overwrite the one of " + claimed->second +
                                                           " in " + outputs[i])
                            .Describe();
        }
    }
    return outputs;
}

// Parses the inputs on `jobs` threads, one store per input. A file that fails is reported
// (in input order, once all are done) and the others still run; into one output (JSON
// Lines collect one line per input, in input order) nothing is written unless every input
// parsed. Returns the exit code.
int ParseFiles(ParseArguments const& arguments, std::vector<std::string> const& inputs)
{
    toolkit::Converter converter(arguments.flags.Options());
    bool const oneOutput = !IsDirectoryTarget(arguments.output);
    if (!oneOutput)
        CreateFolder(arguments.output);
    std::vector<std::string> errors(inputs.size());
    std::vector<std::string> const outputs = oneOutput ? inputs : FolderOutputs(arguments, inputs, errors);
    std::vector<std::string> texts(inputs.size());
    toolkit::ForEachOnThreads(inputs.size(), arguments.jobs, [&](std::size_t i) {
        if (!errors[i].empty())
            return;
        try {
            // Each of many stores is freed once written; the only one lasts until exit.
            CDbObject perFile;
            CDbObject& db = inputs.size() == 1 ? StoreUntilExit() : perFile;
            std::string text = ParseToStoreText(converter, inputs[i], arguments.format, db);
            if (oneOutput)
                texts[i] = std::move(text);
            else
                toolkit::WriteOutputFile(outputs[i], text);
        } catch (toolkit::Failure const& failure) {
            errors[i] = failure.Describe();
        }
    });
    int exitCode = kExitOk;
    for (std::string const& error : errors) {
        if (!error.empty()) {
            ReportError(error);
            exitCode = kExitFailure;
        }
    }
    if (oneOutput && exitCode == kExitOk) {
        std::string collected;
        for (std::string const& text : texts)
            collected += text;
        toolkit::WriteOutputFile(arguments.output, collected);
    }
    return exitCode;
}

}  // namespace

void RegisterParseCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<ParseArguments>();
    CLI::App* command = app.add_subcommand("parse", "Parse configuration files into store files");
    AddConverterFlags(*command, arguments->flags);
    command->add_option("configs", arguments->inputs,
                        "Configuration files, or folders searched recursively (- for the standard input)")
        ->required();
    command->add_option("-o,--output", arguments->output, "Output file, or a folder (DIR/) for one file per input")
        ->default_str("-");
    command->add_option("--format", arguments->format, "delimited (the library's store file), json or jsonl")
        ->check(CLI::IsMember(StoreFormats()));
    command->add_option("-j,--jobs", arguments->jobs, "Files parsed at once, on as many threads (0: every core)")
        ->default_str("0");
    command->footer("Example:\n  quillset parse router.cfg --format json -o router.json\n"
                    "  quillset parse -j 2 configs/ -o stores/");
    command->callback([arguments, &exitCode] {
        std::vector<std::string> const inputs = ExpandInputs(arguments->inputs);
        if (inputs.size() > 1 && arguments->format != "jsonl" && !IsDirectoryTarget(arguments->output))
            throw CLI::ValidationError("several inputs (or a folder) need --format jsonl or -o DIR/");
        exitCode = ParseFiles(*arguments, inputs);
    });
}

}  // namespace quillset::tool

// quillset generate: a store file (delimited or JSON, detected) back to configuration text.
#include "commands.h"
#include "config_files.h"
#include "converter_options.h"
#include "process_store.h"
#include "store_files.h"

#include "toolkit/failure.h"
#include "toolkit/input_file.h"

namespace quillset::tool {

namespace {

struct GenerateArguments {
    ConverterFlags flags;
    std::string store;
    std::string output = "-";
};

}  // namespace

void RegisterGenerateCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<GenerateArguments>();
    CLI::App* command = app.add_subcommand("generate", "Write a store file back as configuration text");
    AddConverterFlags(*command, arguments->flags);
    command->add_option("store", arguments->store, "Store file, delimited or JSON (- for the standard input)")
        ->required();
    command->add_option("-o,--output", arguments->output, "Output file")->default_str("-");
    command->footer("Example:\n  quillset generate router.json -o router.cfg");
    command->callback([arguments, &exitCode] {
        toolkit::Converter converter(arguments->flags.Options());
        CDbObject& db = StoreUntilExit();
        LoadStoreText(toolkit::ReadInputFile(arguments->store), db, arguments->store);
        std::string const text = converter.Generate(db, arguments->store);
        if (text.empty() && db.GetEntryCount() > 0)
            throw toolkit::Failure(arguments->store, 0,
                                   "the syntax writes none of its " + std::to_string(db.GetEntryCount()) +
                                       " records (is it a store file for this syntax?)");
        WriteConfigText(arguments->output, text);
        exitCode = kExitOk;
    });
}

}  // namespace quillset::tool

// quillset set: change (or create) the records that match a query and write the
// configuration back.
#include "commands.h"
#include "config_files.h"
#include "converter_options.h"
#include "process_store.h"
#include "record_selection.h"

#include "toolkit/failure.h"

namespace quillset::tool {

namespace {

struct SetArguments {
    ConverterFlags flags;
    std::string config;
    Selection selection;
    std::vector<std::string> assignments;
    bool create = false;
    std::string output = "-";
};

void Run(SetArguments const& arguments)
{
    toolkit::Converter converter(arguments.flags.Options());
    CDbObject& db = StoreUntilExit();
    ParseConfigFile(converter, arguments.config, db);
    std::vector<CDbEntry*> records = arguments.selection.Select(db, arguments.config);
    if (records.empty() && arguments.create)
        records.push_back(arguments.selection.Create(db, arguments.config));
    if (records.empty())
        throw toolkit::Failure(arguments.config, 0,
                               "no " + arguments.selection.name + " record matches (use --create to add one)");
    for (CDbEntry* record : records) {
        for (std::string const& assignment : arguments.assignments) {
            std::size_t const equals = assignment.find('=');
            record->Set(assignment.substr(0, equals).c_str(), assignment.substr(equals + 1).c_str());
        }
    }
    WriteConfigFile(converter, db, arguments.output);
}

}  // namespace

void RegisterSetCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<SetArguments>();
    CLI::App* command =
        app.add_subcommand("set", "Set fields of the matching records (or a new one) and write the configuration");
    AddConverterFlags(*command, arguments->flags);
    command->add_option("config", arguments->config, "Configuration file")->required();
    arguments->selection.AddTo(*command);
    command->add_option("--to", arguments->assignments, "FIELD=VALUE to set on every matching record")
        ->required()
        ->check(FieldAssignment());
    command->add_flag("--create", arguments->create, "Create the record when none matches");
    command->add_option("-o,--output", arguments->output, "Output file (may be the configuration itself)")
        ->default_str("-");
    command->footer("Example:\n  quillset set router.cfg Speed --under Interface:name=FastEthernet0/0 --to mbps=1000\n"
                    "  quillset set router.cfg Hostname --to name=core-1 -o router.cfg");
    command->callback([arguments, &exitCode] {
        Run(*arguments);
        exitCode = kExitOk;
    });
}

}  // namespace quillset::tool

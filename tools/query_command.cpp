// quillset query: the records of a configuration that match a query.
#include "commands.h"
#include "config_files.h"
#include "converter_options.h"
#include "process_store.h"
#include "record_json.h"
#include "record_selection.h"

#include "toolkit/safe_output.h"

namespace quillset::tool {

namespace {

struct QueryArguments {
    ConverterFlags flags;
    std::string config;
    Selection selection;
    std::string format = "delimited";
};

std::string FormatRecords(std::vector<CDbEntry*> const& records, CDbObject const& db,
                          toolkit::SyntaxList const& syntaxes, std::string const& format, std::string const& source)
{
    if (format == "json") {
        Json array = Json::array();
        for (CDbEntry const* record : records)
            array.push_back(NodeToJson(toolkit::BuildSubtree(db, syntaxes, *record)));
        return DocumentText(Json{{"source", source}, {"records", array}}, source, false);
    }
    std::string text;
    CString line;
    for (CDbEntry const* record : records)
        text += std::string(record->GetEntry(line)) + "\n";
    return text;
}

}  // namespace

void RegisterQueryCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<QueryArguments>();
    CLI::App* command = app.add_subcommand("query", "Print the records of a configuration that match a query");
    AddConverterFlags(*command, arguments->flags);
    command->add_option("config", arguments->config, "Configuration file")->required();
    arguments->selection.AddTo(*command);
    command->add_option("--format", arguments->format, "delimited (one record per line) or json (with children)")
        ->check(CLI::IsMember({"delimited", "json"}));
    command->footer("Example:\n  quillset query router.cfg Interface name=FastEthernet0/0 --format json\n"
                    "  quillset query router.cfg Address --under Interface:name=FastEthernet0/1");
    command->callback([arguments, &exitCode] {
        toolkit::Converter converter(arguments->flags.Options());
        CDbObject& db = StoreUntilExit();
        ParseConfigFile(converter, arguments->config, db);
        std::vector<CDbEntry*> const records = arguments->selection.Select(db, arguments->config);
        toolkit::WriteOutputFile(
            "-", FormatRecords(records, db, converter.Syntaxes(), arguments->format, arguments->config));
        exitCode = kExitOk;
    });
}

}  // namespace quillset::tool

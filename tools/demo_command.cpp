// The demo that runs without a subcommand: parse the bundled example configuration with the
// bundled syntax, summarise its records, change one field through the query language and
// show what changed in the configuration written back.
#include "bundled_files.h"
#include "commands.h"
#include "config_files.h"

#include "toolkit/line_diff.h"
#include "toolkit/record_tree.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <set>

namespace quillset::tool {

namespace {

// The interface and speed the demo changes.
char const kInterface[] = "FastEthernet0/0";
int const kNewSpeed = 1000;

void PrintRecordCounts(CDbObject const& db, toolkit::SyntaxList const& syntaxes)
{
    std::printf("Records per command:\n");  // unmatched lines are counted per mode below
    std::set<std::string> seen;
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        char const* id = syntaxes[i]->GetId();
        int const count = db.SelectCount(id, nullptr);
        if (seen.insert(id).second && count > 0 && std::strcmp(id, QS_UNKNOWN_ID) != 0)
            std::printf("  %-14s %d\n", id, count);
    }
}

void CountUnknownLines(toolkit::RecordTree const& tree, std::string const& mode, std::map<std::string, int>& counts)
{
    for (toolkit::RecordNode const& node : tree) {
        if (node.name == QS_UNKNOWN_ID)
            ++counts[mode];
        CountUnknownLines(node.children, node.name, counts);
    }
}

void PrintUnknownLines(CDbObject const& db, toolkit::SyntaxList const& syntaxes)
{
    std::map<std::string, int> counts;
    CountUnknownLines(toolkit::BuildTree(db, syntaxes), "(top level)", counts);
    std::printf("Lines no definition matched, per mode (kept and written back):\n");
    if (counts.empty())
        std::printf("  (none)\n");
    for (auto const& [mode, count] : counts)
        std::printf("  %-14s %d\n", mode.c_str(), count);
}

// Sets the interface's speed through the query language; false when the configuration or
// the syntax has no such record.
bool ChangeSpeed(CDbObject& db)
{
    CDbEntry* interface = db.Select("Interface", "name", kInterface, nullptr);
    if (interface == nullptr || db.Select("Speed", interface, 0) == nullptr)
        return false;
    return db.Set("mbps", kNewSpeed) == 0;
}

}  // namespace

int RunDemo()
{
    toolkit::ConverterOptions options;
    options.syntaxPath = DefaultSyntaxPath();
    toolkit::Converter converter(options);
    std::string const config = DemoConfigurationPath();
    CDbObject db;
    ParseConfigFile(converter, config, db);
    std::printf("quillset demo: %s parsed with %s into %d records.\n\n", config.c_str(), options.syntaxPath.c_str(),
                db.GetEntryCount());
    PrintRecordCounts(db, converter.Syntaxes());
    PrintUnknownLines(db, converter.Syntaxes());

    std::string const before = converter.Generate(db, config);
    if (!ChangeSpeed(db)) {
        std::printf("\nThe configuration has no speed on %s to change.\n", kInterface);
        return kExitOk;
    }
    std::printf("\nSelect(\"Interface\", \"name\", \"%s\"), then its \"Speed\" record; Set(\"mbps\", %d).\n"
                "The configuration written back changes so:\n\n",
                kInterface, kNewSpeed);
    std::string const after = converter.Generate(db, config);
    std::fputs(toolkit::UnifiedDiff(before, after, "router.cfg (written back)", "router.cfg (changed)").c_str(), stdout);
    std::printf("\nRun `quillset --help` for the subcommands.\n");
    return kExitOk;
}

}  // namespace quillset::tool

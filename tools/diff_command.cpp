// quillset diff: the record-level difference between two configurations, grouped by
// parent, as text or JSON.
#include "commands.h"
#include "diff_session.h"
#include "record_json.h"

#include "diff/config_diff.h"
#include "toolkit/safe_output.h"

namespace quillset::tool {

namespace {

struct DiffArguments {
    DiffFlags flags;
    std::string a;
    std::string b;
    std::string format = "text";
};

char const* KindSign(diff::ChangeKind kind)
{
    switch (kind) {
    case diff::ChangeKind::OnlyInA:
        return "-";
    case diff::ChangeKind::OnlyInB:
        return "+";
    default:
        return "~";
    }
}

// A record without lines (one the syntax never writes) is shown by its command.
std::vector<std::string> ShownLines(diff::RecordChange const& change)
{
    return change.lines.empty() ? std::vector<std::string>{"(" + change.command + ")"} : change.lines;
}

// One block per parent: the parent chain, then "- ", "+ " or "~ " before each record's
// first line, its other lines indented below, and "field: old -> new" for changed fields.
std::string DiffText(std::vector<diff::ChangeGroup> const& groups)
{
    std::string text;
    for (diff::ChangeGroup const& group : groups) {
        std::string heading;
        for (std::string const& parent : group.parents)
            heading += (heading.empty() ? "" : " > ") + parent;
        text += (heading.empty() ? "(top level)" : heading) + "\n";
        for (diff::RecordChange const& change : group.changes) {
            std::vector<std::string> const lines = ShownLines(change);
            text += std::string("  ") + KindSign(change.kind) + " " + diff::TrimIndent(lines.front()) + "\n";
            for (std::size_t i = 1; i < lines.size(); ++i)
                text += "    " + lines[i] + "\n";
            for (diff::FieldChange const& field : change.fields)
                text += "      " + field.field + ": \"" + field.oldValue + "\" -> \"" + field.newValue + "\"\n";
        }
    }
    return text;
}

Json DiffJson(DiffArguments const& arguments, std::vector<diff::ChangeGroup> const& groups)
{
    Json list = Json::array();
    for (diff::ChangeGroup const& group : groups) {
        Json changes = Json::array();
        for (diff::RecordChange const& change : group.changes) {
            Json fields = Json::array();
            for (diff::FieldChange const& field : change.fields)
                fields.push_back({{"field", field.field}, {"old", field.oldValue}, {"new", field.newValue}});
            changes.push_back(
                {{"kind", diff::ChangeKindName(change.kind)}, {"command", change.command}, {"lines", change.lines}, {"fields", fields}});
        }
        list.push_back({{"parents", group.parents}, {"changes", changes}});
    }
    return {{"a", arguments.a}, {"b", arguments.b}, {"groups", list}};
}

}  // namespace

void RegisterDiffCommand(CLI::App& app, int& exitCode)
{
    auto arguments = std::make_shared<DiffArguments>();
    CLI::App* command = app.add_subcommand("diff", "Compare two configurations record by record");
    AddDiffFlags(*command, arguments->flags);
    command->add_option("a", arguments->a, "First configuration (- for the standard input)")->required();
    command->add_option("b", arguments->b, "Second configuration")->required();
    command->add_option("--format", arguments->format, "Output format")
        ->check(CLI::IsMember({"text", "json"}))
        ->default_str("text");
    command->footer("Records are matched by command, identifying fields and parent, wherever they stand.\n"
                    "Example:\n  quillset diff yesterday.cfg today.cfg --format json");
    command->callback([arguments, &exitCode] {
        std::vector<diff::ChangeGroup> groups;
        CompareConfigurations(arguments->flags, arguments->a, arguments->b,
                              [&](auto const& model, auto const& a, auto const& b) {
                                  groups = diff::DiffStores(model, a, b);
                              });
        if (arguments->format == "json")
            toolkit::WriteOutputFile("-", DocumentText(DiffJson(*arguments, groups), "<diff>", false));
        else
            toolkit::WriteOutputFile("-", DiffText(groups));
        exitCode = kExitOk;
    });
}

}  // namespace quillset::tool

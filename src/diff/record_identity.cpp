// What a record is, as comparison sees it: its identity among its siblings, its negation
// state, its place in the output order and the configuration lines it stands for.
#include "diff/command_model.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace quillset::diff {

namespace {

// Separates the parts of an identity; field texts never hold it in practice, and a clash
// could only merge two records that differ in nothing but where this byte falls.
char const kSeparator = '\x1f';

}  // namespace

bool CommandModel::IsUnknown(CDbEntry const& record) { return std::strcmp(record.GetName(), QS_UNKNOWN_ID) == 0; }

int CommandModel::OrderOf(CDbEntry const& record) const
{
    CDbEntry const* const parent = record.GetParent();
    if (IsUnknown(record))
        return UnknownOrder(parent != nullptr ? parent->GetName() : "");
    CommandInfo const* const command = Find(record.GetName());
    if (command == nullptr)
        return std::numeric_limits<int>::max();
    return command->ordered ? command->sequenceOrder : command->order;
}

bool CommandModel::HasKey(CommandInfo const& command, CDbEntry const& record) const
{
    return command.keyed && std::all_of(command.keyFields.begin(), command.keyFields.end(),
                                        [&](std::string const& field) { return record.IsExist(field.c_str()); });
}

std::string CommandModel::IdentityOf(CDbEntry const& record) const
{
    std::string identity = record.GetName();
    identity += kSeparator;
    if (IsUnknown(record))
        return identity + static_cast<char const*>(record.Get(QS_UNKNOWN_TEXT));
    CommandInfo const* const command = Find(record.GetName());
    if (command != nullptr && HasKey(*command, record)) {
        for (std::string const& field : command->keyFields)
            identity.append(record.Get(field.c_str())).push_back(kSeparator);
        return identity;
    }
    std::vector<std::pair<std::string, std::string>> fields;
    for (int i = 0; i < record.GetFieldCount(); ++i) {
        char const* const name = record.GetFieldByIndex(i);
        if (command == nullptr || command->negationField != name)
            fields.emplace_back(name, static_cast<char const*>(record.GetByIndex(i)));
    }
    std::sort(fields.begin(), fields.end());
    for (auto const& [name, value] : fields)
        identity.append(name).append("=").append(value).push_back(kSeparator);
    return identity;
}

bool CommandModel::IsKeyField(CommandInfo const& command, CDbEntry const& record, std::string const& field) const
{
    if (HasKey(command, record))
        return std::find(command.keyFields.begin(), command.keyFields.end(), field) != command.keyFields.end();
    return field != command.negationField;
}

bool CommandModel::IsNegated(CDbEntry const& record) const
{
    CommandInfo const* const command = Find(record.GetName());
    return command != nullptr && !command->negationField.empty() &&
           record.Get(command->negationField.c_str()) == command->negationValue.c_str();
}

std::vector<std::string> CommandModel::LinesOf(CDbEntry const& record) const
{
    if (IsUnknown(record))
        return {static_cast<char const*>(record.Get(QS_UNKNOWN_TEXT))};
    std::vector<std::string> lines;
    CommandInfo const* const command = Find(record.GetName());
    if (command == nullptr)
        return lines;
    for (CCmdSyntax* const definition : command->definitions) {
        CString line;
        if (definition->Generate(&record, line, true) == 0 && line.GetLength() > 0)
            lines.emplace_back(static_cast<char const*>(line));
    }
    return lines;
}

std::string CommandModel::FirstLineOf(CDbEntry const& record) const
{
    std::vector<std::string> lines = LinesOf(record);
    return lines.empty() ? std::string() : std::move(lines.front());
}

std::string CommandModel::IndentOf(CCmdSyntax const& definition)
{
    auto const* const literal = dynamic_cast<CSymbolString const*>(definition.GetRoot());
    if (literal == nullptr)
        return {};
    std::string_view const text = literal->GetText();
    return std::string(text.substr(0, text.find_first_not_of(" \t")));
}

}  // namespace quillset::diff

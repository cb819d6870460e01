// Builds the command model from a loaded syntax and a rules file, checking every rule
// against the syntax so that a mistyped command or field is reported where it was written.
#include "diff/command_model.h"

#include "toolkit/symbol_walk.h"

#include <quillset/symbols.h>

#include <algorithm>
#include <functional>
#include <limits>

namespace quillset::diff {

namespace {

unsigned int const kGenerates = 1;
unsigned int const kParses = 2;
char const kDefaultExit[] = "exit";

bool IsNegationItem(char const* item)
{
    std::string_view text = item;
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text == "no";
}

void AddField(CommandInfo& command, std::string const& name)
{
    if (std::find(command.fields.begin(), command.fields.end(), name) == command.fields.end())
        command.fields.push_back(name);
}

// Collects the named variables of a definition and the field its "no" item sets.
void CollectFields(CSymbolEntry* root, CommandInfo& command)
{
    toolkit::ForEachVariable(root, [&](CSymbolVar const& variable) {
        if (*variable.GetName() != '%')
            AddField(command, variable.GetName());
        auto const* words = dynamic_cast<CSymbolVarEnum const*>(&variable);
        for (int i = 0; words != nullptr && command.negationField.empty() && i < words->GetItemCount(); ++i) {
            if (IsNegationItem(words->GetItem(i))) {
                command.negationField = words->GetName();
                command.negationValue = std::to_string(words->GetItemValue(i));
            }
        }
    });
}

}  // namespace

bool CommandModel::Build(CDynArray<CCmdSyntax*> const& syntaxes, Rules const& rules, RulesError& error)
{
    m_commands.clear();
    m_byId.clear();
    m_byParent.clear();
    m_unknownOrder.clear();
    m_syntaxes = &syntaxes;
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        CCmdSyntax* const definition = syntaxes[i];
        std::string const id = definition->GetId();
        if (id == QS_UNKNOWN_ID) {
            m_unknownOrder.emplace(definition->GetParentId(), i);
            continue;  // its parent opens a mode: marked below
        }
        auto const [slot, added] = m_byId.emplace(id, m_commands.size());
        if (added) {
            m_commands.emplace_back();
            m_commands.back().id = id;
            m_commands.back().parentId = definition->GetParentId();
            m_commands.back().order = i;
            m_commands.back().exitText = kDefaultExit;
        }
        CommandInfo& command = m_commands[slot->second];
        command.definitions.push_back(definition);
        command.sendable = command.sendable || (definition->GetFlags() & (kGenerates | kParses)) == (kGenerates | kParses);
        CollectFields(definition->GetRoot(), command);
    }
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        if (auto const parent = m_byId.find(syntaxes[i]->GetParentId()); parent != m_byId.end())
            m_commands[parent->second].isMode = true;
    }
    for (CommandInfo const& command : m_commands)
        m_byParent[command.parentId].push_back(&command);
    return ApplyRules(rules, error) && RankDependencies(rules, error);
}

CommandInfo* CommandModel::Lookup(Rules const& rules, int line, std::string const& id, RulesError& error)
{
    auto const found = m_byId.find(id);
    if (found != m_byId.end())
        return &m_commands[found->second];
    error = RulesError::At(rules.fileName, line, "the syntax has no command \"" + id + "\"");
    return nullptr;
}

bool CommandModel::ApplyRules(Rules const& rules, RulesError& error)
{
    for (KeyRule const& key : rules.keys) {
        CommandInfo* const command = Lookup(rules, key.line, key.command, error);
        if (command == nullptr)
            return false;
        for (std::string const& field : key.fields) {
            if (std::find(command->fields.begin(), command->fields.end(), field) == command->fields.end()) {
                error = RulesError::At(rules.fileName, key.line, "command \"" + key.command + "\" has no field \"" + field + "\"");
                return false;
            }
        }
        command->keyed = true;
        command->keyFields = key.fields;
    }
    for (NameListRule const& rule : rules.replaces) {
        for (std::string const& id : rule.commands) {
            CommandInfo* const command = Lookup(rules, rule.line, id, error);
            if (command == nullptr)
                return false;
            command->replaces = true;
        }
    }
    for (NameListRule const& rule : rules.ordered) {
        std::vector<CommandInfo*> sequence;
        for (std::string const& id : rule.commands) {
            sequence.push_back(Lookup(rules, rule.line, id, error));
            if (sequence.back() == nullptr)
                return false;
        }
        int const first = (*std::min_element(sequence.begin(), sequence.end(), [](auto* x, auto* y) {
                              return x->order < y->order;
                          }))->order;
        for (CommandInfo* const command : sequence) {
            command->ordered = true;
            command->sequence = rule.commands.front();
            command->sequenceOrder = first;
        }
    }
    for (ExitRule const& exit : rules.exits) {
        if (exit.mode.empty()) {
            for (CommandInfo& command : m_commands)
                command.exitText = exit.text;
            continue;
        }
        CommandInfo* const command = Lookup(rules, exit.line, exit.mode, error);
        if (command == nullptr)
            return false;
        command->exitText = exit.text;
    }
    return true;
}

bool CommandModel::RankDependencies(Rules const& rules, RulesError& error)
{
    std::vector<std::vector<std::size_t>> usersOf(m_commands.size());
    for (DependsRule const& rule : rules.depends) {
        for (std::string const& userId : rule.users) {
            CommandInfo* const user = Lookup(rules, rule.line, userId, error);
            if (user == nullptr)
                return false;
            for (std::string const& targetId : rule.targets) {
                CommandInfo* const target = Lookup(rules, rule.line, targetId, error);
                if (target == nullptr)
                    return false;
                usersOf[static_cast<std::size_t>(target - m_commands.data())].push_back(
                    static_cast<std::size_t>(user - m_commands.data()));
            }
        }
    }
    enum class Visit { New, Active, Done };
    std::vector<Visit> state(m_commands.size(), Visit::New);
    std::function<bool(std::size_t)> rank = [&](std::size_t target) {
        if (state[target] == Visit::Done)
            return true;
        if (state[target] == Visit::Active)
            return false;
        state[target] = Visit::Active;
        for (std::size_t const user : usersOf[target]) {
            if (!rank(user))
                return false;
            m_commands[target].dependencyRank =
                std::max(m_commands[target].dependencyRank, m_commands[user].dependencyRank + 1);
        }
        state[target] = Visit::Done;
        return true;
    };
    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        if (!rank(i)) {
            error = RulesError::At(rules.fileName, 0, "the dependencies of \"" + m_commands[i].id + "\" form a cycle");
            return false;
        }
    }
    return true;
}

CommandInfo const* CommandModel::Find(std::string_view id) const
{
    auto const found = m_byId.find(std::string(id));
    return found == m_byId.end() ? nullptr : &m_commands[found->second];
}

std::vector<CommandInfo const*> const& CommandModel::CommandsUnder(std::string const& parentId) const
{
    static std::vector<CommandInfo const*> const kNone;
    auto const found = m_byParent.find(parentId);
    return found == m_byParent.end() ? kNone : found->second;
}

int CommandModel::UnknownOrder(std::string const& parentId) const
{
    auto const found = m_unknownOrder.find(parentId);
    return found == m_unknownOrder.end() ? std::numeric_limits<int>::max() : found->second;
}

}  // namespace quillset::diff

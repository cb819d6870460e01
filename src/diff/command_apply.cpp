// Apply as a small command interpreter: a stack of entered modes, the last record touched
// (which places unmatched indented lines as the parser does), and a hashed index of every
// record by parent and identity, so that each command finds its record at once.
#include "diff/command_apply.h"

#include "diff/config_diff.h"
#include "diff/record_match.h"

#include <quillset/symbols.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace quillset::diff {

namespace {

std::string const kNo = "no ";

std::string TrimEnd(std::string text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

struct ParsedCommand {
    CommandInfo const* command = nullptr;
    CDbEntry record;
    std::size_t depth = 0;  // the number of entered modes it stays in
};

class CommandApplier {
public:
    CommandApplier(CommandModel const& model, CDbObject& store, QuillsetUnknownHandler unknownHandler)
        : m_model(model), m_store(store), m_unknownHandler(unknownHandler)
    {
        store.StartEnumeration();
        while (CDbEntry* const record = store.GetNextEntry())
            Index(record);
    }

    // A line that carries nothing: an indented line after it does not join the command before.
    void Separate() { m_last = nullptr; }

    bool Apply(std::string const& text)
    {
        std::string const body = TrimIndent(text);
        std::string const trimmed = TrimEnd(body);
        std::string const indent = text.substr(0, text.size() - body.size());
        if (IsExitLine(trimmed)) {
            // A mode whose syntax keeps its exit line as a command keeps that record too.
            if (ParsedCommand parsed; Parse(indent, trimmed, parsed) && parsed.depth == m_modes.size())
                Store(parsed);
            if (!m_modes.empty())
                m_modes.pop_back();
            m_last = nullptr;
            return true;
        }
        bool const negative = body.compare(0, kNo.size(), kNo) == 0;
        // The plain form of a kept negative line removes it, even where a command reads it.
        if (CDbEntry* const kept = negative ? nullptr : FindUnknownNearby(indent + kNo + trimmed)) {
            Remove(kept);
            return true;
        }
        // Lines as written first, then typed lines with each definition's indentation.
        for (bool const reindent : {false, true}) {
            if (reindent && !indent.empty())
                break;
            if (ParsedCommand parsed; ParseIn(indent, trimmed, reindent, parsed)) {
                Store(parsed);
                return true;
            }
            std::string const rest = TrimEnd(body.substr(negative ? kNo.size() : 0));
            // "no X" removes X; "ip address" removes the command "no ip address".
            if (ParsedCommand parsed; ParseIn(indent, negative ? rest : kNo + trimmed, reindent, parsed) && RemoveSame(parsed))
                return true;
        }
        if (negative && RemoveByText(indent, TrimEnd(body.substr(kNo.size()))))
            return true;
        StoreUnknown(text);
        return false;
    }

private:
    // The exit line of the current mode. At the top level the same text is an ordinary
    // line: configurations keep such lines, and they must come back as they were.
    bool IsExitLine(std::string const& trimmed) const
    {
        return !m_modes.empty() && trimmed == m_model.Find(m_modes.back()->GetName())->exitText;
    }

    // The command whose syntax matches `indent` + `body` in the innermost mode that has one,
    // with the defaults its syntax declares. The line is first tried as written, as in a
    // configuration file; a line typed without indentation is then tried with the
    // indentation of each definition.
    bool Parse(std::string const& indent, std::string const& body, ParsedCommand& parsed) const
    {
        return ParseIn(indent, body, false, parsed) || (indent.empty() && ParseIn(indent, body, true, parsed));
    }

    bool ParseIn(std::string const& indent, std::string const& body, bool reindent, ParsedCommand& parsed) const
    {
        for (std::size_t depth = m_modes.size() + 1; depth-- > 0;) {
            std::string const parentId = depth == 0 ? std::string() : m_modes[depth - 1]->GetName();
            for (CommandInfo const* const command : m_model.CommandsUnder(parentId)) {
                for (CCmdSyntax* const definition : command->definitions) {
                    std::string const line = (reindent ? CommandModel::IndentOf(*definition) : indent) + body;
                    if (definition->Parse(line.c_str(), &parsed.record) != 0)
                        continue;
                    for (CCmdSyntax* const each : command->definitions)
                        each->GetRoot()->ApplyDefaults(&parsed.record);
                    parsed.command = command;
                    parsed.depth = depth;
                    return true;
                }
            }
        }
        return false;
    }

    void Store(ParsedCommand& parsed)
    {
        m_modes.resize(parsed.depth);
        CDbEntry* const parent = m_modes.empty() ? nullptr : m_modes.back();
        CommandInfo const& command = *parsed.command;
        CDbEntry* const existing = Find(parent, m_model.IdentityOf(parsed.record));
        if (existing != nullptr && m_model.IsNegated(parsed.record) && !m_model.IsNegated(*existing)) {
            Remove(existing);
            return;
        }
        CDbEntry* target = nullptr;
        if (existing != nullptr && (command.keyed || command.isMode || !command.negationField.empty())) {
            target = existing;
            ReplaceFields(*target, parsed.record);
        } else {
            target = Add(parent, parsed.record, command.definitions.front()->IsPackable());
        }
        m_last = target;
        if (command.isMode)
            m_modes.push_back(target);
    }

    bool RemoveSame(ParsedCommand const& parsed)
    {
        CDbEntry* const parent = parsed.depth == 0 ? nullptr : m_modes[parsed.depth - 1];
        CDbEntry* const existing = Find(parent, m_model.IdentityOf(parsed.record));
        if (existing == nullptr)
            return false;
        m_modes.resize(parsed.depth);
        Remove(existing);
        return true;
    }

    // Removes the nearby record whose line is `indent` + `text`, or whose line starts with
    // `text` as whole words: a short "no" form such as "no description" names the record
    // it removes.
    bool RemoveByText(std::string const& indent, std::string const& text)
    {
        if (CDbEntry* const unknown = FindUnknownNearby(indent + text)) {
            Remove(unknown);
            return true;
        }
        for (CDbEntry* const place : PlacesNearby()) {
            std::vector<CDbEntry const*> const siblings =
                place != nullptr ? ChildrenInOrder(m_model, *place) : TopLevelRecords(m_store);
            for (CDbEntry const* const sibling : siblings) {
                std::string const line = TrimIndent(m_model.FirstLineOf(*sibling));
                if (line.compare(0, text.size(), text) == 0 &&
                    (line.size() == text.size() || std::isspace(static_cast<unsigned char>(line[text.size()])))) {
                    Remove(const_cast<CDbEntry*>(sibling));
                    return true;
                }
            }
        }
        return false;
    }

    // The records an unmatched line may stand under, nearest first: the current mode, the
    // last record's mode, the last record, the top level.
    std::vector<CDbEntry*> PlacesNearby() const
    {
        std::vector<CDbEntry*> places;
        for (CDbEntry* const place : {m_modes.empty() ? nullptr : m_modes.back(), m_last ? m_last->GetParent() : nullptr, m_last}) {
            if (place != nullptr && std::find(places.begin(), places.end(), place) == places.end())
                places.push_back(place);
        }
        places.push_back(nullptr);
        return places;
    }

    CDbEntry* FindUnknownNearby(std::string const& text) const
    {
        for (CDbEntry* const place : PlacesNearby()) {
            if (CDbEntry* const found = FindUnknown(place, text))
                return found;
        }
        return nullptr;
    }

    // Keeps an unmatched line where the dialect's unknown-command handler places it (it may
    // also fold the line into the last record, which then changes). When no record was
    // touched since the current mode was entered (or the last one was removed), a stand-in
    // child of the mode plays the last record, so the line lands as it would after one.
    void StoreUnknown(std::string const& text)
    {
        CDbEntry record(QS_UNKNOWN_ID);
        bool keep = true;
        if (m_unknownHandler == nullptr) {
            record.Set(QS_UNKNOWN_TEXT, text.c_str());
        } else {
            CDbEntry standIn("");
            bool const freshMode = !m_modes.empty() && (m_last == nullptr || m_last == m_modes.back());
            if (freshMode)
                standIn.SetParent(m_modes.back());
            CDbEntry* const last = freshMode ? &standIn : m_last;
            int position = 0;
            if (m_last != nullptr)
                Unindex(m_last);
            keep = m_unknownHandler(text.c_str(), "", m_model.Syntaxes(), position, &record, last);
            if (m_last != nullptr)
                Index(m_last);
            standIn.RemoveParent();
        }
        if (!keep)
            return;
        CDbEntry* const parent = record.GetParent();
        auto const mode = std::find(m_modes.begin(), m_modes.end(), parent);
        m_modes.erase(mode == m_modes.end() ? m_modes.begin() : mode + 1, m_modes.end());
        m_last = Add(parent, record, false);
    }

    CDbEntry* Add(CDbEntry* parent, CDbEntry& record, bool combine)
    {
        record.SetParent(parent);
        CDbEntry* const stored = m_store.AddEntry(record, combine);
        record.RemoveParent();
        Unindex(stored);
        Index(stored);
        return stored;
    }

    void ReplaceFields(CDbEntry& target, CDbEntry const& source)
    {
        Unindex(&target);
        while (target.GetFieldCount() > 0)
            target.Remove(target.GetFieldByIndex(0));
        for (int i = 0; i < source.GetFieldCount(); ++i)
            target.Set(source.GetFieldByIndex(i), source.GetByIndex(i));
        Index(&target);
    }

    void Remove(CDbEntry* record)
    {
        std::vector<CDbEntry*> subtree{record};
        for (std::size_t i = 0; i < subtree.size(); ++i) {
            for (int c = 0; c < subtree[i]->GetChildCount(); ++c) {
                if (CDbEntry* const child = subtree[i]->GetChild(c))
                    subtree.push_back(child);
            }
        }
        for (CDbEntry* const gone : subtree) {
            Unindex(gone);
            if (gone == m_last)
                m_last = nullptr;
            m_modes.erase(std::remove(m_modes.begin(), m_modes.end(), gone), m_modes.end());
        }
        m_store.Delete(record, true);
    }

    static std::string ParentKey(CDbEntry const* parent)
    {
        return std::to_string(reinterpret_cast<std::uintptr_t>(parent)) + "|";
    }

    static std::string UnknownKey(CDbEntry const* parent, std::string const& text)
    {
        return "?" + ParentKey(parent) + text;
    }

    CDbEntry* Find(CDbEntry const* parent, std::string const& identity) const
    {
        return First(ParentKey(parent) + identity);
    }

    // The unmatched line `text` (trailing blanks aside) under `parent`.
    CDbEntry* FindUnknown(CDbEntry const* parent, std::string const& text) const
    {
        return First(UnknownKey(parent, text));
    }

    CDbEntry* First(std::string const& key) const
    {
        auto const found = m_index.find(key);
        return found == m_index.end() || found->second.empty() ? nullptr : found->second.front();
    }

    void Index(CDbEntry* record)
    {
        std::vector<std::string>& keys = m_keysOf[record];
        keys.push_back(ParentKey(record->GetParent()) + m_model.IdentityOf(*record));
        if (CommandModel::IsUnknown(*record))
            keys.push_back(UnknownKey(record->GetParent(), TrimEnd(static_cast<char const*>(record->Get(QS_UNKNOWN_TEXT)))));
        for (std::string const& key : keys)
            m_index[key].push_back(record);
    }

    void Unindex(CDbEntry* record)
    {
        auto const keys = m_keysOf.find(record);
        if (keys == m_keysOf.end())
            return;
        for (std::string const& key : keys->second) {
            std::vector<CDbEntry*>& records = m_index[key];
            records.erase(std::remove(records.begin(), records.end(), record), records.end());
        }
        m_keysOf.erase(keys);
    }

    CommandModel const& m_model;
    CDbObject& m_store;
    QuillsetUnknownHandler m_unknownHandler;
    std::vector<CDbEntry*> m_modes;
    CDbEntry* m_last = nullptr;
    std::unordered_map<std::string, std::vector<CDbEntry*>> m_index;
    std::unordered_map<CDbEntry*, std::vector<std::string>> m_keysOf;
};

}  // namespace

ApplyReport ApplyCommands(CommandModel const& model, CDbObject& store, std::string_view commands,
                          ApplyDialect const& dialect)
{
    ApplyReport report;
    CommandApplier applier(model, store, dialect.unknownHandler);
    QuillsetLineHandler const lineHandler = dialect.lineHandler;
    CString command;
    while (!commands.empty()) {
        std::size_t const end = commands.find('\n');
        std::string_view const line = commands.substr(0, end);
        commands = end == std::string_view::npos ? std::string_view() : commands.substr(end + 1);
        command += std::string(line).append("\n").c_str();
        if (lineHandler != nullptr && !lineHandler(command) && !commands.empty())
            continue;
        std::string text = static_cast<char const*>(command);
        command.Empty();
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        if (text.empty()) {
            applier.Separate();
            continue;
        }
        ++report.commands;
        if (!applier.Apply(text))
            ++report.unmatchedLines;
    }
    return report;
}

}  // namespace quillset::diff

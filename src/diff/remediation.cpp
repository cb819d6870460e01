// Remediation in two steps: the matched records become actions (lines to send within a
// chain of modes, and a phase that puts depended-on commands first or last), then a writer
// turns the ordered actions into lines, entering and leaving modes as the chain changes.
#include "diff/remediation.h"

#include "diff/config_diff.h"
#include "diff/record_match.h"

#include <algorithm>
#include <cctype>

namespace quillset::diff {

namespace {

using ModePath = std::vector<CDbEntry const*>;

struct Action {
    int phase = 0;
    ModePath path;                     // the modes the lines are sent in, outermost first
    std::vector<std::string> lines;
    CDbEntry const* entered = nullptr;  // the mode the lines leave the device in, if any
};

std::string const kNo = "no ";
char const kSeparator[] = "!";

bool StartsWithNo(std::string const& text) { return text.compare(0, kNo.size(), kNo) == 0; }

// The "no" form of a configuration line: only its first line (a banner's text is not
// repeated), with "no " after the indentation, or without it when it is already there.
std::string NoForm(std::string const& line)
{
    std::string const first = line.substr(0, line.find('\n'));
    std::size_t const start = std::min(first.find_first_not_of(" \t"), first.size());
    std::string const indent = first.substr(0, start);
    std::string const text = first.substr(start);
    return StartsWithNo(text) ? indent + text.substr(kNo.size()) : indent + kNo + text;
}

bool HasChildren(CDbEntry const& record)
{
    for (int i = 0; i < record.GetChildCount(); ++i) {
        if (record.GetChild(i) != nullptr)
            return true;
    }
    return false;
}

class ActionCollector {
public:
    explicit ActionCollector(CommandModel const& model) : m_model(model) {}

    void Walk(std::vector<RecordPair> const& level, ModePath& path)
    {
        for (RecordPair const& pair : level) {
            CDbEntry const& record = pair.b != nullptr ? *pair.b : *pair.a;
            if (!IsSendable(record))
                continue;
            if (pair.b == nullptr)
                Remove(*pair.a, path);
            else if (pair.a == nullptr)
                Add(*pair.b, path);
            else
                Change(pair, path);
        }
    }

    std::vector<Action> Take() { return std::move(m_actions); }

private:
    bool IsSendable(CDbEntry const& record) const
    {
        if (CommandModel::IsUnknown(record))
            return true;
        CommandInfo const* const command = m_model.Find(record.GetName());
        return command != nullptr && command->sendable;
    }

    // Sending the record leaves the device in its mode: a mode command, or a plain command
    // whose unmatched lines follow it.
    bool EntersMode(CDbEntry const& record) const
    {
        CommandInfo const* const command = m_model.Find(record.GetName());
        return (command != nullptr && command->isMode) || HasChildren(record);
    }

    int RankOf(CDbEntry const& record) const
    {
        CommandInfo const* const command = m_model.Find(record.GetName());
        return command != nullptr ? command->dependencyRank : 0;
    }

    // Additions go early when something depends on them or on a mode they stand in.
    int AdditionPhase(CDbEntry const& record) const { return std::min(m_enclosingPhase, -RankOf(record)); }

    // Walks the sub-commands of `mode` with its phase and its place in the mode chain.
    template <typename Visit>
    void InMode(CDbEntry const& mode, ModePath& path, Visit visit)
    {
        int const saved = m_enclosingPhase;
        m_enclosingPhase = AdditionPhase(mode);
        path.push_back(&mode);
        visit();
        path.pop_back();
        m_enclosingPhase = saved;
    }

    void Emit(ModePath const& path, std::vector<std::string> lines, int phase, CDbEntry const* entered)
    {
        if (!lines.empty())
            m_actions.push_back({phase, path, std::move(lines), entered});
    }

    // Removals of depended-on records go last; others keep their place in their mode, so
    // that in a mode sent early removals still precede additions.
    void Remove(CDbEntry const& record, ModePath const& path)
    {
        int const rank = RankOf(record);
        Emit(path, NegationLines(m_model, record), rank > 0 ? rank : m_enclosingPhase, nullptr);
    }

    void Add(CDbEntry const& record, ModePath& path)
    {
        bool const entersMode = EntersMode(record);
        Emit(path, m_model.LinesOf(record), AdditionPhase(record), entersMode ? &record : nullptr);
        if (!entersMode)
            return;
        InMode(record, path, [&] {
            for (CDbEntry const* const child : ChildrenInOrder(m_model, record)) {
                if (IsSendable(*child))
                    Add(*child, path);
            }
        });
    }

    void Change(RecordPair const& pair, ModePath& path)
    {
        CDbEntry const& old = *pair.a;
        CDbEntry const& now = *pair.b;
        if (!ChangedFields(m_model, old, now).empty()) {
            CommandInfo const* const command = m_model.Find(now.GetName());
            bool const negates = m_model.IsNegated(now) && !m_model.IsNegated(old);
            if (negates) {
                // The first negation removes the old record, the second stores the new one.
                std::vector<std::string> lines = m_model.LinesOf(now);
                std::vector<std::string> const once = lines;
                lines.insert(lines.end(), once.begin(), once.end());
                Emit(path, std::move(lines), AdditionPhase(now), nullptr);
            } else if (command->replaces || m_model.IsNegated(old)) {
                Emit(path, m_model.LinesOf(now), AdditionPhase(now), EntersMode(now) ? &now : nullptr);
            } else {
                Remove(old, path);
                Add(now, path);
                return;
            }
        }
        InMode(now, path, [&] { Walk(pair.children, path); });
    }

    CommandModel const& m_model;
    std::vector<Action> m_actions;
    int m_enclosingPhase = 0;
};

// Writes actions as lines, entering the modes each one needs and leaving the ones it does
// not, with each mode's exit line indented like its sub-commands.
class ModeWriter {
public:
    explicit ModeWriter(CommandModel const& model) : m_model(model) {}

    void Write(Action const& action)
    {
        std::size_t common = 0;
        while (common < m_current.size() && common < action.path.size() && m_current[common] == action.path[common])
            ++common;
        LeaveTo(common);
        for (std::size_t i = common; i < action.path.size(); ++i) {
            m_lines.push_back(m_model.FirstLineOf(*action.path[i]));
            m_current.push_back(action.path[i]);
        }
        // An indented line at the top level would join the command before it; a lone "!"
        // (a line that carries nothing) keeps it apart.
        if (action.path.empty() && !action.lines.front().empty() && std::isspace(static_cast<unsigned char>(action.lines.front()[0])))
            m_lines.push_back(kSeparator);
        m_lines.insert(m_lines.end(), action.lines.begin(), action.lines.end());
        if (action.entered != nullptr)
            m_current.push_back(action.entered);
    }

    std::vector<std::string> Finish()
    {
        LeaveTo(0);
        return std::move(m_lines);
    }

private:
    void LeaveTo(std::size_t depth)
    {
        while (m_current.size() > depth) {
            CommandInfo const* const command = m_model.Find(m_current.back()->GetName());
            m_current.pop_back();
            if (command == nullptr || !command->isMode)
                continue;  // unmatched lines under a plain command: no mode to leave
            // One step deeper than the mode's own line, as its sub-commands stand.
            std::string const indent = CommandModel::IndentOf(*command->definitions.front()) + " ";
            m_lines.push_back(indent + command->exitText);
        }
    }

    CommandModel const& m_model;
    ModePath m_current;
    std::vector<std::string> m_lines;
};

}  // namespace

std::vector<std::string> NegationLines(CommandModel const& model, CDbEntry const& record)
{
    CommandInfo const* const command = model.Find(record.GetName());
    if (command == nullptr || command->negationField.empty()) {
        std::string const line = CommandModel::IsUnknown(record) ? static_cast<char const*>(record.Get(QS_UNKNOWN_TEXT))
                                                                 : model.FirstLineOf(record);
        return line.empty() ? std::vector<std::string>() : std::vector<std::string>{NoForm(line)};
    }
    CDbEntry negated = DetachedCopy(record);
    negated.Set(command->negationField.c_str(), command->negationValue.c_str());
    std::vector<std::string> lines;
    if (model.IsNegated(record)) {
        // A negated record goes back to its plain form, which the negation then removes.
        CDbEntry plain = DetachedCopy(record);
        plain.Remove(command->negationField.c_str());
        lines.push_back(model.FirstLineOf(plain));
    }
    lines.push_back(model.FirstLineOf(negated));
    return lines;
}

std::vector<std::string> Remediate(CommandModel const& model, CDbObject const& running, CDbObject const& intended)
{
    ActionCollector collector(model);
    ModePath path;
    collector.Walk(MatchStores(model, running, intended), path);
    std::vector<Action> actions = collector.Take();
    std::stable_sort(actions.begin(), actions.end(),
                     [](Action const& x, Action const& y) { return x.phase < y.phase; });
    ModeWriter writer(model);
    for (Action const& action : actions)
        writer.Write(action);
    return writer.Finish();
}

}  // namespace quillset::diff

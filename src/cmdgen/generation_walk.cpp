// The generation walk: each level (the commands of one parent ID, for one parent record) is
// written in syntax-file order: every record of a command, its header, one line per
// definition of the command with the lines of child commands after the definition they
// follow, and its footer. Unmatched lines kept as "_UNKNOWN" records close their level.
#include "cmdgen/generation_walk.h"

#include <cstring>

namespace quillset::cmdgen {

namespace {

constexpr int kReserveStep = 65536;

bool SameText(char const* a, char const* b) { return std::strcmp(a, b) == 0; }

// For each syntax index, the index just after the group of its command when the group
// starts there: its further definitions and, after each, the groups of its child commands,
// to any depth. Computed backwards in one pass, each group's end from the ends of the
// groups it holds.
std::vector<int> GroupEnds(CDynArray<CCmdSyntax*> const& syntaxes)
{
    int const count = syntaxes.GetSize();
    std::vector<int> end(count + 1, count);
    for (int first = count - 1; first >= 0; --first) {
        char const* id = syntaxes[first]->GetId();
        int k = first + 1;
        while (k < count && SameText(syntaxes[k]->GetParentId(), id))
            k = end[k];
        // A further definition of the same command continues the group from where it stands.
        end[first] = k < count && SameText(syntaxes[k]->GetId(), id) ? end[k] : k;
    }
    return end;
}

}  // namespace

GenerationWalk::GenerationWalk(CDynArray<CCmdSyntax*> const& syntaxes, CDbObject const& db, Options options,
                               CString& text)
    : m_syntaxes(syntaxes),
      m_db(db),
      m_options(options),
      m_text(text),
      m_groupEnd(GroupEnds(syntaxes)),
      m_levelGroups(syntaxes, m_groupEnd),
      m_reserve(kReserveStep)
{
    m_text.Empty();
    m_text.GetBuffer(m_reserve);
    m_text.ReleaseBuffer(0);
}

int GenerationWalk::Run(CDbEntry const* parent, int& position)
{
    OpenLevel(parent, position);
    for (;;) {
        Level& level = m_levels.back();
        if (level.record != nullptr) {
            WriteDefinitions(level);
            continue;
        }
        char const* parentName = level.parent ? level.parent->GetName() : "";
        if (level.position < m_syntaxes.GetSize() && m_result == 0 &&
            SameText(m_syntaxes[level.position]->GetParentId(), parentName)) {
            StepLevel(level);
            continue;
        }
        CloseLevel(level);
        int const end = level.position;
        m_levels.pop_back();
        if (m_levels.empty()) {
            position = end;
            return m_result;
        }
        // The record whose children these were goes on after them.
        Level& outer = m_levels.back();
        outer.definition = end;
        if (m_result != 0 || !ContinuesRecord(outer))
            FinishRecord(outer);
    }
}

// Opens the level of `parent` at `position`. Under a record (the top level has none), the
// level starts at the first group of its children's commands, or at its end.
void GenerationWalk::OpenLevel(CDbEntry const* parent, int position)
{
    Level level;
    level.parent = parent;
    level.position = position;
    if (VisitsChildGroupsOnly(level) && position < m_syntaxes.GetSize()) {
        level.groups = m_levelGroups.GroupsOfChildren(position, *parent);
        level.position = level.groups.empty() ? m_levelGroups.LevelEnd(position) : level.groups[0];
        level.nextGroup = 1;
    }
    m_levels.push_back(std::move(level));
}

bool GenerationWalk::VisitsChildGroupsOnly(Level const& level) const
{
    return level.parent != nullptr && m_options.childGroupsOnly;
}

// Takes up the next record of the command at the level's position, or moves past the
// command's group when it has no further record.
void GenerationWalk::StepLevel(Level& level)
{
    int const i = level.position;
    char const* id = m_syntaxes[i]->GetId();
    level.seenUnknown = level.seenUnknown || SameText(id, QS_UNKNOWN_ID);
    level.record = m_db.Select(id, level.parent, level.nextRecord);
    if (level.record == nullptr) {
        if (!VisitsChildGroupsOnly(level))
            level.position = m_groupEnd[i];
        else if (level.nextGroup < level.groups.size())
            level.position = level.groups[level.nextGroup++];
        else
            level.position = m_levelGroups.LevelEnd(i);
        level.nextRecord = 0;
        return;
    }
    ++level.nextRecord;
    level.definition = i;
    level.written = false;
}

void GenerationWalk::CloseLevel(Level const& level)
{
    if (!m_options.keepsUnknownLines || level.seenUnknown || m_result != 0)
        return;
    for (int n = 0; CDbEntry const* unknown = m_db.Select(QS_UNKNOWN_ID, level.parent, n); ++n)
        AppendLine(unknown->Get(QS_UNKNOWN_TEXT));
}

// Writes the line of each definition of the level's record from the one reached, until a
// child command's group follows a written line (its level is opened) or the command's
// definitions end (the record is finished).
void GenerationWalk::WriteDefinitions(Level& level)
{
    int const count = m_syntaxes.GetSize();
    char const* id = m_syntaxes[level.position]->GetId();
    CString line;
    for (int& j = level.definition;;) {
        int const code = m_syntaxes[j]->Generate(level.record, line, m_options.cmdOptional);
        if (code != 0 && code != 5) {
            m_result = code == 1 ? 10 : 14;
            m_failedDefinition = j;
            break;
        }
        if (!line.IsEmpty()) {
            if (!level.written && level.record->IsExistHeader())
                AppendLine(level.record->GetHeader());
            AppendLine(line);
            level.written = true;
        }
        if (++j >= count)
            break;
        // Children are written only under a record that has a line of its own.
        if (level.written && SameText(m_syntaxes[j]->GetParentId(), id)) {
            OpenLevel(level.record, j);  // `level` may move: used no more
            return;
        }
        if (!SameText(m_syntaxes[j]->GetId(), id))
            break;
    }
    FinishRecord(level);
}

// Whether the definition reached for the level's record is a further one of its command.
bool GenerationWalk::ContinuesRecord(Level const& level) const
{
    int const j = level.definition;
    return j < m_syntaxes.GetSize() && SameText(m_syntaxes[j]->GetId(), m_syntaxes[level.position]->GetId());
}

void GenerationWalk::FinishRecord(Level& level)
{
    if (level.written && level.record->IsExistFooter())
        AppendLine(level.record->GetFooter());
    level.record = nullptr;
}

// Appends a line and its line feed, raising the text's capacity in large steps.
void GenerationWalk::AppendLine(char const* line)
{
    m_text += line;
    m_text += '\n';
    if (m_text.GetLength() > m_reserve) {
        m_reserve += kReserveStep;
        m_text.GetBuffer(m_reserve);
        m_text.ReleaseBuffer(m_text.GetLength());
    }
}

}  // namespace quillset::cmdgen

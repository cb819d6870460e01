// Generation: writing configuration text from a store, driven by the syntax list. Each
// level (the commands of one parent ID, for one parent record) is written in syntax-file
// order: every record of a command, its header, one line per definition of the command
// with the lines of child commands after the definition they follow, and its footer.
// Unmatched lines kept as "_UNKNOWN" records close their level.
#include <quillset/cmdgen.h>

#include "base/stream_file.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kReserveStep = 65536;

bool SameText(char const* a, char const* b) { return std::strcmp(a, b) == 0; }

}  // namespace

int CCmdGen::GenerateCommand(CDbObject const& db, CString& text)
{
    m_errorLine = 0;
    m_database = &db;
    m_reserve = kReserveStep;
    text.Empty();
    text.GetBuffer(m_reserve);
    text.ReleaseBuffer(0);
    int position = 0;
    int const result = DoGenerate(text, nullptr, position, true);
    m_database = nullptr;
    return result;
}

int CCmdGen::GenerateCommand(char const* delimitedFile, CString& text)
{
    CDbObject store("", 503);
    if (store.ReadDelimitedFile(delimitedFile, false) != 0)
        return 5;
    return GenerateCommand(store, text);
}

int CCmdGen::GenerateCommandFile(CDbObject const& db, char const* path)
{
    CString text;
    int const result = GenerateCommand(db, text);
    if (result != 0)
        return result;
    quillset::StreamFile out(path, "w");
    if (out.Get() == nullptr)
        return 4;
    std::fwrite(static_cast<char const*>(text), 1, text.GetLength(), out.Get());
    return 0;
}

int CCmdGen::DoGenerate(CString& text, CDbEntry const* parent, int& position, bool generate)
{
    char const* parentName = parent ? parent->GetName() : "";
    int const count = m_syntax.GetSize();
    int result = 0;
    bool seenUnknown = false;
    int i = position;
    while (i < count && result == 0 && SameText(m_syntax[i]->GetParentId(), parentName)) {
        char const* id = m_syntax[i]->GetId();
        if (generate) {
            seenUnknown = seenUnknown || SameText(id, QS_UNKNOWN_ID);
            for (int n = 0; result == 0; ++n) {
                CDbEntry const* record = m_database->Select(id, parent, n);
                if (record == nullptr)
                    break;
                result = WriteRecord(text, *record, i);
            }
        }
        i = EndOfGroup(i);
    }
    position = i;
    if (generate && m_unknownHandler != nullptr && !seenUnknown && result == 0) {
        for (int n = 0; CDbEntry const* record = m_database->Select(QS_UNKNOWN_ID, parent, n); ++n)
            AppendLine(text, record->Get(QS_UNKNOWN_TEXT));
    }
    return result;
}

// Writes one record of the command whose first definition at this level is `first`.
int CCmdGen::WriteRecord(CString& text, CDbEntry const& record, int first)
{
    char const* id = m_syntax[first]->GetId();
    int const count = m_syntax.GetSize();
    bool written = false;
    int result = 0;
    CString line;
    for (int j = first;;) {
        int const code = m_syntax[j]->Generate(&record, line, m_cmdOptional);
        if (code != 0 && code != 5) {
            result = MapReturnCode(code);
            m_errorLine = j;
            break;
        }
        if (!line.IsEmpty()) {
            if (!written && record.IsExistHeader())
                AppendLine(text, record.GetHeader());
            AppendLine(text, line);
            written = true;
        }
        if (++j >= count)
            break;
        // Children are written only under a record that has a line of its own.
        if (written && SameText(m_syntax[j]->GetParentId(), id))
            result = DoGenerate(text, &record, j, true);
        if (j >= count || result != 0 || !SameText(m_syntax[j]->GetId(), id))
            break;
    }
    if (written && record.IsExistFooter())
        AppendLine(text, record.GetFooter());
    return result;
}

// The index just after the group of the command whose first definition at its level is
// `first`: its further definitions and, after each, the groups of its child commands, to
// any depth. Kept iterative (a stack of the commands whose groups are open), so a deeply
// nested syntax file cannot exhaust the call stack.
int CCmdGen::EndOfGroup(int first) const
{
    int const count = m_syntax.GetSize();
    std::vector<char const*> open{m_syntax[first]->GetId()};
    int k = first + 1;
    while (k < count) {
        char const* innermost = open.back();
        if (SameText(m_syntax[k]->GetParentId(), innermost)) {
            open.push_back(m_syntax[k]->GetId());  // a child command's group begins
            ++k;
        } else if (SameText(m_syntax[k]->GetId(), innermost)) {
            ++k;  // a further definition of the same command
        } else {
            open.pop_back();
            if (open.empty())
                break;
        }
    }
    return k;
}

// Appends a line and its line feed, raising the text's capacity in large steps.
void CCmdGen::AppendLine(CString& text, char const* line)
{
    text += line;
    text += '\n';
    if (text.GetLength() > m_reserve) {
        m_reserve += kReserveStep;
        text.GetBuffer(m_reserve);
        text.ReleaseBuffer(text.GetLength());
    }
}

// Parsing: cutting configuration text into commands, matching each against the syntaxes
// block by block from the context of the previous command, storing the records, and the
// final pass that gives records the defaults their syntaxes declare.
#include <quillset/cmdgen.h>
#include <quillset/limits.h>
#include <quillset/results.h>

#include "base/stream_file.h"
#include "cmdgen/command_set.h"
#include "store/store_access.h"
#include "syntax/padded_line.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kReadPiece = 1023;

// Appends a piece read from a file; NUL bytes cannot live in command text and are dropped,
// everything around them is kept.
void AppendPiece(CString& text, char* piece, std::size_t size)
{
    piece[size] = '\0';
    for (char const* p = piece; p < piece + size; p += std::strlen(p) + 1)
        text += p;
}

// Removes one line end (a line feed, and a carriage return before it).
void StripLineEnd(CString& command)
{
    int length = command.GetLength();
    if (length == 0 || command[length - 1] != '\n')
        return;
    command.Delete(--length, 1);
    if (length > 0 && command[length - 1] == '\r')
        command.Delete(length - 1, 1);
}

}  // namespace

int CCmdGen::ParseCommandFile(char const* path, CDbObject& db)
{
    quillset::StreamFile input(path, "r");
    std::FILE* const file = input.Get();
    if (file == nullptr)
        return QS_CANNOT_OPEN;
    if (input.IsLargerThan(QS_MAX_FILE_SIZE))
        return QS_BEYOND_LIMIT;
    CString text;
    char piece[kReadPiece + 1];
    std::size_t size;
    long total = 0;
    while ((size = std::fread(piece, 1, kReadPiece, file)) > 0) {
        total += static_cast<long>(size);
        if (total > QS_MAX_FILE_SIZE)
            return QS_BEYOND_LIMIT;  // nothing is parsed from a file too large to hold
        AppendPiece(text, piece, size);
    }
    bool const failed = std::ferror(file) != 0;
    input.Close();
    return failed ? QS_CANNOT_READ : ParseCommand(text, db);
}

int CCmdGen::ParseCommand(CString const& text, CDbObject& db)
{
    CCommandSet const blocks(m_syntax, m_dispatchIndex);
    int const count = m_syntax.GetSize();
    int position = 0;
    CString previousCommand;
    CDbEntry* lastRecord = nullptr;
    CString command;
    int lineCount = 0;
    for (int offset = GetNextCommand(text, 0, command, lineCount); offset >= 0;
         offset = GetNextCommand(text, offset, command, lineCount)) {
        int const saved = position;
        CDbEntry* result = nullptr;
        // A failed search in a nested block leaves the position in the enclosing block, so
        // the next pass climbs outwards: no more passes than there are blocks.
        for (int pass = 0; result == nullptr && position >= 0 && position < count; ++pass) {
            if (pass > blocks.GetBlockCount()) {
                position = count;
                break;
            }
            result = DoParse(command, db, position, blocks);
        }
        if (position == count)
            position = saved;  // an unmatched command does not change the context
        if (result == nullptr && m_unknownHandler != nullptr) {
            CDbEntry record(QS_UNKNOWN_ID, 10);
            if (m_unknownHandler(command, previousCommand, m_syntax, position, &record, lastRecord))
                result = quillset::detail::StoreAccess::Adopt(db, record, false);
        }
        if (result != nullptr) {
            previousCommand = command;
            lastRecord = result;
        }
    }
    ApplyDefaults(db);
    return 0;
}

int CCmdGen::GetNextCommand(CString const& text, int start, CString& command, int& lineCount)
{
    command.Empty();
    if (start < 0)
        return start;
    for (;;) {
        int const lineEnd = text.Find('\n', start);
        if (lineEnd < 0)
            return -1;  // text after the last line feed, or an unfinished command, is dropped
        command += text.Mid(start, lineEnd + 1 - start);
        start = lineEnd + 1;
        ++lineCount;
        if (m_lineHandler != nullptr && !m_lineHandler(command))
            continue;
        StripLineEnd(command);
        if (!command.IsEmpty())
            return start;
    }
}

CDbEntry* CCmdGen::DoParse(CString const& command, CDbObject& db, int& position, CCommandSet const& blocks)
{
    // The working record moves into the store when a definition matches, slot arrays and
    // all, so it starts with none: most commands hold one to three fields.
    CDbEntry record(0);
    int first, end;
    blocks.FindBlock(position, first, end);
    if (first >= end) {
        position = end;
        return nullptr;
    }
    // Read through a const view: indexing it never grows the list.
    CDynArray<CCmdSyntax*> const& syntaxes = m_syntax;
    quillset::syntax::PaddedLine const line(command);
    auto const matches = [&](int index) {
        bool const keywordsFound = blocks.Keywords().FoundIn(index, line.Text());
        return quillset::syntax::ParseLine(*syntaxes[index], line, &record, keywordsFound) == 0;
    };
    auto const& dispatch = blocks.Dispatch();
    int const matched = dispatch.Covers(position) ? dispatch.Search(position, command, matches)
                                                  : blocks.SearchInOrder(position, first, end, matches);
    if (matched < 0) {
        // The search climbs to the enclosing block: from this block's end, or, when the
        // block ends the list, from the enclosing block's start.
        int const enclosing = blocks.GetEnclosingStart(first);
        position = end < syntaxes.GetSize() || enclosing < 0 ? end : enclosing;
        return nullptr;
    }
    position = matched;
    CCmdSyntax* const syntax = syntaxes[position];
    record.SetParent(db.SelectLast(syntax->GetParentId()));
    // The next command is looked for first among this command's children, or else at this
    // same syntax, so that a run of like commands matches at the first try.
    if (blocks.IsBlockStart(position + 1))
        ++position;
    return quillset::detail::StoreAccess::Adopt(db, record, m_rowPacking && syntax->IsPackable());
}

void CCmdGen::ApplyDefaults(CDbObject& db)
{
    // The syntaxes of each ID, in registration order, gathered without the hash table's
    // lookup cache so that threads may parse with one CCmdGen at once.
    std::unordered_map<std::string_view, std::vector<CCmdSyntax*>> syntaxesOfId;
    for (int i = 0; i < m_syntax.GetSize(); ++i)
        syntaxesOfId[m_syntax[i]->GetId()].push_back(m_syntax[i]);
    db.StartEnumeration();
    while (CDbEntry* record = db.GetNextEntry()) {
        char const* const name = record->GetName();
        auto const found = name == nullptr ? syntaxesOfId.end() : syntaxesOfId.find(name);
        if (found == syntaxesOfId.end())
            continue;
        for (CCmdSyntax* syntax : found->second)
            syntax->GetRoot()->ApplyDefaults(record);
    }
}

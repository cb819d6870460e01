// The store as delimited text: reading a file of record lines and restoring the parent
// links written as "__Parent" line numbers, and writing the store to a file or a string.
#include <quillset/dbobject.h>
#include <quillset/limits.h>
#include <quillset/results.h>

#include "base/stream_file.h"
#include "store/record_group.h"
#include "store/record_line.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

using quillset::detail::IndexAccess;

namespace {

char const kParentField[] = "__Parent";

// Lines are read in pieces of this many bytes and the terminator; a longer line is read
// as several.
constexpr int kPieceSize = 1023;

enum FileResult { kRead = 0, kCannotOpen = 1, kReadError = 2, kCannotWrite = 3, kBadParent = 4 };

// The text of a piece that holds a record, or null for a blank or comment line: without
// its line feed (and a carriage return before it) and leading white space.
char const* RecordText(char* piece)
{
    std::size_t length = std::strlen(piece);
    if (length > 0 && piece[length - 1] == '\n') {
        piece[--length] = '\0';
        if (length > 0 && piece[length - 1] == '\r')
            piece[--length] = '\0';
    }
    char const* text = piece;
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    bool const skipped = *text == '\0' || *text == '#' || (text[0] == '/' && text[1] == '/');
    return skipped ? nullptr : text;
}

std::vector<CDbEntry*> RecordsInOrder(CHashTable<CDbEntry> const& table)
{
    std::vector<CDbEntry*> records;
    records.reserve(table.GetCount());
    IndexAccess::ForEach(table, [&records](CDbEntry* record) { records.push_back(record); });
    return records;
}

// Links every record that carries a "__Parent" line number to the record read from that
// line (none for a skipped line) and removes the field. A number outside the lines read
// stops the linking.
int RestoreParents(std::vector<CDbEntry*> const& records, std::vector<CDbEntry*> const& lines)
{
    for (CDbEntry* const record : records) {
        char const* const number = record->Get(kParentField);
        if (*number == '\0')
            continue;
        long long const line = std::strtoll(number, nullptr, 10);
        if (line < 1 || line > static_cast<long long>(lines.size()))
            return kBadParent;
        record->SetParent(lines[line - 1]);
        record->Remove(kParentField);
    }
    return kRead;
}

}  // namespace

int CDbObject::ReadDelimitedFile(char const* path, bool combine)
{
    quillset::StreamFile file(path, "r");
    std::FILE* const input = file.Get();
    if (input == nullptr)
        return kCannotOpen;
    if (file.IsLargerThan(QS_MAX_FILE_SIZE))
        return QS_FILE_TOO_LARGE;
    std::vector<CDbEntry*> lines;  // the record stored for each line, null for skipped ones
    CDbEntry scratch(10);
    char piece[kPieceSize + 1];
    long total = 0;
    while (std::fgets(piece, sizeof piece, input) != nullptr) {
        total += static_cast<long>(std::strlen(piece));
        if (total > QS_MAX_FILE_SIZE)
            break;
        char const* const text = RecordText(piece);
        if (text != nullptr)
            scratch.SetEntry(text);
        lines.push_back(text ? AddEntry(scratch, combine) : nullptr);
    }
    int result = std::ferror(input) ? kReadError : kRead;
    if (total > QS_MAX_FILE_SIZE)
        result = QS_FILE_TOO_LARGE;
    file.Close();
    int const linked = RestoreParents(RecordsInOrder(m_index), lines);
    return linked != kRead ? linked : result;
}

int CDbObject::WriteDelimitedFile(char const* path) const
{
    quillset::StreamFile file(path, "w");
    std::FILE* const output = file.Get();
    if (output == nullptr)
        return kCannotOpen;
    std::vector<CDbEntry*> const records = RecordsInOrder(m_index);
    std::unordered_map<CDbEntry const*, std::size_t> lineOf;  // the first line of each record
    for (std::size_t i = 0; i < records.size(); ++i)
        lineOf.emplace(records[i], i + 1);
    int result = kRead;
    CString line;
    for (CDbEntry const* const record : records) {
        record->GetEntry(line);
        if (line.IsEmpty())
            line = quillset::detail::kEmptyRecordLine;
        if (CDbEntry const* const parent = record->GetParent()) {
            auto const found = lineOf.find(parent);
            line += ",";
            line += kParentField;
            line += "=";
            line += std::to_string(found != lineOf.end() ? found->second : records.size() + 1).c_str();
        }
        line += '\n';
        if (std::fwrite(static_cast<char const*>(line), 1, line.GetLength(), output) !=
            static_cast<std::size_t>(line.GetLength())) {
            result = kCannotWrite;
            break;
        }
    }
    // Buffered lines reach the file only now; losing them is a failed write too.
    return file.Close() ? result : kCannotWrite;
}

int CDbObject::WriteDelimitedString(CString& text) const
{
    CString line;
    IndexAccess::ForEach(m_index, [&](CDbEntry const* record) {
        text += record->GetEntry(line);
        text += '\n';
    });
    return 0;
}

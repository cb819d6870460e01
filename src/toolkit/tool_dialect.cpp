// The tool's dialect handlers, the fix-up of lines before the first command, and the scan
// that finds commands that never end.
#include "toolkit/tool_dialect.h"

#include "toolkit/unwritable_lines.h"

#include <cctype>
#include <cstring>

namespace quillset::toolkit {

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Removes the line end (a line feed, and a carriage return before it), as the parser does.
CString& StripLineEnd(CString& command)
{
    for (char const end : {'\n', '\r'}) {
        int const length = command.GetLength();
        if (length > 0 && command[length - 1] == end)
            command.Delete(length - 1, 1);
    }
    return command;
}

bool IsTopLevelUnknown(CDbEntry const& record)
{
    return record.GetParent() == nullptr && std::strcmp(record.GetName(), QS_UNKNOWN_ID) == 0;
}

// `text` on a line after the record's `existing` text (none when it is not set).
CString AppendedLine(bool exists, CDbValue const& existing, char const* text)
{
    CString joined;
    if (exists) {
        joined += existing;
        joined += '\n';
    }
    joined += text;
    return joined;
}

int Indentation(char const* line)
{
    int count = 0;
    while (IsSpace(line[count]))
        ++count;
    return count;
}

int Depth(CDbEntry const& record)
{
    int depth = 0;
    for (CDbEntry const* parent = record.GetParent(); parent != nullptr; parent = parent->GetParent())
        ++depth;
    return depth;
}

// The mode an indented unmatched line belongs to: among the last record and its ancestors,
// the deepest whose command has sub-commands (only their children are written back) and
// that lies less deep than the line is indented, so that a line indented once joins the
// top-level mode even after lines of a deeper one.
CDbEntry* EnclosingMode(CDbEntry& lastRecord, int indentation, SyntaxList const& syntaxes)
{
    CDbEntry* candidate = &lastRecord;
    if (std::strcmp(candidate->GetName(), QS_UNKNOWN_ID) == 0)
        candidate = candidate->GetParent();
    for (; candidate != nullptr; candidate = candidate->GetParent()) {
        if (Depth(*candidate) < indentation && HasChildDefinitions(syntaxes, candidate->GetName()))
            return candidate;
    }
    return nullptr;
}

// Whether any definition of the record's command in the group starting at `first` writes
// a line for it.
bool WritesLine(SyntaxList const& syntaxes, int first, CDbEntry const& record)
{
    int const end = EndOfGroup(syntaxes, first);
    CString line;
    for (int j = first; j < end; ++j) {
        if (std::strcmp(syntaxes[j]->GetId(), record.GetName()) == 0 && syntaxes[j]->Generate(&record, line, true) == 0 &&
            !line.IsEmpty())
            return true;
    }
    return false;
}

// The first top-level record other than `other` that generation writes a line for.
CDbEntry* FirstWrittenTopLevelRecord(CDbObject& db, SyntaxList const& syntaxes, CDbEntry const* other)
{
    int const count = syntaxes.GetSize();
    for (int i = FirstTopLevelDefinition(syntaxes); i >= 0 && i < count && syntaxes[i]->GetParentId()[0] == '\0';
         i = EndOfGroup(syntaxes, i)) {
        for (int n = 0; CDbEntry* record = db.Select(syntaxes[i]->GetId(), nullptr, n); ++n) {
            if (record != other && WritesLine(syntaxes, i, *record))
                return record;
        }
    }
    return nullptr;
}

}  // namespace

bool ToolLineHandler(CString& command)
{
    // Trailing white space carries nothing, and generation would not write it back.
    command.TrimRight();
    if (command.IsEmpty())
        return true;
    command += '\n';
    return DialectLineHandler(command);
}

bool ToolUnknownHandler(char const* markedCommand, char const* previousCommand, SyntaxList const& syntaxes,
                        int& position, CDbEntry* record, CDbEntry* lastRecord)
{
    std::string const text = Unmarked(markedCommand);
    char const* command = text.c_str();
    bool const indented = IsSpace(command[0]);
    if (indented && lastRecord != nullptr && IsTopLevelUnknown(*lastRecord)) {
        lastRecord->Set(QS_UNKNOWN_TEXT, AppendedLine(true, lastRecord->Get(QS_UNKNOWN_TEXT), command));
        return false;
    }
    if (indented && lastRecord != nullptr && lastRecord->GetParent() == nullptr &&
        !HasChildDefinitions(syntaxes, lastRecord->GetName())) {
        lastRecord->SetFooter(AppendedLine(lastRecord->IsExistFooter(), lastRecord->GetFooter(), command));
        return false;
    }
    if (indented && lastRecord != nullptr) {
        QuillsetHandleUnknown(command, previousCommand, syntaxes, position, record, lastRecord);
        if (CDbEntry* mode = EnclosingMode(*lastRecord, Indentation(command), syntaxes))
            record->SetParent(mode);
        return true;
    }
    DialectUnknownHandler(command, previousCommand, syntaxes, position, record, lastRecord);
    int const topLevel = FirstTopLevelDefinition(syntaxes);
    if (!indented && topLevel >= 0)
        position = topLevel;
    return true;
}

bool PlainUnknownHandler(char const* command, char const* previousCommand, SyntaxList const& syntaxes, int& position,
                         CDbEntry* record, CDbEntry* lastRecord)
{
    return QuillsetHandleUnknown(Unmarked(command).c_str(), previousCommand, syntaxes, position, record, lastRecord);
}

// With the handlers above, the only top-level unmatched record that starts with white space
// holds the indented lines before the first command.
void AttachLeadingLines(CDbObject& db, SyntaxList const& syntaxes)
{
    for (int n = 0; CDbEntry* unknown = db.Select(QS_UNKNOWN_ID, nullptr, n); ++n) {
        CDbValue const& text = unknown->Get(QS_UNKNOWN_TEXT);
        if (!IsSpace(static_cast<char const*>(text)[0]))
            continue;
        CDbEntry* first = FirstWrittenTopLevelRecord(db, syntaxes, unknown);
        if (first == nullptr)
            return;  // nothing is written before the unmatched lines: they come out first
        CString header(text);
        if (first->IsExistHeader()) {
            header += '\n';
            header += first->GetHeader();
        }
        first->SetHeader(header);
        db.Delete(unknown, false);
        return;
    }
}

CommandScan ScanCommands(std::string const& text, QuillsetLineHandler handler)
{
    CommandScan scan;
    CString command;
    int lineNumber = 0;
    int commandLine = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        ++lineNumber;
        if (command.IsEmpty())
            commandLine = lineNumber;
        command += text.substr(start, end - start).c_str();
        start = end;
        if (handler != nullptr && !handler(command))
            continue;
        if (!StripLineEnd(command).IsEmpty())
            scan.firstLines.push_back(commandLine);
        command.Empty();
    }
    if (!command.IsEmpty())
        scan.unfinishedLine = commandLine;
    return scan;
}

}  // namespace quillset::toolkit

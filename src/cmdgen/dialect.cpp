// The device dialect: lines of a lone "!" carry nothing, a banner's text spans lines up to
// its closing "^C", and unmatched lines are placed in the record tree by indentation.
#include <quillset/cmdgen.h>

#include <cctype>
#include <cstring>

namespace {

char const kBanner[] = "banner ";
char const* const kBannerKinds[] = {"motd ", "exec ", "incoming ", "login "};
char const kDelimiter[] = "^C";

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

char const* SkipSpace(char const* p)
{
    while (IsSpace(*p))
        ++p;
    return p;
}

bool StartsWith(char const* text, char const* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

// Whether the collected text ends with a "^C" (before its line end, a carriage return
// accepted) that lies after the opening delimiter at `opening`, so that a first line
// ending right after its opening "^C" does not close the banner.
bool EndsWithClosingDelimiter(char const* text, int length, int opening)
{
    int end = length;
    if (end > 0 && text[end - 1] == '\n')
        --end;
    if (end > 0 && text[end - 1] == '\r')
        --end;
    return end - 2 > opening && std::strncmp(text + end - 2, kDelimiter, 2) == 0;
}

}  // namespace

bool DialectLineHandler(CString& command)
{
    char const* const text = command;
    char const* p = SkipSpace(text);
    if (*p == '!') {
        if (*SkipSpace(p + 1) == '\0')
            command.Empty();
        return true;
    }
    if (!StartsWith(p, kBanner))
        return true;
    p += sizeof kBanner - 1;
    for (char const* kind : kBannerKinds) {
        if (StartsWith(p, kind)) {
            p += std::strlen(kind);
            break;
        }
    }
    if (!StartsWith(p, kDelimiter))
        return true;  // a banner on one line
    return EndsWithClosingDelimiter(text, command.GetLength(), static_cast<int>(p - text));
}

bool DialectUnknownHandler(char const* command, char const* previousCommand, CDynArray<CCmdSyntax*> const& syntaxes,
                           int& position, CDbEntry* record, CDbEntry* lastRecord)
{
    QuillsetHandleUnknown(command, previousCommand, syntaxes, position, record, lastRecord);
    if (lastRecord == nullptr)
        return true;
    CDbEntry* const mode = lastRecord->GetParent();
    if (IsSpace(command[0])) {
        if (mode != nullptr)
            record->SetParent(mode);
        else if (std::strcmp(lastRecord->GetName(), QS_UNKNOWN_ID) != 0)
            record->SetParent(lastRecord);
        return true;
    }
    if (mode != nullptr) {
        for (int i = 0; i < syntaxes.GetSize(); ++i) {
            if (std::strcmp(syntaxes[i]->GetId(), mode->GetName()) == 0) {
                position = i;
                break;
            }
        }
    }
    return true;
}

void SetZynMode(CCmdGen* gen)
{
    if (gen == nullptr)
        return;
    gen->RegisterLineProcessingHandler(DialectLineHandler);
    gen->RegisterUnknownCommandHandler(DialectUnknownHandler);
}

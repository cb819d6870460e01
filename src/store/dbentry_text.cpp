// CDbEntry as one line of delimited text: encoding with backslash escapes, decoding, and
// printing. Every name and value is escaped, so that any record of named fields, or of
// positional fields from slot 1 on, reads back exactly as it was written.
#include <quillset/dbentry.h>

#include "store/record_line.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The letter that follows a backslash for each control character that has one.
char ControlLetter(char c)
{
    switch (c) {
    case '\a': return 'a';
    case '\b': return 'b';
    case '\t': return 't';
    case '\n': return 'n';
    case '\v': return 'v';
    case '\f': return 'f';
    case '\r': return 'r';
    default: return '\0';
    }
}

char ControlOf(char letter)
{
    switch (letter) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 't': return '\t';
    case 'n': return '\n';
    case 'v': return '\v';
    case 'f': return '\f';
    case 'r': return '\r';
    default: return letter;
    }
}

void AppendEscaped(std::string& line, char const* text, char delimiter)
{
    for (char const* p = text; *p != '\0'; ++p) {
        char const c = *p;
        if (char const letter = ControlLetter(c)) {
            line += '\\';
            line += letter;
        } else if (c == '"') {
            line += "\"\"";
        } else if (c == ',' || c == delimiter || c == '\\' || c == '=') {
            line += '\\';
            line += c;
        } else {
            line += c;
        }
    }
}

// A reader skips lines that start with white space only, "#" or "//", and trims leading
// white space (the control characters among it are escaped anyway).
bool NeedsProtectedStart(char c) { return c == ' ' || c == '#' || c == '/'; }

// One token of a line: its text with escapes undone, and where its first unescaped "="
// stands (std::string::npos when it has none).
struct Token {
    std::string text;
    std::size_t separator = std::string::npos;
};

// Reads the token that starts at `p` up to the next unescaped delimiter or the end of the
// line; returns where it stopped. A backslash at the very end stands for itself.
char const* ReadToken(char const* p, char delimiter, Token& token)
{
    token.text.clear();
    token.separator = std::string::npos;
    for (; *p != '\0' && *p != delimiter; ++p) {
        if (*p == '\\' && p[1] != '\0') {
            token.text += ControlOf(*++p);
        } else if (*p == '"' && p[1] == '"') {
            token.text += *++p;
        } else {
            if (*p == '=' && token.separator == std::string::npos)
                token.separator = token.text.size();
            token.text += *p;
        }
    }
    return p;
}

}  // namespace

CString& CDbEntry::GetEntry(CString& line) const
{
    bool named = false;
    for (int slot = 0; slot < GetFieldCount() && !named; ++slot)
        named = m_fieldNames[slot] != nullptr && !IsFieldAnIndex(m_fieldNames[slot]);
    // Without a name, a positional record whose only field is in slot 0 would be written as
    // an empty line, which a reader skips: it is written named instead.
    named = named || (m_name[0] == '\0' && GetFieldCount() == 1);
    std::string text;
    if (NeedsProtectedStart(m_name[0]))
        text += '\\';
    AppendEscaped(text, m_name, m_delimiter);
    for (int slot = named ? 0 : 1; slot < GetFieldCount(); ++slot) {
        text += m_delimiter;
        if (named && m_fieldNames[slot] != nullptr) {
            AppendEscaped(text, m_fieldNames[slot], m_delimiter);
            text += '=';
        }
        if (m_values[slot] != nullptr)
            AppendEscaped(text, *m_values[slot], m_delimiter);
    }
    line = text.c_str();
    return line;
}

char const* CDbEntry::GetEntry() const
{
    if (m_line == nullptr)
        m_line = std::make_unique<CString>();
    return GetEntry(*m_line);
}

int CDbEntry::SetEntry(char const* line)
{
    Clear();
    if (line == nullptr || *line == '\0' || std::strcmp(line, quillset::detail::kEmptyRecordLine) == 0)
        return 0;
    Token token;
    char const* p = ReadToken(line, m_delimiter, token);
    SetName(token.text.c_str());
    for (int position = 1; *p != '\0'; ++position) {
        p = ReadToken(p + 1, m_delimiter, token);
        if (token.separator == std::string::npos) {
            Set(std::to_string(position).c_str(), token.text.c_str());
            continue;
        }
        token.text[token.separator] = '\0';
        Set(token.text.c_str(), token.text.c_str() + token.separator + 1);
    }
    return 0;
}

void CDbEntry::PrintEntry() const
{
    CString line;
    GetEntry(line);
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
}

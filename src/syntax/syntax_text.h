// Character classes and escapes shared by the syntax-file scanner and the variables.
#ifndef QUILLSET_SYNTAX_SYNTAX_TEXT_H
#define QUILLSET_SYNTAX_SYNTAX_TEXT_H

namespace quillset::syntax {

inline bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether nothing but spaces (0x20; other white space does not count) is left of `text`.
inline bool OnlySpacesRemain(char const* text)
{
    while (*text == ' ')
        ++text;
    return *text == '\0';
}

// The byte a backslash escape stands for: the C control escapes \a \b \f \n \r \t \v, and
// any other character for itself.
inline char EscapedChar(char c)
{
    switch (c) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    default: return c;
    }
}

}  // namespace quillset::syntax

#endif

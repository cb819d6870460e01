// CString: the owned, NUL-terminated byte string of the exported interface. Copies are
// independent (no shared buffers) and a string is never absent: an empty one holds "".
#ifndef QUILLSET_QSTRING_H
#define QUILLSET_QSTRING_H

#include <quillset/export.h>

#include <cstring>
#include <type_traits>

class CDbValue;

class QS_API CString {
public:
    CString();
    CString(char const* text);
    CString(CString const& other);
    CString(CString&& other) noexcept;
    // Direct initialisation from a value takes its text (a value also converts to char const*).
    explicit CString(CDbValue const& value);
    ~CString();

    CString& operator=(CString const& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(char const* text);
    CString& operator=(char c);
    // A value converts to several text types; these pick its text without ambiguity.
    CString& operator=(CDbValue const& value);

    CString& operator+=(CString const& other);
    CString& operator+=(char const* text);
    CString& operator+=(char c);
    CString& operator+=(CDbValue const& value);

    int GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    void Empty();

    // Removes trailing space, tab, line feed, vertical tab, form feed and carriage return.
    void TrimRight();
    // Removes up to `count` bytes starting at `index`; returns the new length.
    int Delete(int index, int count = 1);
    // Index of the first `c` at or after `start`, or -1.
    int Find(char c, int start = 0) const;
    // Up to `count` bytes from `start` (fewer when the text ends first).
    CString Mid(int start, int count) const;
    // Replaces the text with the printf-style result.
    void Format(char const* format, ...) __attribute__((format(printf, 2, 3)));

    // Room for at least `minLength` bytes plus the terminator, the text unchanged. After
    // writing into the buffer, ReleaseBuffer(-1) takes the length up to the first NUL;
    // ReleaseBuffer(n) sets the length to n.
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    operator char const*() const { return m_text; }

private:
    QS_LOCAL void Assign(char const* text, int length);
    QS_LOCAL void Append(char const* text, int length);
    QS_LOCAL void Reserve(int capacity);
    QS_LOCAL void SetLength(int length);

    char* m_text;
    int m_length;
    int m_capacity;  // bytes available before the terminator; 0 means m_text is the shared ""
};

namespace quillset::detail {

template <class T>
constexpr bool kIsString = std::is_same_v<std::decay_t<T>, CString>;

// C strings, arrays included.
template <class T>
constexpr bool kIsCText = std::is_same_v<std::decay_t<T>, char const*> || std::is_same_v<std::decay_t<T>, char*>;

template <class T>
constexpr bool kIsChar = std::is_same_v<std::decay_t<T>, char>;

// Concatenation: a CString with a CString, a C string or a char, on either side.
template <class Left, class Right>
using EnableIfConcatenation =
    std::enable_if_t<(kIsString<Left> || kIsString<Right>) && (kIsString<Left> || kIsCText<Left> || kIsChar<Left>) &&
                         (kIsString<Right> || kIsCText<Right> || kIsChar<Right>),
                     int>;

// Comparison: a CString with a CString or a C string, on either side.
template <class Left, class Right>
using EnableIfComparison = std::enable_if_t<(kIsString<Left> || kIsString<Right>) &&
                                                (kIsString<Left> || kIsCText<Left>) && (kIsString<Right> || kIsCText<Right>),
                                            int>;

inline char const* TextOf(CString const& s) { return s; }
inline char const* TextOf(char const* s) { return s ? s : ""; }

}  // namespace quillset::detail

// Concatenation and comparison take their operands exactly as written (templates on
// forwarding references), so that a CString lvalue next to a C string or char never
// competes with the value type's own operator+ and every such expression is unambiguous.
template <class Left, class Right, quillset::detail::EnableIfConcatenation<Left, Right> = 0>
CString operator+(Left&& left, Right&& right)
{
    CString result;
    result += left;
    result += right;
    return result;
}

template <class Left, class Right, quillset::detail::EnableIfComparison<Left, Right> = 0>
bool operator==(Left const& left, Right const& right)
{
    using quillset::detail::TextOf;
    return std::strcmp(TextOf(left), TextOf(right)) == 0;
}

template <class Left, class Right, quillset::detail::EnableIfComparison<Left, Right> = 0>
bool operator!=(Left const& left, Right const& right)
{
    return !(left == right);
}

#endif

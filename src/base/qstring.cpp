// CString: owned byte string with value semantics. An empty string points at a shared
// terminator and allocates nothing, since most record values start out empty.
#include <quillset/qstring.h>
#include <quillset/dbvalue.h>

#include <climits>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

char g_emptyText[1] = "";

// Lengths are ints: a text longer than this is refused, never wrapped into a negative
// length and a short buffer.
constexpr std::size_t kMaxLength = INT_MAX - 1;

[[noreturn]] void RefuseLength() { throw std::length_error("CString: text longer than 2 GiB"); }

int TextLength(char const* text)
{
    std::size_t const length = text ? std::strlen(text) : 0;
    if (length > kMaxLength)
        RefuseLength();
    return static_cast<int>(length);
}

bool IsTrailingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

CString::CString() : m_text(g_emptyText), m_length(0), m_capacity(0) {}

CString::CString(char const* text) : CString() { Assign(text, TextLength(text)); }

CString::CString(CString const& other) : CString() { Assign(other.m_text, other.m_length); }

CString::CString(CDbValue const& value) : CString(static_cast<char const*>(value)) {}

CString::CString(CString&& other) noexcept
    : m_text(std::exchange(other.m_text, g_emptyText)),
      m_length(std::exchange(other.m_length, 0)),
      m_capacity(std::exchange(other.m_capacity, 0))
{
}

CString::~CString()
{
    if (m_capacity > 0)
        delete[] m_text;
}

CString& CString::operator=(CString const& other)
{
    if (this != &other)
        Assign(other.m_text, other.m_length);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    std::swap(m_text, other.m_text);
    std::swap(m_length, other.m_length);
    std::swap(m_capacity, other.m_capacity);
    return *this;
}

CString& CString::operator=(char const* text)
{
    Assign(text, TextLength(text));
    return *this;
}

CString& CString::operator=(char c)
{
    Assign(&c, 1);
    return *this;
}

CString& CString::operator=(CDbValue const& value) { return *this = static_cast<char const*>(value); }

CString& CString::operator+=(CString const& other)
{
    Append(other.m_text, other.m_length);
    return *this;
}

CString& CString::operator+=(char const* text)
{
    Append(text, TextLength(text));
    return *this;
}

CString& CString::operator+=(char c)
{
    Append(&c, 1);
    return *this;
}

CString& CString::operator+=(CDbValue const& value) { return *this += static_cast<char const*>(value); }

void CString::Empty() { SetLength(0); }

void CString::TrimRight()
{
    int length = m_length;
    while (length > 0 && IsTrailingSpace(m_text[length - 1]))
        --length;
    SetLength(length);
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count <= 0 || index >= m_length)
        return m_length;
    if (count > m_length - index)
        count = m_length - index;
    std::memmove(m_text + index, m_text + index + count, m_length - index - count + 1);
    m_length -= count;
    return m_length;
}

int CString::Find(char c, int start) const
{
    if (start < 0)
        start = 0;
    if (start >= m_length)
        return -1;
    void const* found = std::memchr(m_text + start, c, m_length - start);
    return found ? static_cast<int>(static_cast<char const*>(found) - m_text) : -1;
}

CString CString::Mid(int start, int count) const
{
    CString result;
    if (start < 0)
        start = 0;
    if (count <= 0 || start >= m_length)
        return result;
    if (count > m_length - start)
        count = m_length - start;
    result.Assign(m_text + start, count);
    return result;
}

void CString::Format(char const* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int const length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    // Formatted into a fresh buffer: the arguments may point into this string.
    CString result;
    if (length > 0) {
        result.Reserve(length);
        std::vsnprintf(result.m_text, length + 1, format, args);
        result.m_length = length;
    }
    va_end(args);
    *this = std::move(result);
}

char* CString::GetBuffer(int minLength)
{
    Reserve(minLength > 0 ? minLength : 1);
    return m_text;
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0 || newLength > m_capacity) {
        void const* end = std::memchr(m_text, '\0', m_capacity);
        newLength = end ? static_cast<int>(static_cast<char const*>(end) - m_text) : m_capacity;
    }
    SetLength(newLength);
}

// Cuts the text to `length` bytes (at most the current capacity); never writes to the shared
// empty text.
void CString::SetLength(int length)
{
    m_length = length;
    if (m_capacity > 0)
        m_text[length] = '\0';
}

// The text may be part of this string, so it is only cut once nothing is copied.
void CString::Assign(char const* text, int length)
{
    m_length = 0;
    if (length > 0)
        Append(text, length);
    else
        SetLength(0);
}

void CString::Append(char const* text, int length)
{
    if (length <= 0)
        return;
    // The text may be part of this string (s += s): keep its offset across a reallocation.
    bool const ownText = m_capacity > 0 && text >= m_text && text <= m_text + m_capacity;
    ptrdiff_t const offset = text - m_text;
    if (static_cast<std::size_t>(length) > kMaxLength - m_length)
        RefuseLength();
    Reserve(m_length + length);
    if (ownText)
        text = m_text + offset;
    std::memmove(m_text + m_length, text, length);
    m_length += length;
    m_text[m_length] = '\0';
}

// Grows the buffer to hold at least `capacity` bytes and the terminator, at least doubling
// so that repeated appends stay amortised linear.
void CString::Reserve(int capacity)
{
    if (capacity <= m_capacity)
        return;
    if (static_cast<std::size_t>(capacity) > kMaxLength)
        RefuseLength();
    int grown = static_cast<std::size_t>(m_capacity) * 2 > kMaxLength ? static_cast<int>(kMaxLength) : m_capacity * 2;
    if (grown < capacity)
        grown = capacity;
    char* text = new char[grown + 1];
    std::memcpy(text, m_text, m_length + 1);
    text[grown] = '\0';
    if (m_capacity > 0)
        delete[] m_text;
    m_text = text;
    m_capacity = grown;
}

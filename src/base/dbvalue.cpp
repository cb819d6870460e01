// CDbValue: text storage with numeric and truth views computed on demand.
#include <quillset/dbvalue.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

template <typename Number>
CString FormatNumber(char const* format, Number value)
{
    CString text;
    text.Format(format, value);
    return text;
}

bool TextIsTrue(char const* text) { return text[0] != '\0' && std::strcmp(text, "0") != 0; }

// The left-hand side of a comparison, read from the text in the operand's domain.
std::int8_t ReadSigned8(char const* text) { return static_cast<std::int8_t>(text[0]); }
std::uint8_t ReadUnsigned8(char const* text) { return static_cast<std::uint8_t>(text[0]); }
std::int16_t ReadSigned16(char const* text) { return static_cast<std::int16_t>(std::atoi(text)); }
std::uint16_t ReadUnsigned16(char const* text) { return static_cast<std::uint16_t>(std::atoi(text)); }
std::int32_t ReadInt(char const* text) { return std::atoi(text); }
std::uint32_t ReadUnsignedInt(char const* text) { return static_cast<std::uint32_t>(std::atoi(text)); }
std::int32_t ReadLong32(char const* text) { return static_cast<std::int32_t>(std::atol(text)); }
std::uint32_t ReadUnsignedLong32(char const* text) { return static_cast<std::uint32_t>(std::atol(text)); }
double ReadDouble(char const* text) { return std::atof(text); }
int ReadTruth(char const* text) { return TextIsTrue(text) ? 1 : 0; }

}  // namespace

CDbValue::CDbValue() = default;
CDbValue::CDbValue(CDbValue const& other) = default;
CDbValue::CDbValue(CDbValue&& other) noexcept = default;
CDbValue::~CDbValue() = default;

CDbValue::CDbValue(char const* text) : m_text(text) {}
CDbValue::CDbValue(char c) { *this = c; }
CDbValue::CDbValue(unsigned char c) { *this = c; }
CDbValue::CDbValue(int v) : m_text(FormatNumber("%d", v)) {}
CDbValue::CDbValue(unsigned int v) : m_text(FormatNumber("%u", v)) {}
CDbValue::CDbValue(short v) : m_text(FormatNumber("%d", static_cast<int>(v))) {}
CDbValue::CDbValue(unsigned short v) : m_text(FormatNumber("%u", static_cast<unsigned int>(v))) {}
CDbValue::CDbValue(long v) : m_text(FormatNumber("%ld", v)) {}
CDbValue::CDbValue(unsigned long v) : m_text(FormatNumber("%lu", v)) {}
CDbValue::CDbValue(float v) : m_text(FormatNumber("%f", static_cast<double>(v))) {}
CDbValue::CDbValue(double v) : m_text(FormatNumber("%f", v)) {}
CDbValue::CDbValue(bool v) : m_text(v ? "1" : "0") {}

CDbValue& CDbValue::operator=(CDbValue const& other) = default;
CDbValue& CDbValue::operator=(CDbValue&& other) noexcept = default;

CDbValue& CDbValue::operator=(char const* text)
{
    m_text = text;
    return *this;
}

// The NUL character makes the empty text, so such a value is empty for every operation.
CDbValue& CDbValue::operator=(char c)
{
    if (c == '\0')
        m_text.Empty();
    else
        m_text = c;
    return *this;
}

CDbValue& CDbValue::operator=(unsigned char c) { return *this = static_cast<char>(c); }
CDbValue& CDbValue::operator=(int v) { return *this = CDbValue(v); }
CDbValue& CDbValue::operator=(unsigned int v) { return *this = CDbValue(v); }
CDbValue& CDbValue::operator=(short v) { return *this = CDbValue(v); }
CDbValue& CDbValue::operator=(unsigned short v) { return *this = CDbValue(v); }
CDbValue& CDbValue::operator=(long v) { return *this = CDbValue(v); }
CDbValue& CDbValue::operator=(unsigned long v) { return *this = CDbValue(v); }
CDbValue& CDbValue::operator=(float v) { return *this = CDbValue(v); }
CDbValue& CDbValue::operator=(double v) { return *this = CDbValue(v); }
CDbValue& CDbValue::operator=(bool v) { return *this = CDbValue(v); }

void CDbValue::Empty() { m_text.Empty(); }
bool CDbValue::IsEmpty() const { return m_text.IsEmpty(); }

CDbValue::operator char const*() const { return m_text; }
CDbValue::operator CString() const { return m_text; }
CDbValue::operator char() const { return m_text[0]; }
CDbValue::operator unsigned char() const { return static_cast<unsigned char>(m_text[0]); }
CDbValue::operator short() const { return static_cast<short>(std::atoi(m_text)); }
CDbValue::operator unsigned short() const { return static_cast<unsigned short>(std::atoi(m_text)); }
CDbValue::operator int() const { return std::atoi(m_text); }
CDbValue::operator unsigned int() const { return static_cast<unsigned int>(std::atoi(m_text)); }
CDbValue::operator long() const { return std::atol(m_text); }
CDbValue::operator unsigned long() const { return static_cast<unsigned long>(std::atol(m_text)); }
CDbValue::operator float() const { return static_cast<float>(std::atof(m_text)); }
CDbValue::operator double() const { return std::atof(m_text); }
CDbValue::operator bool() const { return TextIsTrue(m_text); }

bool CDbValue::operator==(char const* text) const { return std::strcmp(m_text, text ? text : "") == 0; }
bool CDbValue::operator!=(char const* text) const { return !(*this == text); }

// Every comparison with a scalar reads the text with `read` and compares in `Domain`.
#define QUILLSET_DEFINE_COMPARISONS(Type, Domain, read)                                              \
    bool CDbValue::operator==(Type v) const { return read(m_text) == static_cast<Domain>(v); }             \
    bool CDbValue::operator!=(Type v) const { return !(*this == v); }                                      \
    bool CDbValue::operator<(Type v) const { return read(m_text) < static_cast<Domain>(v); }               \
    bool CDbValue::operator<=(Type v) const { return read(m_text) <= static_cast<Domain>(v); }             \
    bool CDbValue::operator>(Type v) const { return read(m_text) > static_cast<Domain>(v); }               \
    bool CDbValue::operator>=(Type v) const { return read(m_text) >= static_cast<Domain>(v); }

QUILLSET_DEFINE_COMPARISONS(char, std::int8_t, ReadSigned8)
QUILLSET_DEFINE_COMPARISONS(unsigned char, std::uint8_t, ReadUnsigned8)
QUILLSET_DEFINE_COMPARISONS(short, std::int16_t, ReadSigned16)
QUILLSET_DEFINE_COMPARISONS(unsigned short, std::uint16_t, ReadUnsigned16)
QUILLSET_DEFINE_COMPARISONS(int, std::int32_t, ReadInt)
QUILLSET_DEFINE_COMPARISONS(unsigned int, std::uint32_t, ReadUnsignedInt)
QUILLSET_DEFINE_COMPARISONS(long, std::int32_t, ReadLong32)
QUILLSET_DEFINE_COMPARISONS(unsigned long, std::uint32_t, ReadUnsignedLong32)
QUILLSET_DEFINE_COMPARISONS(float, double, ReadDouble)
QUILLSET_DEFINE_COMPARISONS(double, double, ReadDouble)
QUILLSET_DEFINE_COMPARISONS(bool, int, ReadTruth)

#undef QUILLSET_DEFINE_COMPARISONS

CString& operator+(CString& s, CDbValue const& v) { return s += v; }
CString& operator+(CDbValue const& v, CString& s) { return s += v; }

// CDbValue: the value of every record field. It holds text only; numbers and truth values
// are written as decimal text when stored and read back from the text on every request.
#ifndef QUILLSET_DBVALUE_H
#define QUILLSET_DBVALUE_H

#include <quillset/export.h>
#include <quillset/qstring.h>

class QS_API CDbValue {
public:
    CDbValue();
    CDbValue(CDbValue const& other);
    // Moving takes the text; the source is left empty.
    CDbValue(CDbValue&& other) noexcept;
    ~CDbValue();

    CDbValue(char const* text);
    CDbValue(char c);
    CDbValue(unsigned char c);
    CDbValue(int v);
    CDbValue(unsigned int v);
    CDbValue(short v);
    CDbValue(unsigned short v);
    CDbValue(long v);
    CDbValue(unsigned long v);
    CDbValue(float v);
    CDbValue(double v);
    CDbValue(bool v);

    CDbValue& operator=(CDbValue const& other);
    CDbValue& operator=(CDbValue&& other) noexcept;
    CDbValue& operator=(char const* text);
    CDbValue& operator=(char c);
    CDbValue& operator=(unsigned char c);
    CDbValue& operator=(int v);
    CDbValue& operator=(unsigned int v);
    CDbValue& operator=(short v);
    CDbValue& operator=(unsigned short v);
    CDbValue& operator=(long v);
    CDbValue& operator=(unsigned long v);
    CDbValue& operator=(float v);
    CDbValue& operator=(double v);
    CDbValue& operator=(bool v);

    void Empty();
    bool IsEmpty() const;

    // Views computed from the text: the text itself, its first character, atoi/atol/atof of
    // it, and false only for "" and "0".
    operator char const*() const;
    operator CString() const;
    operator char() const;
    operator unsigned char() const;
    operator short() const;
    operator unsigned short() const;
    operator int() const;
    operator unsigned int() const;
    operator long() const;
    operator unsigned long() const;
    operator float() const;
    operator double() const;
    operator bool() const;

    // Comparisons read the text in the operand's domain: 8, 16 or 32 bits (long and
    // unsigned long compare as 32-bit patterns), double for floating point, 0/1 for bool.
    bool operator==(char const* text) const;
    bool operator==(char c) const;
    bool operator==(unsigned char c) const;
    bool operator==(int v) const;
    bool operator==(unsigned int v) const;
    bool operator==(short v) const;
    bool operator==(unsigned short v) const;
    bool operator==(long v) const;
    bool operator==(unsigned long v) const;
    bool operator==(float v) const;
    bool operator==(double v) const;
    bool operator==(bool v) const;

    bool operator!=(char const* text) const;
    bool operator!=(char c) const;
    bool operator!=(unsigned char c) const;
    bool operator!=(int v) const;
    bool operator!=(unsigned int v) const;
    bool operator!=(short v) const;
    bool operator!=(unsigned short v) const;
    bool operator!=(long v) const;
    bool operator!=(unsigned long v) const;
    bool operator!=(float v) const;
    bool operator!=(double v) const;
    bool operator!=(bool v) const;

#define QUILLSET_DBVALUE_ORDERING(op)   \
    bool operator op(char c) const;           \
    bool operator op(unsigned char c) const;  \
    bool operator op(int v) const;            \
    bool operator op(unsigned int v) const;   \
    bool operator op(short v) const;          \
    bool operator op(unsigned short v) const; \
    bool operator op(long v) const;           \
    bool operator op(unsigned long v) const;  \
    bool operator op(float v) const;          \
    bool operator op(double v) const;         \
    bool operator op(bool v) const;
    QUILLSET_DBVALUE_ORDERING(<)
    QUILLSET_DBVALUE_ORDERING(<=)
    QUILLSET_DBVALUE_ORDERING(>)
    QUILLSET_DBVALUE_ORDERING(>=)
#undef QUILLSET_DBVALUE_ORDERING

private:
    CString m_text;
};

// Both append the value's text to `s`, change `s` and return it.
QS_API CString& operator+(CString& s, CDbValue const& v);
QS_API CString& operator+(CDbValue const& v, CString& s);

#endif

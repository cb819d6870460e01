// CSymbolVar: typed variables. The type code fixes which text a variable takes from a line,
// in which order it offers longer or shorter matches to the matcher, and which field texts
// it writes back.
#include <quillset/symbols.h>

#include "base/owned_text.h"
#include "syntax/syntax_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using quillset::CopyText;
using quillset::syntax::OnlySpacesRemain;

enum VarType {
    kWord,
    kLetters,
    kLettersAndDigits,
    kUnsigned,
    kSigned,
    kHex,
    kShortestString,
    kLongestString,
    kSpace,
    kAddress,
    kUnknownType,
};

struct TypeCode {
    char const* code;
    VarType type;
};

constexpr TypeCode kTypeCodes[] = {
    {"w", kWord},
    {"aw", kLetters},
    {"anw", kLettersAndDigits},
    {"u", kUnsigned},
    {"d", kSigned},
    {"i", kSigned},
    {"x", kHex},
    {"sm", kShortestString},
    {"smin", kShortestString},
    {"s", kLongestString},
    {"smax", kLongestString},
    {"sp", kSpace},
    {"ip", kAddress},
};

// The longest text an address field may hold when it is written back.
constexpr std::size_t kMaxAddressLength = 15;

VarType TypeOf(char const* code)
{
    for (TypeCode const& entry : kTypeCodes) {
        if (std::strcmp(entry.code, code) == 0)
            return entry.type;
    }
    return kUnknownType;
}

// The number of characters at the start of `text` that `accepts` takes.
template <class Accepts>
int RunLength(char const* text, Accepts accepts)
{
    int length = 0;
    while (text[length] != '\0' && accepts(static_cast<unsigned char>(text[length])))
        ++length;
    return length;
}

bool AreOctets(int const (&numbers)[4])
{
    return std::all_of(numbers, numbers + 4, [](int n) { return n >= 0 && n <= 255; });
}

// The length of the dotted-decimal address at the start of `text`, or -1 when the text does
// not scan as four numbers from 0 to 255. The match ends after the digits that follow the
// third dot, so that a prefix length after a slash is left to what follows.
int AddressLength(char const* text)
{
    int numbers[4];
    if (std::sscanf(text, "%d.%d.%d.%d", &numbers[0], &numbers[1], &numbers[2], &numbers[3]) != 4 ||
        !AreOctets(numbers))
        return -1;
    char const* end = text;
    for (int dot = 0; dot < 3; ++dot)
        end = std::strchr(end, '.') + 1;
    return static_cast<int>(end - text) + RunLength(end, [](unsigned char c) { return std::isdigit(c) != 0; });
}

// Whether `text` is exactly a dotted-decimal address, with nothing after the fourth number.
bool IsAddress(char const* text)
{
    if (std::strlen(text) > kMaxAddressLength)
        return false;
    int numbers[4];
    char rest[kMaxAddressLength + 1];
    return std::sscanf(text, "%d.%d.%d.%d%s", &numbers[0], &numbers[1], &numbers[2], &numbers[3], rest) == 4 &&
           AreOctets(numbers);
}

// The next character of a character-set argument; a backslash takes the character after it
// literally, and stands for itself at the very end.
unsigned char TakeSetChar(char const*& p)
{
    if (*p == '\\' && p[1] != '\0')
        ++p;
    return static_cast<unsigned char>(*p++);
}

}  // namespace

CSymbolVar::CSymbolVar(char const* name, char const* typeSpec)
    : name(CopyText(name)), defaultValue(nullptr), type(kWord), typeCode(nullptr), typeArgument(nullptr), charSet(nullptr)
{
    if (typeSpec == nullptr)
        typeSpec = IsAnonymous() ? "s" : "w";
    char const* rest = typeSpec;
    while (quillset::syntax::IsLetter(*rest))
        ++rest;
    typeCode = CopyText(std::string(typeSpec, rest).c_str());
    std::size_t const restLength = std::strlen(rest);
    if (restLength >= 2 && rest[0] == '(' && rest[restLength - 1] == ')')
        typeArgument = CopyText(std::string(rest + 1, restLength - 2).c_str());
    type = TypeOf(typeCode);
    if ((type == kShortestString || type == kLongestString) && typeArgument != nullptr)
        BuildCharSet();
}

CSymbolVar::~CSymbolVar()
{
    delete[] name;
    delete[] defaultValue;
    delete[] typeCode;
    delete[] typeArgument;
    delete[] charSet;
}

bool CSymbolVar::IsAnonymous() const { return std::strcmp(name, "%") == 0; }

// The argument lists characters and ranges ("a-z"); a leading "^" makes the set all the
// characters not listed. A "-" without a character on both sides is listed itself.
void CSymbolVar::BuildCharSet()
{
    char const* p = typeArgument;
    bool const negated = *p == '^';
    if (negated)
        ++p;
    bool const listed = !negated;
    charSet = new bool[256];
    std::fill(charSet, charSet + 256, negated);
    int before = -1;
    while (*p != '\0') {
        if (*p == '-' && before >= 0 && p[1] != '\0') {
            ++p;
            int const after = TakeSetChar(p);
            charSet[before] = charSet[after] = listed;
            for (int c = before; c <= after; ++c)
                charSet[c] = listed;
            before = -1;
            continue;
        }
        before = TakeSetChar(p);
        charSet[before] = listed;
    }
}

void CSymbolVar::SetDefault(char const* value)
{
    delete[] defaultValue;
    defaultValue = CopyText(value);
}

int CSymbolVar::ApplyDefault(CDbEntry* record)
{
    if (defaultValue == nullptr || record->IsExist(name))
        return 6;
    record->Set(name, defaultValue, -1);
    return 0;
}

// The longest start of `text` that has the form of this variable's type.
int CSymbolVar::FormLength(char const* text) const
{
    switch (type) {
    case kWord: return RunLength(text, [](unsigned char c) { return std::isspace(c) == 0; });
    case kLetters: return RunLength(text, [](unsigned char c) { return std::isalpha(c) != 0; });
    case kLettersAndDigits: return RunLength(text, [](unsigned char c) { return std::isalnum(c) != 0; });
    case kUnsigned: return RunLength(text, [](unsigned char c) { return std::isdigit(c) != 0; });
    case kSigned: {
        int const sign = text[0] == '-' ? 1 : 0;
        return sign + RunLength(text + sign, [](unsigned char c) { return std::isdigit(c) != 0; });
    }
    case kHex: return RunLength(text, [](unsigned char c) { return std::isxdigit(c) != 0; });
    case kShortestString:
    case kLongestString:
        if (charSet == nullptr)
            return static_cast<int>(std::strlen(text));
        return RunLength(text, [this](unsigned char c) { return charSet[c]; });
    case kSpace: return RunLength(text, [](unsigned char c) { return std::isspace(c) != 0; });
    default: return 0;
    }
}

// Where the match at `text` ends, given the length of the previous match at this position
// (-1 on the first attempt); -1 when there is no (further) match. String types grow from
// one character ("smin") or shrink from the longest run ("s", "sp"); the others offer one
// match only.
int CSymbolVar::MatchLength(char const* text, int previous) const
{
    bool const retry = previous != -1;
    switch (type) {
    case kShortestString: {
        int const taken = retry ? previous : 0;
        if (OnlySpacesRemain(text + taken))
            return -1;
        if (charSet != nullptr && !charSet[static_cast<unsigned char>(text[taken])])
            return -1;
        return taken + 1;
    }
    case kLongestString:
    case kSpace: return retry ? previous - 1 : FormLength(text);
    default: return retry ? -1 : FormLength(text);
    }
}

int CSymbolVar::Parse(char const** cursor, CDbEntry* record, int* state)
{
    char const* text = *cursor;
    int length;
    if (type == kAddress) {
        if (*state != -1)
            return 3;
        if ((length = AddressLength(text)) < 0)
            return 2;
    } else if ((length = MatchLength(text, *state)) < 0) {
        return 3;
    }
    // Neither the padding after the line nor spaces at its end become part of a value.
    if (text[length] == '\0') {
        while (length > 0 && text[length - 1] == ' ')
            --length;
    }
    *state = length;
    if (length == 0)
        return 3;
    if (!IsAnonymous())
        record->Set(name, text, length);
    *cursor += length;
    return 0;
}

int CSymbolVar::Generate(CDbEntry const* record, CString& out)
{
    out.Empty();
    if (IsAnonymous())
        return 0;
    char const* text = record->Get(name);
    if (*text == '\0')
        return 1;
    bool const fits = type == kAddress ? IsAddress(text)
                                       : FormLength(text) == static_cast<int>(std::strlen(text));
    if (!fits)
        return 1;
    out = text;
    return 0;
}

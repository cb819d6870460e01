// CSymbolVarEnum: a variable over a list of words. The command text holds one of the words;
// the record holds the word's number.
#include <quillset/symbols.h>

#include "base/owned_text.h"
#include "syntax/syntax_text.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using quillset::syntax::IsDigit;

// Whether the text after an item's "=" sets the item's value: an optional "-", then digits
// only (an empty text and a lone "-" count, and give 0).
bool IsItemNumber(char const* text)
{
    if (*text == '-')
        ++text;
    while (IsDigit(*text))
        ++text;
    return *text == '\0';
}

// The number a text starts with (atoi's reading), held to the range of int instead of
// overflowing.
int NumberOf(char const* text)
{
    long long const number = std::strtoll(text, nullptr, 10);
    return static_cast<int>(std::clamp<long long>(number, INT_MIN, INT_MAX));
}

// The value of the item after one of value `value`; past the largest int it wraps to the
// smallest instead of overflowing.
int FollowingValue(int value) { return static_cast<int>(static_cast<unsigned int>(value) + 1u); }

// The text of an item definition up to its first unescaped "=". Escapes: the C control
// escapes, a backslash and three digits (the first 0 to 3) for a byte in octal, and a
// backslash before any other character for that character; a backslash at the very end
// is kept.
std::string ItemText(char const* definition)
{
    std::string text;
    char const* p = definition;
    while (*p != '\0' && *p != '=') {
        if (*p != '\\') {
            text += *p++;
        } else if (*++p == '\0') {
            text += '\\';
        } else if (*p >= '0' && *p <= '3' && IsDigit(p[1]) && IsDigit(p[2])) {
            text += static_cast<char>((64 * (p[0] - '0') + 8 * (p[1] - '0') + (p[2] - '0')) & 0xFF);
            p += 3;
        } else {
            text += quillset::syntax::EscapedChar(*p++);
        }
    }
    return text;
}

}  // namespace

// Values count up from 0, item by item; "text=value" restarts the count at that value.
CSymbolVarEnum::CSymbolVarEnum(char const* name, char** definitions)
    : CSymbolVar(name, nullptr), itemCount(0), items(nullptr), itemValues(nullptr)
{
    while (definitions != nullptr && definitions[itemCount] != nullptr)
        ++itemCount;
    items = new char*[itemCount];
    itemValues = new int[itemCount];
    bool valuesArePositions = true;
    int value = 0;
    for (int i = 0; i < itemCount; ++i, value = FollowingValue(value)) {
        char const* definition = definitions[i];
        char const* separator = std::strrchr(definition, '=');
        if (separator != nullptr && (separator == definition || separator[-1] != '\\') && IsItemNumber(separator + 1))
            value = NumberOf(separator + 1);
        if (*definition == '@') {
            ++definition;
            SetDefault(std::to_string(value).c_str());
        }
        items[i] = quillset::CopyText(ItemText(definition).c_str());
        itemValues[i] = value;
        valuesArePositions = valuesArePositions && value == i;
    }
    if (valuesArePositions) {
        delete[] itemValues;
        itemValues = nullptr;
    }
}

CSymbolVarEnum::~CSymbolVarEnum()
{
    for (int i = 0; i < itemCount; ++i)
        delete[] items[i];
    delete[] items;
    delete[] itemValues;
}

char const* CSymbolVarEnum::GetItem(int i) const { return i >= 0 && i < itemCount ? items[i] : nullptr; }

int CSymbolVarEnum::GetItemValue(int i) const { return itemValues != nullptr ? itemValues[i] : i; }

// The position of the first item with that value, or -1.
int CSymbolVarEnum::FindItem(int value) const
{
    if (itemValues == nullptr)
        return value >= 0 && value < itemCount ? value : -1;
    for (int i = 0; i < itemCount; ++i) {
        if (itemValues[i] == value)
            return i;
    }
    return -1;
}

// The longest item that the text at the cursor begins with; each retry offers the next
// shorter one.
int CSymbolVarEnum::Parse(char const** cursor, CDbEntry* record, int* state)
{
    int const bound = *state == -1 ? INT_MAX : *state;
    int chosen = -1;
    int chosenLength = -1;
    for (int i = 0; i < itemCount; ++i) {
        int const length = static_cast<int>(std::strlen(items[i]));
        if (length < bound && length > chosenLength && std::strncmp(*cursor, items[i], length) == 0) {
            chosen = i;
            chosenLength = length;
        }
    }
    if (chosen < 0)
        return 3;
    if (!IsAnonymous()) {
        char numberText[16];
        std::snprintf(numberText, sizeof numberText, "%d", GetItemValue(chosen));
        record->Set(GetName(), numberText, -1);
    }
    *state = chosenLength;
    *cursor += chosenLength;
    return 0;
}

int CSymbolVarEnum::Generate(CDbEntry const* record, CString& out)
{
    out.Empty();
    if (IsAnonymous())
        return 0;
    if (!record->IsExist(GetName()))
        return 1;
    char const* text = record->Get(GetName());
    // A text that is not a number counts as 1, the "on" of an off/on pair.
    int const number = *text == '\0' || IsDigit(*text) || *text == '-' ? NumberOf(text) : 1;
    int const item = FindItem(number);
    if (item < 0 || *items[item] == '\0')
        return 1;
    out = items[item];
    return 0;
}

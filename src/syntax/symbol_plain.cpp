// The symbols that carry no value of their own: literals, empty anchors and groups of
// alternative chains.
#include <quillset/symbols.h>

#include "base/owned_text.h"
#include "syntax/chain_matcher.h"

#include <cstring>

CSymbolString::CSymbolString(char const* text) : text(quillset::CopyText(text)) {}

CSymbolString::~CSymbolString() { delete[] text; }

int CSymbolString::Generate(CDbEntry const*, CString& out)
{
    out = text;
    return 0;
}

int CSymbolString::Parse(char const** cursor, CDbEntry*, int* state)
{
    std::size_t const length = std::strlen(text);
    if (*state != -1 || std::strncmp(*cursor, text, length) != 0)
        return 3;
    *state = static_cast<int>(length);
    *cursor += length;
    return 0;
}

int CSymbolNull::Generate(CDbEntry const*, CString& out)
{
    out.Empty();
    return 0;
}

int CSymbolNull::Parse(char const**, CDbEntry*, int* state)
{
    if (*state != -1)
        return 3;
    *state = 0;
    return 0;
}

CSymbolGroup::CSymbolGroup(CSymbolEntry** alternatives) : alternatives(nullptr), alternativeCount(0)
{
    while (alternatives != nullptr && alternatives[alternativeCount] != nullptr)
        ++alternativeCount;
    this->alternatives = new CSymbolEntry*[alternativeCount + 1];
    for (int i = 0; i < alternativeCount; ++i)
        this->alternatives[i] = alternatives[i];
    this->alternatives[alternativeCount] = nullptr;
}

CSymbolGroup::~CSymbolGroup()
{
    for (int i = 0; i < alternativeCount; ++i)
        delete alternatives[i];
    delete[] alternatives;
}

CSymbolEntry* CSymbolGroup::GetAlternative(int i) const
{
    return i >= 0 && i < alternativeCount ? alternatives[i] : nullptr;
}

bool CSymbolGroup::IsPackable() { return false; }

int CSymbolGroup::Generate(CDbEntry const* record, CString& out)
{
    out.Empty();
    int result = 0;
    for (int i = 0; i < alternativeCount; ++i) {
        if ((result = alternatives[i]->GenerateChain(record, out, false)) == 0)
            return 0;
    }
    return result;
}

int CSymbolGroup::Parse(char const** cursor, CDbEntry* record, int* state)
{
    return quillset::syntax::ChainMatcher(cursor, record).MatchGroup(*this, state);
}

// CHashElement: one entry of a CHashTable, holding a value it does not own and its own copy
// of the key; CHashKeyIndex: the table's index of group positions by key.
#include <quillset/hashtable.h>

#include "base/owned_text.h"

#include <string_view>
#include <unordered_map>

CHashElement::CHashElement(void* value, char const* key) : value(value), key(quillset::CopyText(key)) {}

CHashElement::~CHashElement() { delete[] key; }

struct CHashKeyIndex::Positions {
    std::unordered_map<std::string_view, int> byKey;
};

CHashKeyIndex::CHashKeyIndex() : positions(new Positions) {}

CHashKeyIndex::~CHashKeyIndex() { delete positions; }

int CHashKeyIndex::Find(char const* key) const
{
    auto const found = positions->byKey.find(key);
    return found != positions->byKey.end() ? found->second : -1;
}

// The stored view is replaced too: the text an earlier entry referred to may be gone.
void CHashKeyIndex::Set(char const* key, int position)
{
    positions->byKey.erase(key);
    positions->byKey.emplace(key, position);
}

void CHashKeyIndex::Erase(char const* key) { positions->byKey.erase(key); }

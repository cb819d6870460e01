// CHashElement: one entry of a CHashTable, holding a value it does not own and its own copy
// of the key.
#include <quillset/hashtable.h>

#include "base/owned_text.h"

CHashElement::CHashElement(void* value, char const* key) : value(value), key(quillset::CopyText(key)) {}

CHashElement::~CHashElement() { delete[] key; }

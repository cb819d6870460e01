// Test helpers that print stores compactly, so that expectations read as text.
#ifndef QUILLSET_TESTS_STORE_RECORD_TEXT_H
#define QUILLSET_TESTS_STORE_RECORD_TEXT_H

#include <quillset/dbobject.h>

#include "record_layout.h"

#include <string>

using quillset::test::Layout;

// The value of field "id" of each record in enumeration order, space-separated.
inline std::string Ids(CDbObject const& store)
{
    std::string out;
    store.StartEnumeration();
    while (CDbEntry const* record = store.GetNextEntry()) {
        if (!out.empty())
            out += ' ';
        out += static_cast<char const*>(record->Get("id"));
    }
    return out;
}

#endif

// Test helpers that print stores compactly, so that expectations read as text.
#ifndef QUILLSET_TESTS_STORE_RECORD_TEXT_H
#define QUILLSET_TESTS_STORE_RECORD_TEXT_H

#include <quillset/dbobject.h>

#include "record_layout.h"

#include <string>

using quillset::test::Layout;

// "id<parent's id" (or just "id") for each record in enumeration order, space-separated;
// with `restart` false, for the records after the cursor.
inline std::string Links(CDbObject const& store, bool restart = true)
{
    std::string out;
    if (restart)
        store.StartEnumeration();
    while (CDbEntry const* record = store.GetNextEntry()) {
        out += std::string(out.empty() ? "" : " ") + static_cast<char const*>(record->Get("id"));
        if (CDbEntry const* parent = record->GetParent())
            out += "<" + std::string(static_cast<char const*>(parent->Get("id")));
    }
    return out;
}

#endif

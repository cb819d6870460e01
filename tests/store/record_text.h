// Test helpers that print records and stores compactly, so that expectations read as text.
#ifndef QUILLSET_TESTS_STORE_RECORD_TEXT_H
#define QUILLSET_TESTS_STORE_RECORD_TEXT_H

#include <quillset/dbobject.h>

#include <string>

// "name|field=value|..." with "-" for an empty slot.
inline std::string Layout(CDbEntry const& record)
{
    std::string out = record.GetName();
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        char const* field = record.GetFieldByIndex(slot);
        out += field ? "|" + std::string(field) + "=" + static_cast<char const*>(record.GetByIndex(slot))
                     : std::string("|-");
    }
    return out;
}

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

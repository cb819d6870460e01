// Test helper: a record's name and slots as one comparable line.
#ifndef QUILLSET_TESTS_RECORD_LAYOUT_H
#define QUILLSET_TESTS_RECORD_LAYOUT_H

#include <quillset/dbentry.h>

#include <string>

namespace quillset::test {

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

}  // namespace quillset::test

#endif

// StoreAccess: what the parser needs of a store beyond its public interface: storing its
// working record by taking the record's fields rather than copying them.
#ifndef QUILLSET_STORE_STORE_ACCESS_H
#define QUILLSET_STORE_STORE_ACCESS_H

#include <quillset/dbobject.h>

namespace quillset::detail {

struct StoreAccess {
    // Stores `record` exactly as AddEntry would store a copy of it; the record may be left
    // empty and unlinked.
    static CDbEntry* Adopt(CDbObject& store, CDbEntry& record, bool combine)
    {
        return store.AdoptEntry(record, combine);
    }
};

}  // namespace quillset::detail

#endif

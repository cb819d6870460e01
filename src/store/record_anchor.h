// RecordAnchor: what a link between records points at. A record owns one anchor from the
// first time it is linked to; parent pointers and child lists hold counted references to
// it. When the record dies it clears the anchor, so every link that still holds it reads
// null instead of following a destroyed record, whoever kept that link (a copy's parent
// pointer, a stale child list, a baseline snapshot).
//
// A store also hangs its bookkeeping on the anchors of the records it holds: records tell
// their store when their parent link or fields change, so the store's indexes never answer
// from a state that has changed behind its back.
#ifndef QUILLSET_STORE_RECORD_ANCHOR_H
#define QUILLSET_STORE_RECORD_ANCHOR_H

#include <atomic>

class CDbEntry;

namespace quillset::detail {

// The part of a store's per-name index that its records mark when they change.
struct StoreMembership {
    bool parentsChanged = false;
    bool fieldsChanged = false;
};

struct RecordAnchor {
    CDbEntry* record;
    int references;
    // Occurrences in child lists: a search for a record that no list holds ends at once.
    int listings = 0;
    // Where the record was last listed in a child list (kept up to date by that list).
    int listPosition = -1;
    // The store index holding the record, or null.
    StoreMembership* membership = nullptr;
    // Set once some store's index files records under this record as their parent.
    bool keysAnIndex = false;
};

// Counts the deaths of records that a store's index uses as parent keys: their children's
// parent links now read null, so every index built before such a death is out of date.
inline std::atomic<unsigned long> g_indexedParentDeaths{0};

inline RecordAnchor* AcquireAnchor(RecordAnchor* anchor)
{
    if (anchor != nullptr)
        ++anchor->references;
    return anchor;
}

inline void ReleaseAnchor(RecordAnchor* anchor)
{
    if (anchor != nullptr && --anchor->references == 0)
        delete anchor;
}

// A reference held by a child list.
inline RecordAnchor* ListAnchor(RecordAnchor* anchor)
{
    if (anchor != nullptr)
        ++anchor->listings;
    return AcquireAnchor(anchor);
}

inline void UnlistAnchor(RecordAnchor* anchor)
{
    if (anchor != nullptr)
        --anchor->listings;
    ReleaseAnchor(anchor);
}

inline CDbEntry* RecordOf(RecordAnchor const* anchor) { return anchor ? anchor->record : nullptr; }

inline void MarkParentChanged(RecordAnchor* anchor)
{
    if (anchor != nullptr && anchor->membership != nullptr)
        anchor->membership->parentsChanged = true;
}

inline void MarkFieldsChanged(RecordAnchor* anchor)
{
    if (anchor != nullptr && anchor->membership != nullptr)
        anchor->membership->fieldsChanged = true;
}

}  // namespace quillset::detail

#endif

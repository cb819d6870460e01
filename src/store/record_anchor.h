// RecordAnchor: what a link between records points at. A record owns one anchor from the
// first time it is linked to; parent pointers and child lists hold counted references to
// it. When the record dies it clears the anchor, so every link that still holds it reads
// null instead of following a destroyed record, whoever kept that link (a copy's parent
// pointer, a stale child list, a baseline snapshot).
#ifndef QUILLSET_STORE_RECORD_ANCHOR_H
#define QUILLSET_STORE_RECORD_ANCHOR_H

class CDbEntry;

namespace quillset::detail {

struct RecordAnchor {
    CDbEntry* record;
    int references;
};

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

inline CDbEntry* RecordOf(RecordAnchor const* anchor) { return anchor ? anchor->record : nullptr; }

}  // namespace quillset::detail

#endif

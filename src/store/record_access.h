// RecordAccess: what the store needs of a record beyond its public interface: the anchors
// on which it keeps its bookkeeping, and relinking the copies of a snapshot to each other.
#ifndef QUILLSET_STORE_RECORD_ACCESS_H
#define QUILLSET_STORE_RECORD_ACCESS_H

#include <quillset/dbentry.h>

#include "store/child_list.h"
#include "store/record_anchor.h"

namespace quillset::detail {

struct RecordAccess {
    // The record's anchor, made on first use.
    static RecordAnchor* Anchor(CDbEntry& record) { return record.Anchor(); }

    // The anchor if the record ever had one (every record a store holds has one), else null.
    static RecordAnchor* ExistingAnchor(CDbEntry const& record) { return record.m_anchor; }

    // The anchor that the record's parent link holds, or null.
    static RecordAnchor* ParentAnchor(CDbEntry const& record) { return record.m_parent; }

    // Points the record's parent link and each entry of its child list at `remap(linked)`
    // (a record, never null) wherever that differs from the linked record. Links to
    // destroyed records stay as they are.
    template <class Remap>
    static void RemapLinks(CDbEntry& record, Remap remap)
    {
        if (CDbEntry* const parent = record.GetParent()) {
            CDbEntry* const mapped = remap(parent);
            if (mapped != parent)
                record.LinkParent(mapped->Anchor());
        }
        for (int i = 0; i < record.GetChildCount(); ++i) {
            CDbEntry* const child = record.GetChild(i);
            CDbEntry* const mapped = child ? remap(child) : nullptr;
            if (mapped == child)
                continue;
            record.m_children->Replace(i, mapped->Anchor());
        }
    }
};

}  // namespace quillset::detail

#endif

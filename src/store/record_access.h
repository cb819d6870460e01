// RecordAccess: what the store needs of a record beyond its public interface: the anchors
// on which it keeps its bookkeeping, and relinking the copies of a snapshot to each other.
#ifndef QUILLSET_STORE_RECORD_ACCESS_H
#define QUILLSET_STORE_RECORD_ACCESS_H

#include <quillset/dbentry.h>

#include "store/child_list.h"
#include "store/record_anchor.h"

#include <cstring>
#include <string_view>
#include <unordered_set>

namespace quillset::detail {

struct RecordAccess {
    // The record's anchor, made on first use.
    static RecordAnchor* Anchor(CDbEntry& record) { return record.Anchor(); }

    // The anchor if the record ever had one (every record a store holds has one), else null.
    static RecordAnchor* ExistingAnchor(CDbEntry const& record) { return record.m_anchor; }

    // The anchor that the record's parent link holds, or null.
    static RecordAnchor* ParentAnchor(CDbEntry const& record) { return record.m_parent; }

    // A new record holding `from`'s name, fields, delimiter and parent link, taken instead
    // of copied, or null when a copy would not hold the same slots (an empty slot, a name
    // given twice or one that is a slot number) or `from` has children. `from` is left
    // empty, and off its parent's child list, where the new record takes its place once
    // the store lists it.
    static CDbEntry* TakeContents(CDbEntry& from)
    {
        if (from.GetChildCount() > 0 || !CopiesSlotForSlot(from))
            return nullptr;
        if (CDbEntry* const parent = from.GetParent(); parent && parent->m_children)
            parent->m_children->Erase(from.m_anchor);
        auto* const taken = new CDbEntry(0);
        std::swap(taken->m_name, from.m_name);
        taken->m_fieldNames = std::move(from.m_fieldNames);
        taken->m_values = std::move(from.m_values);
        taken->m_delimiter = from.m_delimiter;
        std::swap(taken->m_parent, from.m_parent);
        return taken;
    }

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

private:
    // Whether setting each named slot of `record` by name into an empty record rebuilds the
    // very same slots.
    static bool CopiesSlotForSlot(CDbEntry const& record)
    {
        int const count = record.GetFieldCount();
        std::unordered_set<std::string_view> seen;
        for (int slot = 0; slot < count; ++slot) {
            char const* const name = record.m_fieldNames[slot];
            if (name == nullptr || CDbEntry::IsFieldAnIndex(name))
                return false;
            bool const repeated = count <= 8 ? FoundBefore(record, slot) : !seen.insert(name).second;
            if (repeated)
                return false;
        }
        return true;
    }

    static bool FoundBefore(CDbEntry const& record, int slot)
    {
        for (int earlier = 0; earlier < slot; ++earlier) {
            if (std::strcmp(record.m_fieldNames[earlier], record.m_fieldNames[slot]) == 0)
                return true;
        }
        return false;
    }
};

}  // namespace quillset::detail

#endif

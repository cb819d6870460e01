// ChildList: a record's list of links to its children, in link order. Taking a child off
// costs no search when the child is listed only once (its anchor remembers where), and no
// shift when it is the first or the last: a store deleting or destroying the children of
// one parent in order stays linear. A child taken off the middle leaves a hole that the
// next read by position closes, in one pass for all holes.
#ifndef QUILLSET_STORE_CHILD_LIST_H
#define QUILLSET_STORE_CHILD_LIST_H

#include "store/record_anchor.h"

#include <cstddef>
#include <vector>

namespace quillset::detail {

class ChildList {
public:
    ChildList() = default;
    ChildList(ChildList const&) = delete;
    ChildList& operator=(ChildList const&) = delete;
    ~ChildList() { Clear(); }

    int Count() const { return static_cast<int>(m_slots.size() - m_front - m_holes); }

    // The anchor of the i-th child (0 <= i < Count()).
    RecordAnchor* At(int i) const
    {
        CloseHoles();
        return m_slots[m_front + static_cast<std::size_t>(i)];
    }

    // Lists `anchor` at the end, holding a listing reference to it.
    void Append(RecordAnchor* anchor)
    {
        ListAnchor(anchor);
        anchor->listPosition = static_cast<int>(m_slots.size());
        m_slots.push_back(anchor);
    }

    // Lists `anchor` as the i-th child instead of the one there.
    void Replace(int i, RecordAnchor* anchor)
    {
        CloseHoles();
        std::size_t const slot = m_front + static_cast<std::size_t>(i);
        UnlistAnchor(m_slots[slot]);
        ListAnchor(anchor);
        anchor->listPosition = static_cast<int>(slot);
        m_slots[slot] = anchor;
    }

    bool Contains(RecordAnchor const* anchor) const { return SlotOf(anchor) >= 0; }

    // Takes the first occurrence of `anchor` off the list, keeping the others' order.
    void Erase(RecordAnchor const* anchor)
    {
        long const slot = SlotOf(anchor);
        if (slot < 0)
            return;
        UnlistAnchor(m_slots[static_cast<std::size_t>(slot)]);
        m_slots[static_cast<std::size_t>(slot)] = nullptr;
        ++m_holes;
        TrimEnds();
    }

    void Clear()
    {
        for (std::size_t slot = m_front; slot < m_slots.size(); ++slot)
            UnlistAnchor(m_slots[slot]);
        m_slots.clear();
        m_front = 0;
        m_holes = 0;
    }

private:
    // The slot of the first occurrence of `anchor`, or -1. A record that no list holds is
    // not searched for; one listed once is found where it was last listed, unless it has
    // been listed elsewhere since.
    long SlotOf(RecordAnchor const* anchor) const
    {
        if (anchor == nullptr || anchor->listings == 0)
            return -1;
        auto const remembered = static_cast<std::size_t>(anchor->listPosition);
        if (anchor->listings == 1 && anchor->listPosition >= 0 && remembered >= m_front &&
            remembered < m_slots.size() && m_slots[remembered] == anchor)
            return static_cast<long>(remembered);
        for (std::size_t slot = m_front; slot < m_slots.size(); ++slot) {
            if (m_slots[slot] == anchor)
                return static_cast<long>(slot);
        }
        return -1;
    }

    // Holes at either end are dropped at once; the dead front is reclaimed once it is
    // half the list.
    void TrimEnds()
    {
        while (m_holes > 0 && m_front < m_slots.size() && m_slots[m_front] == nullptr) {
            ++m_front;
            --m_holes;
        }
        while (m_holes > 0 && !m_slots.empty() && m_slots.back() == nullptr) {
            m_slots.pop_back();
            --m_holes;
        }
        if (m_front > 0 && m_front * 2 >= m_slots.size())
            Compact();
    }

    void CloseHoles() const
    {
        if (m_holes > 0)
            Compact();
    }

    void Compact() const
    {
        std::size_t kept = 0;
        for (std::size_t slot = m_front; slot < m_slots.size(); ++slot) {
            if (RecordAnchor* const anchor = m_slots[slot]) {
                anchor->listPosition = static_cast<int>(kept);
                m_slots[kept++] = anchor;
            }
        }
        m_slots.resize(kept);
        m_front = 0;
        m_holes = 0;
    }

    // Reading by position closes the holes, which changes no child's position.
    mutable std::vector<RecordAnchor*> m_slots;  // null: a hole
    mutable std::size_t m_front = 0;             // slots before it are dead
    mutable std::size_t m_holes = 0;             // null slots from m_front on
};

}  // namespace quillset::detail

#endif

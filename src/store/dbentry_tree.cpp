// CDbEntry tree links (parent pointer and child list), field removal, and the conflict test
// and merge that row packing uses. Links are counted references to the linked record's
// anchor, so a link to a destroyed record reads null and is never followed.
#include <quillset/dbentry.h>

#include "store/child_list.h"
#include "store/record_anchor.h"

#include <cstring>

using quillset::detail::AcquireAnchor;
using quillset::detail::ChildList;
using quillset::detail::MarkFieldsChanged;
using quillset::detail::MarkParentChanged;
using quillset::detail::RecordAnchor;
using quillset::detail::RecordOf;
using quillset::detail::ReleaseAnchor;

CDbEntry* CDbEntry::GetParent() { return RecordOf(m_parent); }
CDbEntry const* CDbEntry::GetParent() const { return RecordOf(m_parent); }

int CDbEntry::GetChildCount() const { return m_children ? m_children->Count() : 0; }

CDbEntry* CDbEntry::GetChild(int i)
{
    return i >= 0 && i < GetChildCount() ? RecordOf(m_children->At(i)) : nullptr;
}

CDbEntry const* CDbEntry::GetChild(int i) const
{
    return i >= 0 && i < GetChildCount() ? RecordOf(m_children->At(i)) : nullptr;
}

void CDbEntry::SetParent(CDbEntry* parent)
{
    RemoveParent();
    if (parent == nullptr)
        return;
    LinkParent(parent->Anchor());
    if (!parent->m_children || !parent->m_children->Contains(m_anchor))
        parent->AppendChild(this);
}

void CDbEntry::RemoveParent()
{
    if (CDbEntry* parent = GetParent())
        parent->EraseChild(this);
    LinkParent(nullptr);
}

void CDbEntry::AddChild(CDbEntry* child)
{
    if (child == nullptr)
        return;
    child->LinkParent(Anchor());
    AppendChild(child);
}

void CDbEntry::RemoveChild(CDbEntry* child)
{
    if (child == nullptr)
        return;
    child->LinkParent(nullptr);
    EraseChild(child);
}

int CDbEntry::Remove(char const* field)
{
    int const slot = SlotOf(field);
    if (slot < 0)
        return 1;
    delete[] m_fieldNames[slot];
    delete m_values[slot];
    m_fieldNames.RemoveAt(slot);
    m_values.RemoveAt(slot);
    MarkFieldsChanged(m_anchor);
    return 0;
}

bool CDbEntry::IsConflicting(CDbEntry const& other) const
{
    if (std::strcmp(m_name, other.m_name) != 0 || GetParent() != other.GetParent())
        return true;
    for (int slot = 0; slot < GetFieldCount(); ++slot) {
        char const* field = m_fieldNames[slot];
        if (field != nullptr && other.IsExist(field) &&
            std::strcmp(other.Get(field), *m_values[slot]) != 0)
            return true;
    }
    return false;
}

int CDbEntry::Combine(CDbEntry const& other)
{
    for (int slot = 0; slot < other.GetFieldCount(); ++slot) {
        if (other.m_fieldNames[slot] != nullptr)
            Set(other.m_fieldNames[slot], *other.m_values[slot]);
    }
    return 0;
}

CDbEntry::RecordAnchor* CDbEntry::Anchor()
{
    if (m_anchor == nullptr)
        m_anchor = new RecordAnchor{this, 1};
    return m_anchor;
}

// Points the parent link at `parent` (null: no parent) without touching any child list.
void CDbEntry::LinkParent(RecordAnchor* parent)
{
    RecordAnchor* const old = m_parent;
    if (old == parent)
        return;
    m_parent = AcquireAnchor(parent);
    ReleaseAnchor(old);
    MarkParentChanged(m_anchor);
}

void CDbEntry::AppendChild(CDbEntry* child)
{
    if (!m_children)
        m_children = std::make_unique<ChildList>();
    m_children->Append(child->Anchor());
}

void CDbEntry::EraseChild(CDbEntry const* child)
{
    if (m_children)
        m_children->Erase(child->m_anchor);
}

void CDbEntry::ReleaseChildren()
{
    if (m_children)
        m_children->Clear();
}

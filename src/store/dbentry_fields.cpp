// CDbEntry construction, copying, clearing and the field slots: setting by name or slot
// number with every value type, and reading back.
#include <quillset/dbentry.h>
#include <quillset/limits.h>

#include "base/owned_text.h"
#include "store/child_list.h"
#include "store/record_anchor.h"

#include <cstdio>
#include <cstring>
#include <string>

using quillset::detail::MarkFieldsChanged;
using quillset::detail::ReleaseAnchor;

namespace {

char const kHeaderField[] = "_Header";
char const kFooterField[] = "_Footer";

CDbValue const& SharedEmptyValue()
{
    static CDbValue const empty;
    return empty;
}

// The slot number a digit name stands for, or -1 when it is beyond QS_MAX_SLOT_NUMBER.
int SlotNumberOf(char const* indexName)
{
    int number = 0;
    for (char const* p = indexName; *p != '\0'; ++p) {
        number = number * 10 + (*p - '0');
        if (number > QS_MAX_SLOT_NUMBER)
            return -1;
    }
    return number;
}

std::string SlotName(int slot) { return std::to_string(slot); }

}  // namespace

CDbEntry::CDbEntry(char const* name, int capacity)
    : m_name(quillset::CopyText(name)),
      m_fieldNames(capacity),
      m_values(capacity),
      m_parent(nullptr),
      m_delimiter(','),
      m_anchor(nullptr)
{
}

CDbEntry::CDbEntry(int capacity) : CDbEntry(nullptr, capacity) {}

CDbEntry::CDbEntry(CDbEntry const& other) : CDbEntry(nullptr, 0) { *this = other; }

CDbEntry::~CDbEntry()
{
    RemoveParent();
    ReleaseChildren();
    ReleaseSlots();
    delete[] m_name;
    if (m_anchor != nullptr) {
        if (m_anchor->keysAnIndex)
            ++quillset::detail::g_indexedParentDeaths;
        m_anchor->record = nullptr;
        m_anchor->membership = nullptr;
        ReleaseAnchor(m_anchor);
    }
}

CDbEntry& CDbEntry::operator=(CDbEntry const& other) { return CopyData(other); }

CDbEntry& CDbEntry::CopyData(CDbEntry const& other)
{
    if (&other == this)
        return *this;
    Clear();
    SetName(other.m_name);
    for (int slot = 0; slot < other.GetFieldCount(); ++slot) {
        if (other.m_fieldNames[slot] != nullptr)
            Set(other.m_fieldNames[slot], *other.m_values[slot]);
    }
    m_delimiter = other.m_delimiter;
    LinkParent(other.m_parent);
    for (int i = 0; i < other.GetChildCount(); ++i) {
        if (!m_children)
            m_children = std::make_unique<quillset::detail::ChildList>();
        m_children->Append(other.m_children->At(i));
    }
    return *this;
}

void CDbEntry::Clear()
{
    SetName(nullptr);
    ReleaseSlots();
    RemoveParent();
    ReleaseChildren();
}

void CDbEntry::SetName(char const* name)
{
    if (std::strcmp(m_name, name ? name : "") == 0)
        return;
    delete[] m_name;
    m_name = quillset::CopyText(name);
}

char const* CDbEntry::GetName() const { return m_name; }

int CDbEntry::GetFieldCount() const { return m_fieldNames.GetSize(); }

int CDbEntry::Set(char const* field, char const* value, int length)
{
    if (field == nullptr)
        return 1;
    if (value == nullptr)
        value = "";
    int const slot = SlotForSet(field);
    if (slot >= GetFieldCount())
        GrowTo(slot + 1);
    if (m_fieldNames[slot] == nullptr)
        m_fieldNames[slot] = quillset::CopyText(field);
    if (m_values[slot] == nullptr)
        m_values[slot] = new CDbValue;
    if (length >= 0 && strnlen(value, length) == static_cast<std::size_t>(length))
        *m_values[slot] = std::string(value, length).c_str();
    else
        *m_values[slot] = value;
    MarkFieldsChanged(m_anchor);
    return 0;
}

int CDbEntry::Set(char const* field, char c) { return Set(field, &c, c == '\0' ? 0 : 1); }
int CDbEntry::Set(char const* field, int v) { return Set(field, CDbValue(v)); }
int CDbEntry::Set(char const* field, unsigned int v) { return Set(field, CDbValue(v)); }
int CDbEntry::Set(char const* field, long v) { return Set(field, CDbValue(v)); }
int CDbEntry::Set(char const* field, unsigned long v) { return Set(field, CDbValue(v)); }
int CDbEntry::Set(char const* field, bool v) { return Set(field, v ? "1" : "0"); }
int CDbEntry::Set(char const* field, CDbValue const& v) { return Set(field, static_cast<char const*>(v)); }

int CDbEntry::SetByIndex(int slot, char const* value, int length) { return Set(SlotName(slot).c_str(), value, length); }
int CDbEntry::SetByIndex(int slot, char c) { return Set(SlotName(slot).c_str(), c); }
int CDbEntry::SetByIndex(int slot, int v) { return Set(SlotName(slot).c_str(), v); }
int CDbEntry::SetByIndex(int slot, unsigned int v) { return Set(SlotName(slot).c_str(), v); }
int CDbEntry::SetByIndex(int slot, long v) { return Set(SlotName(slot).c_str(), v); }
int CDbEntry::SetByIndex(int slot, unsigned long v) { return Set(SlotName(slot).c_str(), v); }

int CDbEntry::SetHeader(char const* text) { return Set(kHeaderField, text); }
int CDbEntry::SetFooter(char const* text) { return Set(kFooterField, text); }

CDbValue const& CDbEntry::Get(char const* field) const
{
    int const slot = SlotOf(field);
    return slot >= 0 ? *m_values[slot] : SharedEmptyValue();
}

bool CDbEntry::IsExist(char const* field) const { return SlotOf(field) >= 0; }

CDbValue const& CDbEntry::GetByIndex(int slot) const
{
    if (slot < 0 || slot >= GetFieldCount() || m_values[slot] == nullptr)
        return SharedEmptyValue();
    return *m_values[slot];
}

CDbValue const& CDbEntry::GetValueByIndex(int slot) const { return GetByIndex(slot); }

char const* CDbEntry::GetFieldByIndex(int slot) const
{
    return slot >= 0 && slot < GetFieldCount() ? m_fieldNames[slot] : nullptr;
}

CDbValue const& CDbEntry::GetHeader() const { return Get(kHeaderField); }
CDbValue const& CDbEntry::GetFooter() const { return Get(kFooterField); }
bool CDbEntry::IsExistHeader() const { return IsExist(kHeaderField); }
bool CDbEntry::IsExistFooter() const { return IsExist(kFooterField); }

bool CDbEntry::IsFieldAnIndex(char const* field)
{
    for (char const* p = field; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return false;
    }
    return true;
}

// The first slot named `field` (empty slots passed over), or -1.
int CDbEntry::SlotOf(char const* field) const
{
    if (field == nullptr)
        return -1;
    for (int slot = 0; slot < GetFieldCount(); ++slot) {
        if (m_fieldNames[slot] != nullptr && std::strcmp(m_fieldNames[slot], field) == 0)
            return slot;
    }
    return -1;
}

// The slot a setter writes: the slot of an index name's number, else the slot named
// `field`, else a new slot at the end.
int CDbEntry::SlotForSet(char const* field) const
{
    if (IsFieldAnIndex(field)) {
        int const number = SlotNumberOf(field);
        if (number >= 0)
            return number;
    }
    int const slot = SlotOf(field);
    return slot >= 0 ? slot : GetFieldCount();
}

// New slots start empty: a slot that RemoveAt left behind still holds the pointers of the
// field that moved down from it.
void CDbEntry::GrowTo(int slotCount)
{
    for (int slot = GetFieldCount(); slot < slotCount; ++slot) {
        m_fieldNames[slot] = nullptr;
        m_values[slot] = nullptr;
    }
}

void CDbEntry::ReleaseSlots()
{
    if (GetFieldCount() > 0)
        MarkFieldsChanged(m_anchor);
    for (int slot = 0; slot < GetFieldCount(); ++slot) {
        delete[] m_fieldNames[slot];
        delete m_values[slot];
    }
    m_fieldNames.RemoveAll();
    m_values.RemoveAll();
}

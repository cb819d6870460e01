// CDbObject core: construction, the selected record, enumeration, the lookups by name and
// parent, adding and deleting records, the baseline snapshot and the field operations on
// the selected record.
#include <quillset/dbobject.h>

#include <utility>

#include "store/record_access.h"
#include "store/store_state.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

using quillset::detail::IndexAccess;
using quillset::detail::RecordAccess;
using quillset::detail::RecordGroup;
using quillset::detail::RecordTable;
using quillset::detail::StoreState;

namespace {

constexpr int kDefaultBucketCount = 503;
constexpr int kNoRecordSelected = 2;

// A record that a deletion takes out of the store, and the index of its name.
struct Removal {
    CDbEntry* record;
    RecordGroup* group;
};

// Detaches `record` from its parent and, with `cascade`, its descendants from the last
// child to the first, collecting those the store holds, each after its descendants. A
// record reached a second time (child lists can form cycles) is passed over. The walk
// keeps its own stack, so that no depth of tree exhausts the thread's.
void Detach(StoreState& state, CDbEntry* record, bool cascade, std::vector<Removal>& removals)
{
    struct Visit {
        CDbEntry* record;
        int child;  // the next child to visit, counting down
    };
    std::vector<Visit> path;
    std::unordered_set<CDbEntry const*> reached;
    auto const enter = [&](CDbEntry* entered) {
        if (entered == nullptr || !reached.insert(entered).second)
            return;
        entered->RemoveParent();
        path.push_back({entered, cascade ? entered->GetChildCount() - 1 : -1});
    };
    enter(record);
    while (!path.empty()) {
        Visit& visit = path.back();
        if (visit.child >= 0) {
            CDbEntry* const child = visit.record->GetChild(visit.child--);
            enter(child);
            continue;
        }
        CDbEntry* const done = visit.record;
        path.pop_back();
        if (RecordGroup* const group = state.GroupOf(*done))
            removals.push_back({done, group});
    }
}

void RemoveOne(RecordTable& table, Removal const& removal)
{
    IndexAccess::MoveTo(table, removal.group->Key(), removal.record);
    table.RemoveCurrent();
}

// Removes the records from the table, those of one name in one pass over its group, and
// `top` last on its own, so that the cursor ends where a walk of the enumeration looking
// for `top` leaves it: on its element, or past the end when the store does not hold it.
void RemoveFromTable(RecordTable& table, CDbEntry const* top, std::vector<Removal> const& removals)
{
    std::unordered_map<RecordGroup*, std::vector<Removal>> byGroup;
    for (Removal const& removal : removals) {
        if (removal.record != top)
            byGroup[removal.group].push_back(removal);
    }
    for (auto const& [group, inGroup] : byGroup) {
        if (inGroup.size() == 1) {
            RemoveOne(table, inGroup.front());
            continue;
        }
        std::unordered_set<CDbEntry const*> doomed;
        for (Removal const& removal : inGroup)
            doomed.insert(removal.record);
        IndexAccess::RemoveFromGroup(table, group->Key(), [&doomed](CDbEntry const* record) { return doomed.count(record) > 0; });
    }
    if (removals.empty() || removals.back().record != top)
        IndexAccess::FinishEnumeration(table);
    else
        RemoveOne(table, removals.back());
}

template <class Value>
int SetField(CDbEntry* selected, char const* field, Value value)
{
    if (selected == nullptr)
        return kNoRecordSelected;
    selected->Set(field, value);
    return 0;
}

}  // namespace

CDbObject::CDbObject() : CDbObject(nullptr, kDefaultBucketCount) {}

CDbObject::CDbObject(char const* name, int bucketCount)
    : m_baseline(nullptr), m_name(name), m_selected(nullptr), m_state(std::make_unique<StoreState>()),
      m_index(bucketCount)
{
    m_index.ownsValues = true;
    m_index.StartEnumeration();
}

CDbObject::~CDbObject() { delete m_baseline; }

CDbObject::CDbObject(CDbObject&& other) : CDbObject() { Swap(other); }

CDbObject& CDbObject::operator=(CDbObject&& other)
{
    CDbObject taken(std::move(other));
    Swap(taken);
    return *this;
}

void CDbObject::Swap(CDbObject& other) noexcept
{
    std::swap(m_baseline, other.m_baseline);
    std::swap(m_name, other.m_name);
    std::swap(m_selected, other.m_selected);
    std::swap(m_state, other.m_state);
    m_index.Swap(other.m_index);
}

char const* CDbObject::GetName() const { return m_name; }

char const* CDbObject::GetTableName() const { return m_selected ? m_selected->GetName() : nullptr; }

int CDbObject::GetEntryCount() const { return m_index.GetCount(); }

CDbEntry* CDbObject::GetSelected() const { return m_selected; }

void CDbObject::SetSelected(CDbEntry* record) { m_selected = record; }

void CDbObject::StartEnumeration() const { m_index.StartEnumeration(); }

CDbEntry* CDbObject::GetNextEntry() const { return m_index.GetNext(); }

CDbEntry* CDbObject::Select(char const* name, int index) const
{
    m_selected = m_index.Lookup(name, index);
    return m_selected;
}

CDbEntry* CDbObject::Select(char const* name, CDbEntry const* parent, int index) const
{
    RecordGroup* const group = m_state->Find(name);
    m_selected = group ? group->NthChild(m_index, parent, index) : nullptr;
    return m_selected;
}

CDbEntry* CDbObject::SelectLast(char const* name) const
{
    m_selected = IndexAccess::Last(m_index, name);
    return m_selected;
}

CDbEntry* CDbObject::AddEntry(CDbEntry const& record, bool combine)
{
    if (combine && PackInto(record) != nullptr)
        return m_selected;
    return StoreNew(new CDbEntry(record));
}

// What AddEntry does, taking the record's fields instead of copying them where it can;
// `record` is left empty or as it was.
CDbEntry* CDbObject::AdoptEntry(CDbEntry& record, bool combine)
{
    if (combine && PackInto(record) != nullptr)
        return m_selected;
    CDbEntry* const taken = RecordAccess::TakeContents(record);
    return StoreNew(taken ? taken : new CDbEntry(record));
}

// Row packing: merges `record` into the first compatible record and selects that record,
// or selects none and returns null.
CDbEntry* CDbObject::PackInto(CDbEntry const& record)
{
    RecordGroup* const group = m_state->Find(record.GetName());
    m_selected = group ? group->Pack(m_index, record) : nullptr;
    return m_selected;
}

// Lists a new record under its parent and indexes it.
CDbEntry* CDbObject::StoreNew(CDbEntry* record)
{
    if (CDbEntry* const parent = record->GetParent())
        parent->AddChild(record);
    IndexRecord(record);
    return record;
}

// The store holds the record from now on: the table owns it, the name's group files it.
void CDbObject::IndexRecord(CDbEntry* record)
{
    m_index.Add(record->GetName(), record);
    m_state->GroupFor(record->GetName()).Append(*record);
}

int CDbObject::Delete(CDbEntry* record, bool cascade)
{
    if (record == nullptr)
        return 0;
    std::vector<Removal> removals;
    Detach(*m_state, record, cascade, removals);
    for (Removal const& removal : removals) {
        if (m_selected == removal.record)
            m_selected = nullptr;
        removal.group->Remove(*removal.record);
    }
    if (!removals.empty())
        m_state->query.Forget();
    RemoveFromTable(m_index, record, removals);
    return 0;
}

int CDbObject::Delete(bool cascade)
{
    if (m_selected == nullptr)
        return kNoRecordSelected;
    int const result = Delete(m_selected, cascade);
    m_selected = nullptr;
    return result;
}

// The copies are linked to each other where the originals link within the store, and keep
// the links of the originals to records outside it, so the snapshot never changes a live
// record's child list.
void CDbObject::BaselineData()
{
    delete m_baseline;
    m_baseline = nullptr;
    auto baseline = std::make_unique<CDbObject>(m_name, kDefaultBucketCount);
    std::vector<CDbEntry*> copies;
    std::unordered_map<CDbEntry const*, CDbEntry*> copyOf;
    StartEnumeration();
    while (CDbEntry const* const record = GetNextEntry()) {
        copies.push_back(new CDbEntry(*record));
        copyOf.emplace(record, copies.back());
    }
    auto const remap = [&copyOf](CDbEntry* linked) {
        auto const found = copyOf.find(linked);
        return found != copyOf.end() ? found->second : linked;
    };
    for (CDbEntry* const copy : copies) {
        RecordAccess::RemapLinks(*copy, remap);
        baseline->IndexRecord(copy);
    }
    m_baseline = baseline.release();
}

CDbValue CDbObject::Get(char const* field) const { return m_selected ? m_selected->Get(field) : CDbValue(); }

CDbValue CDbObject::Get(char const* name, char const* field, int index) const
{
    Select(name, index);
    return Get(field);
}

CDbValue CDbObject::Get(char const* name, CDbEntry const* parent, char const* field, int index) const
{
    Select(name, parent, index);
    return Get(field);
}

CDbValue CDbObject::GetHeader() const { return m_selected ? m_selected->GetHeader() : CDbValue(); }
CDbValue CDbObject::GetFooter() const { return m_selected ? m_selected->GetFooter() : CDbValue(); }

bool CDbObject::IsExist(char const* field) const { return m_selected && m_selected->IsExist(field); }

bool CDbObject::IsExist(char const* name, char const* field, int index) const
{
    Select(name, index);
    return IsExist(field);
}

bool CDbObject::IsExist(char const* name, CDbEntry const* parent, char const* field, int index) const
{
    Select(name, parent, index);
    return IsExist(field);
}

bool CDbObject::IsExistHeader() const { return m_selected && m_selected->IsExistHeader(); }
bool CDbObject::IsExistFooter() const { return m_selected && m_selected->IsExistFooter(); }

int CDbObject::Set(char const* field, char const* value) { return SetField(m_selected, field, value); }
int CDbObject::Set(char const* field, char value) { return SetField(m_selected, field, value); }
int CDbObject::Set(char const* field, int value) { return SetField(m_selected, field, value); }
int CDbObject::Set(char const* field, unsigned int value) { return SetField(m_selected, field, value); }
int CDbObject::Set(char const* field, long value) { return SetField(m_selected, field, value); }
int CDbObject::Set(char const* field, unsigned long value) { return SetField(m_selected, field, value); }
int CDbObject::Set(char const* field, bool value) { return SetField(m_selected, field, value); }
int CDbObject::Set(char const* field, CDbValue const& value) { return SetField<CDbValue const&>(m_selected, field, value); }

int CDbObject::SetHeader(char const* text) { return m_selected ? m_selected->SetHeader(text) : kNoRecordSelected; }
int CDbObject::SetFooter(char const* text) { return m_selected ? m_selected->SetFooter(text) : kNoRecordSelected; }

int CDbObject::Remove(char const* field) { return m_selected ? m_selected->Remove(field) : kNoRecordSelected; }

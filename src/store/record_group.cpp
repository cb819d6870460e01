// RecordGroup: the per-name index of the store (records by parent, and the first-field
// filter of row packing), its upkeep and its rebuild.
#include "store/record_group.h"

#include "store/record_access.h"

#include <functional>
#include <string_view>

namespace quillset::detail {

namespace {

// Beyond this many distinct first-field names among siblings, the filter cannot rule out
// enough of them to pay for itself, and every sibling is tried in turn.
constexpr std::size_t kMaxFirstFieldNames = 8;

std::uint64_t HashText(char const* text) { return std::hash<std::string_view>{}(text); }

// The slot number of the record's first named slot, or -1.
int FirstNamedSlot(CDbEntry const& record)
{
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        if (record.GetFieldByIndex(slot) != nullptr)
            return slot;
    }
    return -1;
}

// What the filter files a record under: its first named slot and a hash of that value.
std::pair<int, std::uint64_t> FirstFieldKey(CDbEntry const& record)
{
    int const slot = FirstNamedSlot(record);
    return {slot, slot >= 0 ? HashText(record.GetByIndex(slot)) : 0};
}

}  // namespace

RecordGroup::RecordGroup(void const* owner, char const* key)
    : m_owner(owner), m_key(key), m_deathsSeen(g_indexedParentDeaths.load())
{
}

void RecordGroup::Append(CDbEntry& record)
{
    RecordAccess::Anchor(record)->membership = this;
    int const position = m_size++;
    if (LinksFresh())
        File(record, position);
}

// Later records move down one position, so the index is rebuilt when next needed.
void RecordGroup::Remove(CDbEntry& record)
{
    RecordAccess::Anchor(record)->membership = nullptr;
    --m_size;
    m_linksFresh = false;
}

CDbEntry* RecordGroup::NthChild(RecordTable& table, CDbEntry const* parent, int n)
{
    if (n < 0)
        return nullptr;
    if (CanUseLinks(table)) {
        Siblings const* const siblings = SiblingsOf(parent);
        return siblings && n < static_cast<int>(siblings->records.size()) ? siblings->records[n].record : nullptr;
    }
    CDbEntry* found = nullptr;
    int seen = 0;
    VisitChildren(table, parent, 0, [&](CDbEntry* record) {
        if (seen++ < n)
            return false;
        found = record;
        return true;
    });
    return found;
}

CDbEntry* RecordGroup::FindCompatible(RecordTable& table, CDbEntry const& record)
{
    m_filterWanted = true;
    CDbEntry const* const parent = record.GetParent();
    bool const filtered = CanUseFilter(table);
    if (filtered) {
        Siblings const* const siblings = SiblingsOf(parent);
        if (siblings == nullptr)
            return nullptr;
        std::vector<int> candidates;
        if (Candidates(*siblings, record, candidates)) {
            for (int const index : candidates) {
                CDbEntry* const candidate = siblings->records[index].record;
                if (!candidate->IsConflicting(record))
                    return candidate;
            }
            return nullptr;
        }
    }
    bool const listed = LinksFresh();
    CDbEntry* found = nullptr;
    int tried = 0;
    VisitChildren(table, parent, 0, [&](CDbEntry* candidate) {
        ++tried;
        if (candidate->IsConflicting(record))
            return false;
        found = candidate;
        return true;
    });
    // Trying the listed siblings because the filter was out of date pays towards rebuilding
    // it (a walk of the table counts itself).
    if (listed && !filtered)
        m_walked += tried;
    return found;
}

void RecordGroup::Merge(CDbEntry& target, CDbEntry const& record)
{
    auto const before = FirstFieldKey(target);
    bool const marked = fieldsChanged;
    target.Combine(record);
    // The merge is the store's own change: only a new first field puts the filter out of date.
    fieldsChanged = marked;
    if (FirstFieldKey(target) != before)
        m_filterFresh = false;
}

bool RecordGroup::LinksFresh() const
{
    return m_linksFresh && !parentsChanged && m_deathsSeen == g_indexedParentDeaths.load();
}

bool RecordGroup::FilterFresh() const { return m_filterFresh && !fieldsChanged && LinksFresh(); }

bool RecordGroup::CanUseLinks(RecordTable& table) { return FreshOrRebuilt(LinksFresh(), table); }

bool RecordGroup::CanUseFilter(RecordTable& table) { return FreshOrRebuilt(FilterFresh(), table); }

// Out of date, the index is rebuilt once the walks since have cost as much as rebuilding.
bool RecordGroup::FreshOrRebuilt(bool fresh, RecordTable& table)
{
    if (fresh)
        return true;
    if (m_walked < m_size)
        return false;
    Rebuild(table);
    return true;
}

void RecordGroup::Rebuild(RecordTable& table)
{
    m_children.clear();
    m_deathsSeen = g_indexedParentDeaths.load();
    parentsChanged = false;
    fieldsChanged = false;
    m_linksFresh = true;
    m_filterFresh = m_filterWanted;
    m_walked = 0;
    for (int position = 0; CDbEntry* record = table.Lookup(m_key.c_str(), position); ++position)
        File(*record, position);
}

// Files a record at the end of its parent's siblings (and in the filter when it is kept).
void RecordGroup::File(CDbEntry& record, int position)
{
    CDbEntry const* const parent = record.GetParent();
    if (parent != nullptr)
        RecordAccess::ParentAnchor(record)->keysAnIndex = true;
    Siblings& siblings = m_children[parent];
    siblings.records.push_back({position, &record});
    if (m_filterFresh)
        FileFirstField(siblings, static_cast<int>(siblings.records.size()) - 1);
}

void RecordGroup::FileFirstField(Siblings& siblings, int index)
{
    CDbEntry const& record = *siblings.records[index].record;
    int const slot = FirstNamedSlot(record);
    if (slot < 0) {
        siblings.withoutField.push_back(index);
        return;
    }
    FirstFieldIndex& byName = siblings.byFirstField[record.GetFieldByIndex(slot)];
    byName.all.push_back(index);
    byName.byValue[HashText(record.GetByIndex(slot))].push_back(index);
}

RecordGroup::Siblings* RecordGroup::SiblingsOf(CDbEntry const* parent)
{
    auto const found = m_children.find(parent);
    return found != m_children.end() ? &found->second : nullptr;
}

// The siblings (ascending indexes) that may merge with `record`. A sibling whose first
// named field `record` also has, with another text, conflicts with it for sure; all others
// stay candidates. False when that rules out too few siblings to beat trying them all.
bool RecordGroup::Candidates(Siblings const& siblings, CDbEntry const& record, std::vector<int>& out) const
{
    if (siblings.byFirstField.size() > kMaxFirstFieldNames)
        return false;
    std::size_t const worthwhile = siblings.records.size() / 4;
    out = siblings.withoutField;
    for (auto const& [name, index] : siblings.byFirstField) {
        std::vector<int> const* same = &index.all;
        if (record.IsExist(name.c_str())) {
            auto const found = index.byValue.find(HashText(record.Get(name.c_str())));
            if (found == index.byValue.end())
                continue;
            same = &found->second;
        }
        out.insert(out.end(), same->begin(), same->end());
        if (out.size() > worthwhile)
            return false;
    }
    if (out.size() > worthwhile)
        return false;
    std::sort(out.begin(), out.end());
    return true;
}

}  // namespace quillset::detail

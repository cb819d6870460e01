// RecordGroup: the per-name index of the store (records by parent, and the filters of row
// packing), its upkeep and its rebuild.
#include "store/record_group.h"

#include "store/record_access.h"


namespace quillset::detail {

namespace {

// Below this many siblings, trying each in turn costs less than keeping a filter.
constexpr std::size_t kMinFilteredSiblings = 8;

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

CDbEntry* RecordGroup::Pack(RecordTable& table, CDbEntry const& record)
{
    Sibling const found = FindCompatible(table, record);
    if (found.record != nullptr)
        Merge(found, record);
    return found.record;
}

// The first sibling under `record`'s parent that does not conflict with it ({-1, null}
// when none does); its position is exact whenever the filters are fresh.
RecordGroup::Sibling RecordGroup::FindCompatible(RecordTable& table, CDbEntry const& record)
{
    m_filterWanted = true;
    CDbEntry const* const parent = record.GetParent();
    bool const filtered = CanUseFilter(table);
    if (filtered) {
        Siblings const* const siblings = SiblingsOf(parent);
        if (siblings == nullptr)
            return {-1, nullptr};
        std::vector<int> candidates;
        std::size_t const worthwhile = siblings->records.size() / 4;
        if (siblings->filter && siblings->filter->Candidates(record, worthwhile, candidates)) {
            for (int const index : candidates) {
                Sibling const& candidate = siblings->records[index];
                if (!candidate.record->IsConflicting(record))
                    return candidate;
            }
            return {-1, nullptr};
        }
    }
    bool const listed = LinksFresh();
    CDbEntry* found = nullptr;
    int tried = 0;
    int const position = VisitChildren(table, parent, 0, [&](CDbEntry* candidate) {
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
    return {position, found};
}

void RecordGroup::Merge(Sibling target, CDbEntry const& record)
{
    bool const marked = fieldsChanged;
    target.record->Combine(record);
    // The merge is the store's own change: the filter learns the fields it added.
    fieldsChanged = marked;
    if (!FilterFresh())
        return;
    Siblings* const siblings = SiblingsOf(record.GetParent());
    if (siblings == nullptr || !siblings->filter)
        return;
    auto const& records = siblings->records;
    auto const place = std::lower_bound(records.begin(), records.end(), target.position,
                                        [](Sibling const& sibling, int position) { return sibling.position < position; });
    siblings->filter->Refile(*target.record, static_cast<int>(place - records.begin()));
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
        FileForPacking(siblings);
}

void RecordGroup::FileForPacking(Siblings& siblings)
{
    if (siblings.filter) {
        siblings.filter->File(*siblings.records.back().record);
        return;
    }
    if (siblings.records.size() < kMinFilteredSiblings)
        return;
    siblings.filter = std::make_unique<PackingFilter>();
    for (Sibling const& sibling : siblings.records)
        siblings.filter->File(*sibling.record);
}

RecordGroup::Siblings* RecordGroup::SiblingsOf(CDbEntry const* parent)
{
    auto const found = m_children.find(parent);
    return found != m_children.end() ? &found->second : nullptr;
}

}  // namespace quillset::detail

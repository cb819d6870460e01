// RecordGroup: the store's index of the records of one name, kept beside the hash table
// that holds them. It answers "the n-th record under this parent" and "the first record
// under this parent that a new record may merge into" without walking the whole group,
// and gives exactly the answers of that walk: the records mark the group when their parent
// link or fields change, a changed index is rebuilt from the table, and until the walks
// done in the meantime have cost as much as a rebuild, the walk itself answers. So a
// store that changes between queries is never slower than the walk, and one that does not
// change answers in constant time.
#ifndef QUILLSET_STORE_RECORD_GROUP_H
#define QUILLSET_STORE_RECORD_GROUP_H

#include <quillset/dbentry.h>

#include "store/hash_table_access.h"
#include "store/packing_filter.h"
#include "store/record_anchor.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillset::detail {

using RecordTable = CHashTable<CDbEntry>;
using IndexAccess = HashTableAccess<CDbEntry>;

class RecordGroup : public StoreMembership {
public:
    RecordGroup(void const* owner, char const* key);
    RecordGroup(RecordGroup const&) = delete;
    RecordGroup& operator=(RecordGroup const&) = delete;

    // The store the group belongs to, and the record name that is its key in the table.
    void const* Owner() const { return m_owner; }
    char const* Key() const { return m_key.c_str(); }

    // The store has just added `record` at the end of the group / is about to remove it.
    void Append(CDbEntry& record);
    void Remove(CDbEntry& record);

    // The n-th record (0-based, group order) whose parent is `parent` (null: no parent).
    CDbEntry* NthChild(RecordTable& table, CDbEntry const* parent, int n);

    // Calls visit(record) on the records whose parent is `parent`, in group order from
    // group position `from`, until it returns true. Returns the position of the record on
    // which it stopped, else the position where the group ends.
    template <class Visit>
    int VisitChildren(RecordTable& table, CDbEntry const* parent, int from, Visit visit);

    // Calls visit(record) on every record in group order from position `from`, until it
    // returns true; returns the position as VisitChildren does.
    template <class Visit>
    int VisitAll(RecordTable& table, int from, Visit visit);

    // Row packing: merges `record` into the first record under its parent that does not
    // conflict with it, and returns that record; null when there is none.
    CDbEntry* Pack(RecordTable& table, CDbEntry const& record);

private:
    struct Sibling {
        int position;
        CDbEntry* record;
    };
    // The records of the group under one parent, in group order, and once they are many
    // and row packing is used, the filter over them (its sibling numbers index `records`).
    struct Siblings {
        std::vector<Sibling> records;
        std::unique_ptr<PackingFilter> filter;
    };

    bool LinksFresh() const;
    bool FilterFresh() const;
    bool CanUseLinks(RecordTable& table);
    bool CanUseFilter(RecordTable& table);
    bool FreshOrRebuilt(bool fresh, RecordTable& table);
    void Rebuild(RecordTable& table);
    void File(CDbEntry& record, int position);
    static void FileForPacking(Siblings& siblings);
    Siblings* SiblingsOf(CDbEntry const* parent);
    Sibling FindCompatible(RecordTable& table, CDbEntry const& record);
    void Merge(Sibling target, CDbEntry const& record);

    void const* m_owner;
    std::string m_key;
    int m_size = 0;  // records in the group, always exact
    std::unordered_map<CDbEntry const*, Siblings> m_children;
    bool m_linksFresh = true;    // m_children holds every record of the group
    bool m_filterWanted = false;  // row packing asked for the packing filters
    bool m_filterFresh = false;   // ... and the filters hold every record
    unsigned long m_deathsSeen;   // g_indexedParentDeaths when the index was last complete
    long long m_walked = 0;       // records walked since the index went out of date
};

template <class Visit>
int RecordGroup::VisitChildren(RecordTable& table, CDbEntry const* parent, int from, Visit visit)
{
    if (!CanUseLinks(table)) {
        return VisitAll(table, from, [&](CDbEntry* record) { return record->GetParent() == parent && visit(record); });
    }
    if (Siblings* const siblings = SiblingsOf(parent)) {
        auto const& records = siblings->records;
        auto it = std::lower_bound(records.begin(), records.end(), from,
                                   [](Sibling const& sibling, int position) { return sibling.position < position; });
        for (; it != records.end(); ++it) {
            if (visit(it->record))
                return it->position;
        }
    }
    return std::max(from, m_size);
}

template <class Visit>
int RecordGroup::VisitAll(RecordTable& table, int from, Visit visit)
{
    int position = from;
    for (CDbEntry* record; (record = table.Lookup(m_key.c_str(), position)) != nullptr; ++position) {
        if (visit(record))
            break;
    }
    m_walked += position - from + 1;
    return position;
}

}  // namespace quillset::detail

#endif

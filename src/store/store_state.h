// StoreState: what a CDbObject keeps beside its hash table: the index of each record name
// (by parent, for row packing) and the memory that lets a repeated query resume.
#ifndef QUILLSET_STORE_STORE_STATE_H
#define QUILLSET_STORE_STORE_STATE_H

#include <quillset/dbentry.h>

#include "store/record_access.h"
#include "store/record_group.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillset::detail {

// The last query with conditions, so that asking for the next index of the same query
// goes on from where the previous one stopped instead of walking from the start.
struct QueryMemory {
    std::string name;
    CDbEntry const* parent = nullptr;
    std::string key;  // the conditions, as ArgumentKey writes them
    int index = 0;
    int position = 0;  // group position where the last walk stopped
    int matches = 0;   // matching records before `position`

    bool Resumes(char const* queryName, CDbEntry const* queryParent, int queryIndex, std::string const& queryKey) const
    {
        return queryName != nullptr && name == queryName && parent == queryParent && queryIndex >= index &&
               key == queryKey;
    }

    // Once records move down after a deletion, no position is trusted: the next query
    // starts from the beginning.
    void Forget()
    {
        position = 0;
        matches = 0;
    }
};

class StoreState {
public:
    // The index of the records named `name`, or null when the store never held one.
    RecordGroup* Find(char const* name)
    {
        auto const found = name ? m_groups.find(name) : m_groups.end();
        return found != m_groups.end() ? found->second.get() : nullptr;
    }

    RecordGroup& GroupFor(char const* name)
    {
        if (RecordGroup* const group = Find(name))
            return *group;
        auto group = std::make_unique<RecordGroup>(this, name);
        RecordGroup& added = *group;
        m_groups.emplace(added.Key(), std::move(group));
        return added;
    }

    // The group of this store that holds `record`, or null when the store does not hold it.
    RecordGroup* GroupOf(CDbEntry const& record) const
    {
        RecordAnchor const* const anchor = RecordAccess::ExistingAnchor(record);
        auto* const group = anchor ? static_cast<RecordGroup*>(anchor->membership) : nullptr;
        return group && group->Owner() == this ? group : nullptr;
    }

    QueryMemory query;

private:
    std::unordered_map<std::string_view, std::unique_ptr<RecordGroup>> m_groups;  // keys point into the groups
};

}  // namespace quillset::detail

#endif

// PackingFilter: row packing's index over the siblings of one parent in one record group.
// A sibling that holds one of a new record's fields with another text conflicts with it,
// so for any one field of the new record, only the siblings that lack that field or hold
// its text may take the record in. The filter keeps, per field name, the siblings lacking
// it and, per name and text, the siblings holding it, and answers with the smallest such
// set: one long list of like commands (an access list) costs a lookup per command instead
// of a walk of every earlier sibling.
#ifndef QUILLSET_STORE_PACKING_FILTER_H
#define QUILLSET_STORE_PACKING_FILTER_H

#include <quillset/dbentry.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillset::detail {

class PackingFilter {
public:
    // Files `record` as the next sibling: sibling numbers count from 0 in filing order.
    void File(CDbEntry const& record);
    // Files the fields that sibling `sibling` holds now and did not when it was filed.
    void Refile(CDbEntry const& record, int sibling);
    // Puts into `out`, ascending, the siblings that may merge with `record` (every sibling
    // that does not conflict with it is among them). False when no field of `record` rules
    // out enough siblings to leave at most `limit`, or when the filter gave up.
    bool Candidates(CDbEntry const& record, std::size_t limit, std::vector<int>& out) const;

private:
    int NameId(char const* name, int lackingUpTo);
    int FindName(char const* name) const;
    static std::uint64_t Key(int nameId, char const* text);
    void AddHolder(int nameId, char const* text, int sibling);

    std::unordered_map<std::string, int> m_nameIds;
    std::vector<std::vector<int>> m_lacking;                      // by name id; may hold a few that gained the field
    std::unordered_map<std::uint64_t, std::vector<int>> m_holding;  // by Key(name id, text); hash collisions only add
    int m_filed = 0;
    bool m_gaveUp = false;  // too many field names to keep lists of those lacking each
};

}  // namespace quillset::detail

#endif

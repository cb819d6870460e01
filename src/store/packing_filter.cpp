// PackingFilter: filing siblings by field name and text, and choosing the narrowest set of
// candidates for a new record.
#include "store/packing_filter.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace quillset::detail {

namespace {

// Beyond this many field names among the siblings, the lists of siblings lacking each name
// would cost more memory than the walk costs time.
constexpr std::size_t kMaxNames = 64;

template <class Visit>
void ForEachNamedSlot(CDbEntry const& record, Visit visit)
{
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        if (char const* const name = record.GetFieldByIndex(slot))
            visit(name, static_cast<char const*>(record.GetByIndex(slot)));
    }
}

}  // namespace

void PackingFilter::File(CDbEntry const& record)
{
    int const sibling = m_filed++;
    if (m_gaveUp)
        return;
    std::vector<bool> held(m_nameIds.size(), false);
    ForEachNamedSlot(record, [&](char const* name, char const* text) {
        int const id = NameId(name, sibling);
        if (id < 0)
            return;
        held.resize(m_lacking.size(), false);
        held[id] = true;
        AddHolder(id, text, sibling);
    });
    if (m_gaveUp)
        return;
    for (std::size_t id = 0; id < held.size(); ++id) {
        if (!held[id])
            m_lacking[id].push_back(sibling);
    }
}

void PackingFilter::Refile(CDbEntry const& record, int sibling)
{
    ForEachNamedSlot(record, [&](char const* name, char const* text) {
        int const id = NameId(name, m_filed);
        if (id >= 0)
            AddHolder(id, text, sibling);
    });
}

bool PackingFilter::Candidates(CDbEntry const& record, std::size_t limit, std::vector<int>& out) const
{
    if (m_gaveUp)
        return false;
    std::vector<int> const* lacking = nullptr;
    std::vector<int> const* holding = nullptr;  // null: no sibling holds the record's text
    std::size_t fewest = limit + 1;
    ForEachNamedSlot(record, [&](char const* name, char const*) {
        int const id = FindName(name);
        if (id < 0)
            return;  // every sibling lacks it
        // The record's own text for the name is that of its first slot of that name.
        auto const found = m_holding.find(Key(id, record.Get(name)));
        std::vector<int> const* const holders = found != m_holding.end() ? &found->second : nullptr;
        std::size_t const count = m_lacking[id].size() + (holders ? holders->size() : 0);
        if (count < fewest) {
            fewest = count;
            lacking = &m_lacking[id];
            holding = holders;
        }
    });
    if (lacking == nullptr)
        return false;
    out = *lacking;
    if (holding != nullptr) {
        out.insert(out.end(), holding->begin(), holding->end());
        std::inplace_merge(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(lacking->size()), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
    }
    return true;
}

// The id of a field name, made on first sight with siblings 0 to `lackingUpTo` - 1 lacking
// it (listing one that has just gained it through a merge only adds a candidate); -1 once
// the filter has given up.
int PackingFilter::NameId(char const* name, int lackingUpTo)
{
    if (int const id = FindName(name); id >= 0 || m_gaveUp)
        return id;
    if (m_nameIds.size() >= kMaxNames) {
        m_gaveUp = true;
        m_nameIds.clear();
        m_lacking.clear();
        m_holding.clear();
        return -1;
    }
    int const id = static_cast<int>(m_lacking.size());
    m_nameIds.emplace(name, id);
    std::vector<int>& lacking = m_lacking.emplace_back(lackingUpTo);
    for (int sibling = 0; sibling < lackingUpTo; ++sibling)
        lacking[sibling] = sibling;
    return id;
}

int PackingFilter::FindName(char const* name) const
{
    auto const found = m_nameIds.find(name);
    return found != m_nameIds.end() ? found->second : -1;
}

std::uint64_t PackingFilter::Key(int nameId, char const* text)
{
    return std::hash<std::string_view>{}(text) * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(nameId);
}

// Keeps each list ascending and without repeats: siblings are filed in order, and a merge
// that gives an earlier sibling a new field inserts it in its place.
void PackingFilter::AddHolder(int nameId, char const* text, int sibling)
{
    std::vector<int>& holders = m_holding[Key(nameId, text)];
    if (holders.empty() || holders.back() < sibling) {
        holders.push_back(sibling);
        return;
    }
    auto const place = std::lower_bound(holders.begin(), holders.end(), sibling);
    if (*place != sibling)
        holders.insert(place, sibling);
}

}  // namespace quillset::detail

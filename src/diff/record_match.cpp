// Matching two configurations level by level through hashed identities. A device appends
// new entries of an ordered command at the end, so only the longest start of the new
// sequence that the old one holds in the same order keeps its pairing: the rest is removed
// and sent again (records identified by a key such as a sequence number keep their place
// by it).
#include "diff/record_match.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace quillset::diff {

namespace {

using Level = std::vector<CDbEntry const*>;

Level ChildrenOf(CDbEntry const& record)
{
    Level children;
    for (int i = 0; i < record.GetChildCount(); ++i) {
        if (CDbEntry const* const child = record.GetChild(i))
            children.push_back(child);
    }
    return children;
}

class LevelMatcher {
public:
    LevelMatcher(CommandModel const& model, Level const& a, Level const& b)
        : m_model(model), m_a(a), m_b(b), m_partnerOfA(a.size(), -1), m_partnerOfB(b.size(), -1)
    {
    }

    std::vector<RecordPair> Match()
    {
        PairByIdentity();
        UnpairAfterReordering();
        return Pairs();
    }

private:
    void PairByIdentity()
    {
        std::unordered_map<std::string, std::vector<int>> recordsOfA;
        for (int i = static_cast<int>(m_a.size()) - 1; i >= 0; --i)
            recordsOfA[m_model.IdentityOf(*m_a[i])].push_back(i);
        for (int j = 0; j < static_cast<int>(m_b.size()); ++j) {
            auto const found = recordsOfA.find(m_model.IdentityOf(*m_b[j]));
            if (found == recordsOfA.end() || found->second.empty())
                continue;
            int const i = found->second.back();  // equal identities pair in order of appearance
            found->second.pop_back();
            m_partnerOfA[i] = j;
            m_partnerOfB[j] = i;
        }
    }

    void UnpairAfterReordering()
    {
        std::unordered_map<std::string, std::vector<int>> sequences;  // positions in the new level
        for (int j = 0; j < static_cast<int>(m_b.size()); ++j) {
            CommandInfo const* const command = m_model.Find(m_b[j]->GetName());
            if (command != nullptr && command->ordered && !m_model.HasKey(*command, *m_b[j]))
                sequences[command->sequence].push_back(j);
        }
        for (auto const& [id, inB] : sequences) {
            // The longest start of the new sequence that the old one holds in the same order
            // stays; everything after it is sent again.
            std::size_t kept = 0;
            for (int previous = -1; kept < inB.size() && m_partnerOfB[inB[kept]] > previous; ++kept)
                previous = m_partnerOfB[inB[kept]];
            for (std::size_t k = kept; k < inB.size(); ++k)
                Unpair(m_partnerOfB[inB[k]], inB[k]);
        }
    }

    void Unpair(int i, int j)
    {
        if (i >= 0)
            m_partnerOfA[i] = -1;
        if (j >= 0)
            m_partnerOfB[j] = -1;
    }

    std::vector<RecordPair> Pairs() const
    {
        // (output order, removed first, position) for each pair, then the pair itself.
        std::vector<std::tuple<int, int, int, RecordPair>> keyed;
        for (int i = 0; i < static_cast<int>(m_a.size()); ++i) {
            if (m_partnerOfA[i] < 0)
                keyed.emplace_back(m_model.OrderOf(*m_a[i]), 0, i, RecordPair{m_a[i], nullptr, {}});
        }
        for (int j = 0; j < static_cast<int>(m_b.size()); ++j) {
            int const i = m_partnerOfB[j];
            keyed.emplace_back(m_model.OrderOf(*m_b[j]), 1, j, RecordPair{i >= 0 ? m_a[i] : nullptr, m_b[j], {}});
        }
        std::sort(keyed.begin(), keyed.end(), [](auto const& x, auto const& y) {
            return std::tie(std::get<0>(x), std::get<1>(x), std::get<2>(x)) <
                   std::tie(std::get<0>(y), std::get<1>(y), std::get<2>(y));
        });
        std::vector<RecordPair> pairs;
        pairs.reserve(keyed.size());
        for (auto& entry : keyed) {
            RecordPair& pair = std::get<3>(entry);
            if (pair.a != nullptr && pair.b != nullptr)
                pair.children = LevelMatcher(m_model, ChildrenOf(*pair.a), ChildrenOf(*pair.b)).Match();
            pairs.push_back(std::move(pair));
        }
        return pairs;
    }

    CommandModel const& m_model;
    Level const& m_a;
    Level const& m_b;
    std::vector<int> m_partnerOfA;
    std::vector<int> m_partnerOfB;
};

}  // namespace

std::vector<CDbEntry const*> ChildrenInOrder(CommandModel const& model, CDbEntry const& record)
{
    Level children = ChildrenOf(record);
    std::stable_sort(children.begin(), children.end(),
                     [&](CDbEntry const* x, CDbEntry const* y) { return model.OrderOf(*x) < model.OrderOf(*y); });
    return children;
}

CDbEntry DetachedCopy(CDbEntry const& record)
{
    CDbEntry copy(record.GetName());
    for (int i = 0; i < record.GetFieldCount(); ++i)
        copy.Set(record.GetFieldByIndex(i), record.GetByIndex(i));
    return copy;
}

std::vector<CDbEntry const*> TopLevelRecords(CDbObject const& store)
{
    std::vector<CDbEntry const*> records;
    store.StartEnumeration();
    while (CDbEntry const* const record = store.GetNextEntry()) {
        if (record->GetParent() == nullptr)
            records.push_back(record);
    }
    return records;
}

namespace {

bool HasKeyClashIn(CommandModel const& model, Level const& level)
{
    std::unordered_set<std::string> seen;
    for (CDbEntry const* const record : level) {
        CommandInfo const* const command = model.Find(record->GetName());
        bool const single = command != nullptr && (command->isMode || model.HasKey(*command, *record));
        if (single && !seen.insert(model.IdentityOf(*record)).second)
            return true;
        if (HasKeyClashIn(model, ChildrenOf(*record)))
            return true;
    }
    return false;
}

}  // namespace

bool HasKeyClash(CommandModel const& model, CDbObject const& store)
{
    return HasKeyClashIn(model, TopLevelRecords(store));
}

std::vector<RecordPair> MatchStores(CommandModel const& model, CDbObject const& a, CDbObject const& b)
{
    Level const topOfA = TopLevelRecords(a);
    Level const topOfB = TopLevelRecords(b);
    return LevelMatcher(model, topOfA, topOfB).Match();
}

std::vector<FieldChange> ChangedFields(CommandModel const& model, CDbEntry const& a, CDbEntry const& b)
{
    std::vector<FieldChange> changes;
    CommandInfo const* const command = model.Find(a.GetName());
    if (command == nullptr)
        return changes;
    auto const consider = [&](char const* field) {
        if (model.IsKeyField(*command, a, field))
            return;
        for (FieldChange const& change : changes) {
            if (change.field == field)
                return;
        }
        std::string oldValue = static_cast<char const*>(a.Get(field));
        std::string newValue = static_cast<char const*>(b.Get(field));
        if (oldValue != newValue || a.IsExist(field) != b.IsExist(field))
            changes.push_back({field, std::move(oldValue), std::move(newValue)});
    };
    for (int i = 0; i < a.GetFieldCount(); ++i)
        consider(a.GetFieldByIndex(i));
    for (int i = 0; i < b.GetFieldCount(); ++i)
        consider(b.GetFieldByIndex(i));
    return changes;
}

}  // namespace quillset::diff

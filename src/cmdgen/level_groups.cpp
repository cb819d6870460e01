// The group starts of each level, gathered the first time a level is written.
#include "cmdgen/level_groups.h"

#include <algorithm>
#include <cstring>

namespace quillset::cmdgen {

LevelGroups::LevelGroups(CDynArray<CCmdSyntax*> const& syntaxes, std::vector<int> const& groupEnd)
    : m_syntaxes(syntaxes), m_groupEnd(groupEnd)
{
}

LevelGroups::Level const& LevelGroups::LevelAt(int first)
{
    auto [found, added] = m_levels.try_emplace(first);
    Level& level = found->second;
    if (!added)
        return level;
    int const count = m_syntaxes.GetSize();
    char const* parentId = m_syntaxes[first]->GetParentId();
    int position = first;
    for (; position < count && std::strcmp(m_syntaxes[position]->GetParentId(), parentId) == 0;
         position = m_groupEnd[position])
        level.groupsOf[m_syntaxes[position]->GetId()].push_back(position);
    level.end = position;
    return level;
}

std::vector<int> LevelGroups::GroupsOfChildren(int first, CDbEntry const& parent)
{
    Level const& level = LevelAt(first);
    std::vector<int> starts;
    std::string_view previous;
    for (int i = 0; i < parent.GetChildCount(); ++i) {
        CDbEntry const* child = parent.GetChild(i);
        if (child == nullptr)
            continue;
        std::string_view const name = child->GetName();
        if (name == previous)
            continue;  // a run of like children, the common case, is looked up once
        previous = name;
        if (auto const groups = level.groupsOf.find(name); groups != level.groupsOf.end())
            starts.insert(starts.end(), groups->second.begin(), groups->second.end());
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    return starts;
}

int LevelGroups::LevelEnd(int first) { return LevelAt(first).end; }

}  // namespace quillset::cmdgen

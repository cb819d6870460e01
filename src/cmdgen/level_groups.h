// LevelGroups: where the groups of each command start within a level of the syntax list
// (the commands that share a parent ID). Under a parent record, generation then visits only
// the groups of commands that name one of the record's children, rather than looking for
// records of every command of the level; with hundreds of sub-commands per mode, that look
// was most of the time spent writing a configuration.
#ifndef QUILLSET_CMDGEN_LEVEL_GROUPS_H
#define QUILLSET_CMDGEN_LEVEL_GROUPS_H

#include <quillset/cmdsyntax.h>
#include <quillset/dbentry.h>
#include <quillset/dynarray.h>

#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillset::cmdgen {

class LevelGroups {
public:
    // `groupEnd` gives, for each index that starts a group, the index just after it.
    LevelGroups(CDynArray<CCmdSyntax*> const& syntaxes, std::vector<int> const& groupEnd);

    // The starts, ascending, of the groups in the level that begins at `first` whose command
    // names a child of `parent`.
    std::vector<int> GroupsOfChildren(int first, CDbEntry const& parent);
    // The index just after the level that begins at `first`.
    int LevelEnd(int first);

private:
    struct Level {
        std::unordered_map<std::string_view, std::vector<int>> groupsOf;  // by command ID
        int end = 0;
    };

    Level const& LevelAt(int first);

    CDynArray<CCmdSyntax*> const& m_syntaxes;
    std::vector<int> const& m_groupEnd;
    std::unordered_map<int, Level> m_levels;  // by the index the level begins at
};

}  // namespace quillset::cmdgen

#endif

// GenerationWalk: writes configuration text from a store, level by level in syntax-file
// order. The levels open at once are kept on a stack instead of recursing, so that a
// deeply nested syntax file cannot exhaust the call stack, and the end of every command's
// group is computed once, so that depth costs linear time.
#ifndef QUILLSET_CMDGEN_GENERATION_WALK_H
#define QUILLSET_CMDGEN_GENERATION_WALK_H

#include <quillset/cmdgen.h>

#include "cmdgen/level_groups.h"

#include <vector>

namespace quillset::cmdgen {

class GenerationWalk {
public:
    struct Options {
        bool cmdOptional;       // a definition lacking a value writes no line instead of failing
        bool keepsUnknownLines; // "_UNKNOWN" records close a level that has no definition for them
        bool childGroupsOnly;   // under a record, visit only the groups of its children's commands
    };

    GenerationWalk(CDynArray<CCmdSyntax*> const& syntaxes, CDbObject const& db, Options options, CString& text);

    // Writes the level of `parent` from syntax index `position`, which becomes the index
    // where the level ended. Returns 0, 10 (a value missing while optional commands are
    // off) or 14 (another failure of a definition, whose index FailedDefinition tells).
    int Run(CDbEntry const* parent, int& position);
    int FailedDefinition() const { return m_failedDefinition; }

private:
    // One level being written: the commands of one parent ID for one parent record, the
    // syntax index reached, the next record of the command there, and the record being
    // written with the definition reached for it. Under a parent record, only the groups of
    // its children's commands are visited (`groups`, from `nextGroup` on).
    struct Level {
        CDbEntry const* parent = nullptr;
        int position = 0;
        std::vector<int> groups;
        std::size_t nextGroup = 0;
        int nextRecord = 0;
        bool seenUnknown = false;
        CDbEntry const* record = nullptr;
        int definition = 0;
        bool written = false;
    };

    void OpenLevel(CDbEntry const* parent, int position);
    // Under a record, with the index on: the level visits only its `groups`.
    bool VisitsChildGroupsOnly(Level const& level) const;
    void StepLevel(Level& level);
    void CloseLevel(Level const& level);
    void WriteDefinitions(Level& level);
    bool ContinuesRecord(Level const& level) const;
    void FinishRecord(Level& level);
    void AppendLine(char const* line);

    CDynArray<CCmdSyntax*> const& m_syntaxes;
    CDbObject const& m_db;
    Options m_options;
    CString& m_text;
    std::vector<int> m_groupEnd;
    LevelGroups m_levelGroups;
    std::vector<Level> m_levels;
    int m_result = 0;
    int m_failedDefinition = 0;
    int m_reserve;
};

}  // namespace quillset::cmdgen

#endif

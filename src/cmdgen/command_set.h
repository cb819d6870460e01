// CCommandSet: the block structure of a syntax list, the guide of the parser's search. A
// block is a run of consecutive syntaxes that share the parent ID of its first syntax; a
// syntax whose parent is the command just before it opens a nested block. The search for a
// command starts in the block of the previous command's context and climbs outwards.
#ifndef QUILLSET_CMDGEN_COMMAND_SET_H
#define QUILLSET_CMDGEN_COMMAND_SET_H

#include <quillset/cmdsyntax.h>
#include <quillset/dynarray.h>

#include <string>
#include <unordered_map>
#include <vector>

class CCommandSet {
public:
    explicit CCommandSet(CDynArray<CCmdSyntax*> const& syntaxes);

    // The innermost block holding `index` (first and end, end exclusive); -1 and -1 when
    // no block holds it.
    void FindBlock(int index, int& first, int& end) const;
    bool IsBlockStart(int index) const;
    // The end of the innermost block holding `index`, or -1.
    int GetBlockEnd(int index) const;
    // The start of the block that encloses the innermost block holding `index`, or -1.
    int GetEnclosingStart(int index) const;
    int GetBlockCount() const;

    // The record the last command of an ID produced (the one it was merged into, with row
    // packing), which its child commands go under; null when there is none yet.
    CDbEntry* GetLastRecord(char const* id) const;
    void SetLastRecord(char const* id, CDbEntry* record);

private:
    void BuildBlocks(CDynArray<CCmdSyntax*> const& syntaxes);
    void IndexBlocks(int syntaxCount);

    // Pairs (first, end) in the order their blocks were completed: inner blocks first.
    CDynArray<int> m_blocks;
    // Per syntax index: the position of its innermost pair in m_blocks, or -1; and whether
    // a block starts there. Built once, so each question is answered without a scan.
    std::vector<int> m_innermost;
    std::vector<bool> m_isStart;
    // Per pair of m_blocks: the start of the block that encloses it, or -1.
    std::vector<int> m_enclosingStart;
    std::unordered_map<std::string, CDbEntry*> m_lastRecord;
};

#endif

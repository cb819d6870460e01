// CCommandSet: the block structure of a syntax list, the guide of the parser's search. A
// block is a run of consecutive syntaxes that share the parent ID of its first syntax; a
// syntax whose parent is the command just before it opens a nested block. The search for a
// command starts in the block of the previous command's context and climbs outwards; the
// dispatch index lets it try only the syntaxes that can match.
#ifndef QUILLSET_CMDGEN_COMMAND_SET_H
#define QUILLSET_CMDGEN_COMMAND_SET_H

#include <quillset/cmdsyntax.h>
#include <quillset/dynarray.h>

#include "cmdgen/command_dispatch.h"
#include "cmdgen/definition_keywords.h"

#include <memory>
#include <vector>

class CCommandSet {
public:
    // Without `indexed`, the dispatch index covers nothing and every search is the full one.
    explicit CCommandSet(CDynArray<CCmdSyntax*> const& syntaxes, bool indexed = true);

    // The innermost block holding `index` (first and end, end exclusive); -1 and -1 when
    // no block holds it.
    void FindBlock(int index, int& first, int& end) const;
    bool IsBlockStart(int index) const;
    // The end of the innermost block holding `index`, or -1.
    int GetBlockEnd(int index) const;
    // The start of the block that encloses the innermost block holding `index`, or -1.
    int GetEnclosingStart(int index) const;
    // The blocks in stored order (inner blocks first).
    int GetBlockCount() const { return m_blocks.GetSize() / 2; }
    void GetBlock(int block, int& first, int& end) const;
    quillset::cmdgen::CommandDispatch const& Dispatch() const { return *m_dispatch; }
    quillset::cmdgen::DefinitionKeywords const& Keywords() const { return m_keywords; }

    // Calls matches(index) on each syntax of the block (first, end) once, from `position`
    // on, wrapping around and passing over the nested blocks of children as a whole, until
    // it returns true; returns that index, or -1. The dispatch index gives the same answer
    // trying fewer syntaxes.
    template <class Matches>
    int SearchInOrder(int position, int first, int end, Matches matches) const;

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
    std::unique_ptr<quillset::cmdgen::CommandDispatch> m_dispatch;
    quillset::cmdgen::DefinitionKeywords m_keywords;
};

template <class Matches>
int CCommandSet::SearchInOrder(int position, int first, int end, Matches matches) const
{
    for (int tries = first;;) {
        if (position == end)
            position = first;
        if (matches(position))
            return position;
        // A block that starts right after the position but ends past this block's end is not
        // nested in it (it holds the children of a command of another block): not skipped.
        int const childrenEnd = IsBlockStart(position + 1) ? GetBlockEnd(position + 1) : -1;
        if (childrenEnd > position + 1 && childrenEnd <= end) {
            tries += childrenEnd - 1 - position;
            position = childrenEnd - 1;
        }
        ++tries;
        ++position;
        if (tries >= end)
            return -1;
    }
}

#endif

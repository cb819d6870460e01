// CCommandSet: builds the nested blocks of a syntax list and answers block questions.
#include "cmdgen/command_set.h"

#include <cstring>

namespace {

bool SameText(char const* a, char const* b) { return std::strcmp(a, b) == 0; }

// One block under construction: where it starts, the parent ID its syntaxes share, and the
// ID of the last command seen at its level (a syntax whose parent that is opens a block).
struct OpenBlock {
    int first;
    char const* parentId;
    char const* previousId;
};

}  // namespace

CCommandSet::CCommandSet(CDynArray<CCmdSyntax*> const& syntaxes, bool indexed) : m_keywords(syntaxes)
{
    BuildBlocks(syntaxes);
    IndexBlocks(syntaxes.GetSize());
    m_dispatch = std::make_unique<quillset::cmdgen::CommandDispatch>(syntaxes, *this, indexed);
}

// Walks the list once, keeping the blocks still open on a stack instead of recursing, so a
// deeply nested syntax file cannot exhaust the call stack.
void CCommandSet::BuildBlocks(CDynArray<CCmdSyntax*> const& syntaxes)
{
    int const count = syntaxes.GetSize();
    if (count == 0)
        return;
    std::vector<OpenBlock> open{{0, syntaxes[0]->GetParentId(), ""}};
    int i = 0;
    while (!open.empty()) {
        OpenBlock& block = open.back();
        if (i < count) {
            char const* id = syntaxes[i]->GetId();
            char const* parent = syntaxes[i]->GetParentId();
            if (SameText(parent, block.parentId) || SameText(id, block.parentId)) {
                block.previousId = id;
                ++i;
                continue;
            }
            if (SameText(parent, block.previousId)) {
                // The nested block's first command becomes the previous command here.
                block.previousId = id;
                open.push_back({i, parent, ""});
                continue;
            }
        }
        int const blockEnd = m_blocks.GetSize();
        m_blocks[blockEnd] = block.first;
        m_blocks[blockEnd + 1] = i;
        m_enclosingStart.push_back(open.size() > 1 ? open[open.size() - 2].first : -1);
        open.pop_back();
    }
}

void CCommandSet::IndexBlocks(int syntaxCount)
{
    m_innermost.assign(syntaxCount, -1);
    m_isStart.assign(syntaxCount + 1, false);
    for (int pair = 0; pair < m_blocks.GetSize(); pair += 2) {
        int const first = m_blocks[pair];
        m_isStart[first] = true;
        for (int index = first; index < m_blocks[pair + 1]; ++index) {
            if (m_innermost[index] < 0)
                m_innermost[index] = pair;
        }
    }
}

void CCommandSet::FindBlock(int index, int& first, int& end) const
{
    first = end = -1;
    if (index < 0 || index >= static_cast<int>(m_innermost.size()) || m_innermost[index] < 0)
        return;
    first = m_blocks[m_innermost[index]];
    end = m_blocks[m_innermost[index] + 1];
}

bool CCommandSet::IsBlockStart(int index) const
{
    return index >= 0 && index < static_cast<int>(m_isStart.size()) && m_isStart[index];
}

int CCommandSet::GetBlockEnd(int index) const
{
    int first, end;
    FindBlock(index, first, end);
    return end;
}

int CCommandSet::GetEnclosingStart(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_innermost.size()) || m_innermost[index] < 0)
        return -1;
    return m_enclosingStart[m_innermost[index] / 2];
}


void CCommandSet::GetBlock(int block, int& first, int& end) const
{
    first = m_blocks[2 * block];
    end = m_blocks[2 * block + 1];
}

// How a command's chain takes shape: an optional part hangs from the `branch` of its anchor
// and what follows it becomes the anchor's `next`; a group's alternatives are chains of
// their own, gathered into one CSymbolGroup when the group closes.
#include "syntax/chain_builder.h"

#include <vector>

namespace quillset::syntax {

void ChainBuilder::Append(CSymbolEntry* symbol)
{
    if (m_chain.tail == nullptr)
        m_chain.head = symbol;
    else if (m_chain.linkToNext)
        m_chain.tail->SetNext(symbol);
    else
        m_chain.tail->SetBranch(symbol);
    m_chain.tail = symbol;
    m_chain.linkToNext = true;
    m_chain.needAnchor = false;
}

// Where the tail cannot carry the optional part (no tail, its branch taken, or a group),
// an empty symbol is appended to carry it.
bool ChainBuilder::OpenOptional()
{
    if (m_chain.needAnchor)
        Append(new CSymbolNull);
    if (!m_options.Push({m_chain.tail, false}))
        return false;
    m_chain.linkToNext = false;
    m_chain.needAnchor = true;
    return true;
}

// A space after "]" belongs to the optional part.
void ChainBuilder::CloseOptional(bool spaceFollows)
{
    if (spaceFollows)
        Append(new CSymbolString(" "));
    m_chain.tail = m_options.Pop().symbol;
    m_chain.linkToNext = true;
    m_chain.needAnchor = true;
}

bool ChainBuilder::EndAlternative()
{
    if (!m_options.Push({m_chain.head, true}))
        return false;
    int const count = m_chain.alternativeCount;
    m_chain = Chain{};
    m_chain.alternativeCount = count + 1;
    return true;
}

bool ChainBuilder::OpenGroup()
{
    if (!m_groups.Push(m_chain))
        return false;
    m_chain = Chain{};
    return true;
}

bool ChainBuilder::CloseGroup()
{
    if (!m_options.Push({m_chain.head, true}))
        return false;
    int const count = m_chain.alternativeCount + 1;
    std::vector<CSymbolEntry*> alternatives(count + 1, nullptr);
    for (int i = count - 1; i >= 0; --i)
        alternatives[i] = m_options.Pop().symbol;
    m_chain = m_groups.Pop();
    Append(new CSymbolGroup(alternatives.data()));
    m_chain.needAnchor = true;
    return true;
}

void ChainBuilder::Abandon()
{
    delete m_chain.head;
    while (!m_options.IsEmpty()) {
        OptionEntry const entry = m_options.Pop();
        if (entry.isAlternative)
            delete entry.symbol;
    }
    while (!m_groups.IsEmpty())
        delete m_groups.Pop().head;
    m_chain = Chain{};
}

}  // namespace quillset::syntax

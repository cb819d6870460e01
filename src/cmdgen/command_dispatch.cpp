// CommandDispatch: building each block's search order and filing its syntaxes by the
// keyword of their leading literal.
#include "cmdgen/command_dispatch.h"

#include "cmdgen/command_set.h"
#include "syntax/command_flags.h"

#include <typeinfo>

namespace quillset::cmdgen {

namespace {

// A syntax that can never match: parsing is off, or it has no symbols.
bool NeverMatches(CCmdSyntax const& syntax)
{
    return (syntax.GetFlags() & quillset::syntax::kParseFlag) == 0 || syntax.GetRoot() == nullptr;
}

// The keyword every command that `syntax` matches starts with, or empty when the syntax
// does not start with a plain literal whose first word a blank ends.
std::string_view LeadingKeyword(CCmdSyntax const& syntax)
{
    CSymbolEntry const& root = *syntax.GetRoot();
    if (typeid(root) != typeid(CSymbolString))
        return {};
    std::string_view const literal = static_cast<CSymbolString const&>(root).GetText();
    std::string_view const keyword = CommandDispatch::Keyword(literal);
    bool const ended = keyword.size() < literal.size() && keyword.find_first_not_of(' ') != std::string_view::npos;
    return ended ? keyword : std::string_view();
}

}  // namespace

CommandDispatch::CommandDispatch(CDynArray<CCmdSyntax*> const& syntaxes, CCommandSet const& blocks)
    : m_placeOf(static_cast<std::size_t>(syntaxes.GetSize()))
{
    for (int block = 0; block < blocks.GetBlockCount(); ++block)
        AddChain(syntaxes, blocks, block);
}

std::string_view CommandDispatch::Keyword(std::string_view text)
{
    std::size_t const word = std::min(text.find_first_not_of(' '), text.size());
    return text.substr(0, std::min(text.find(' ', word), text.size()));
}

// Follows the search's step from the block's first syntax (the next syntax, or past the
// nested block that starts right after it) to the block's end. A chain that does not end
// exactly there is left out, and its block searched in full.
void CommandDispatch::AddChain(CDynArray<CCmdSyntax*> const& syntaxes, CCommandSet const& blocks, int block)
{
    int first, end;
    blocks.GetBlock(block, first, end);
    Chain chain;
    int position = first;
    while (position < end) {
        chain.order.push_back(position);
        position = blocks.IsBlockStart(position + 1) ? blocks.GetBlockEnd(position + 1) : position + 1;
    }
    if (position != end)
        return;
    int const index = static_cast<int>(m_chains.size());
    for (int place = 0; place < static_cast<int>(chain.order.size()); ++place) {
        int const syntax = chain.order[place];
        int innermostFirst, innermostEnd;
        blocks.FindBlock(syntax, innermostFirst, innermostEnd);
        if (innermostFirst == first && innermostEnd == end)
            m_placeOf[syntax] = {index, place};
        if (NeverMatches(*syntaxes[syntax]))
            continue;
        std::string_view const keyword = LeadingKeyword(*syntaxes[syntax]);
        if (keyword.empty())
            chain.unkeyed.push_back(place);
        else
            chain.byKeyword[std::string(keyword)].push_back(place);
    }
    m_chains.push_back(std::move(chain));
}

}  // namespace quillset::cmdgen

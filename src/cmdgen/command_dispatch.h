// CommandDispatch: the parser's index of each block's syntaxes by the keyword a command
// must start with. The search of a block tries its syntaxes in one fixed cyclic order from
// the parse position; most syntaxes start with a literal ("interface ", " ip address "),
// and a command can only match those whose literal starts it. So a command tries the one
// or two syntaxes filed under its first word and those that start otherwise (with a
// variable or an optional part), in the same order the full search would, and an unknown
// line tries none of the keyed ones, however many definitions the syntax file has.
#ifndef QUILLSET_CMDGEN_COMMAND_DISPATCH_H
#define QUILLSET_CMDGEN_COMMAND_DISPATCH_H

#include <quillset/cmdsyntax.h>
#include <quillset/dynarray.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CCommandSet;

namespace quillset::cmdgen {

class CommandDispatch {
public:
    CommandDispatch(CDynArray<CCmdSyntax*> const& syntaxes, CCommandSet const& blocks);

    // Whether the search from `position` follows the order the index knows; false only for
    // syntax lists whose blocks do not nest as written, which the full search handles.
    bool Covers(int position) const
    {
        return position >= 0 && position < static_cast<int>(m_placeOf.size()) && m_placeOf[position].chain >= 0;
    }

    // Calls matches(index) on the syntaxes of the block of `position` that may match
    // `command`, in the search's order, until it returns true; returns that index, or -1.
    template <class Matches>
    int Search(int position, char const* command, Matches matches) const;

    // Leading blanks and the first word: what a command and a syntax's literal are filed by.
    static std::string_view Keyword(std::string_view text);

private:
    // A block's syntaxes in the order its search visits them from its first one: the
    // syntaxes at the block's own level, nested blocks passed over.
    struct Chain {
        std::vector<int> order;
        std::unordered_map<std::string, std::vector<int>> byKeyword;  // places in `order`, ascending
        std::vector<int> unkeyed;  // places of the syntaxes that start otherwise
    };
    struct Place {
        int chain = -1;
        int place = -1;
    };

    void AddChain(CDynArray<CCmdSyntax*> const& syntaxes, CCommandSet const& blocks, int block);

    std::vector<Chain> m_chains;
    std::vector<Place> m_placeOf;  // by syntax index, for the syntaxes whose innermost block has a chain
};

template <class Matches>
int CommandDispatch::Search(int position, char const* command, Matches matches) const
{
    Place const start = m_placeOf[position];
    Chain const& chain = m_chains[start.chain];
    auto const keyed = chain.byKeyword.find(std::string(Keyword(command)));
    int const* const filedEnd = keyed != chain.byKeyword.end() ? keyed->second.data() + keyed->second.size() : nullptr;
    int const* const filedBegin = keyed != chain.byKeyword.end() ? keyed->second.data() : nullptr;
    int const* const unkeyedEnd = chain.unkeyed.data() + chain.unkeyed.size();
    // Tries the places in [from, to) of both lists, merged in ascending order.
    auto const visit = [&](int from, int to) {
        int const* a = std::lower_bound(filedBegin, filedEnd, from);
        int const* b = std::lower_bound(chain.unkeyed.data(), unkeyedEnd, from);
        for (;;) {
            bool const takeA = a != filedEnd && (b == unkeyedEnd || *a < *b);
            int const* const next = takeA ? a : b;
            if (next == (takeA ? filedEnd : unkeyedEnd) || *next >= to)
                return -1;
            ++(takeA ? a : b);
            int const index = chain.order[*next];
            if (matches(index))
                return index;
        }
    };
    int const found = visit(start.place, static_cast<int>(chain.order.size()));
    return found >= 0 ? found : visit(0, start.place);
}

}  // namespace quillset::cmdgen

#endif

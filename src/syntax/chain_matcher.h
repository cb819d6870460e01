// ChainMatcher: the backtracking matcher over a symbol chain, with a bound on its work. One
// matcher serves one line: every symbol match it attempts, in groups too, counts against
// the same budget, so that no definition can make a line cost more than a fixed number of
// attempts (past it the line is taken as not matching).
#ifndef QUILLSET_SYNTAX_CHAIN_MATCHER_H
#define QUILLSET_SYNTAX_CHAIN_MATCHER_H

#include <quillset/limits.h>
#include <quillset/symbols.h>

namespace quillset::syntax {

class ChainMatcher {
public:
    ChainMatcher(char const** cursor, CDbEntry* record) : m_cursor(cursor), m_record(record) {}

    // Matches from `symbol` on; `from` and `nested` as for CSymbolEntry::ParseChain.
    int Match(CSymbolEntry* symbol, CSymbolEntry* from, bool nested);
    // CSymbolGroup::Parse within this matcher's budget.
    int MatchGroup(CSymbolGroup const& group, int* state);
    // Whether the budget ran out (every later attempt fails at once).
    bool IsExhausted() const { return m_steps > kMaxSteps; }

private:
    static constexpr int kMaxSteps = QS_MAX_MATCH_STEPS;

    // One attempt of `symbol`'s own match, within the budget; groups are matched here, so
    // that their alternatives share it.
    int Attempt(CSymbolEntry* symbol, int* state);

    char const** m_cursor;
    CDbEntry* m_record;
    int m_steps = 0;
};

}  // namespace quillset::syntax

#endif

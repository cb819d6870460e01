// The backtracking matcher: each activation tries its symbol's matches in turn, each
// followed by its optional part (when it has one), then by the rest of its sequence; at the
// end of a sequence the match climbs back through `prev` to the carrier of the optional
// part, or, at the start of the command, checks that only spaces are left. Every failing
// path restores the record and the cursor to what the activation found.
#include "syntax/chain_matcher.h"

#include "syntax/syntax_text.h"

#include <optional>
#include <string>
#include <typeinfo>

namespace quillset::syntax {

namespace {

// Whether a field name addresses a slot by number (empty or digits only).
bool IsSlotName(char const* name)
{
    for (char const* p = name; *p != '\0'; ++p) {
        if (!IsDigit(*p))
            return false;
    }
    return true;
}

// A point to come back to while matching: the cursor, and as much of the record as the
// symbol may change. Literals and empty anchors change nothing; a library variable sets
// only its own field, so only that field's previous value is kept (an undo entry, not a
// copy of the record, which would make a command of N variables cost N^2); anything else
// (a group, a host's own symbol) keeps a copy of the whole record.
class MatchPoint {
public:
    explicit MatchPoint(CSymbolEntry const* symbol) : m_field(nullptr), m_kind(KindOf(symbol)) {}

    void Take(CDbEntry const* record, char const* cursor)
    {
        m_cursor = cursor;
        if (m_kind == kOwnField) {
            m_existed = record->IsExist(m_field);
            if (m_existed)
                m_value = static_cast<char const*>(record->Get(m_field));
        } else if (m_kind == kWholeRecord) {
            m_record.emplace(*record);
        }
    }

    void Restore(CDbEntry* record, char const** cursor) const
    {
        *cursor = m_cursor;
        if (m_kind == kOwnField) {
            if (m_existed)
                record->Set(m_field, m_value.c_str());
            else
                record->Remove(m_field);
        } else if (m_kind == kWholeRecord) {
            *record = *m_record;
        }
    }

private:
    enum Kind { kNothing, kOwnField, kWholeRecord };

    Kind KindOf(CSymbolEntry const* symbol)
    {
        std::type_info const& type = typeid(*symbol);
        if (type == typeid(CSymbolString) || type == typeid(CSymbolNull))
            return kNothing;
        if (type != typeid(CSymbolVar) && type != typeid(CSymbolVarEnum))
            return kWholeRecord;
        char const* const name = static_cast<CSymbolVar const*>(symbol)->GetName();
        if (std::string(name) == "%")
            return kNothing;  // an anonymous variable stores nothing
        if (IsSlotName(name))
            return kWholeRecord;  // a slot number may grow the record by many slots
        m_field = name;
        return kOwnField;
    }

    char const* m_field;
    Kind m_kind;
    char const* m_cursor = nullptr;
    bool m_existed = false;
    std::string m_value;
    std::optional<CDbEntry> m_record;
};

}  // namespace

int ChainMatcher::Attempt(CSymbolEntry* symbol, int* state)
{
    if (++m_steps > kMaxSteps)
        return 3;
    if (typeid(*symbol) == typeid(CSymbolGroup))
        return MatchGroup(static_cast<CSymbolGroup const&>(*symbol), state);
    return symbol->Parse(m_cursor, m_record, state);
}

// `*state` names the alternative that matched; a repeated call moves on to the next one.
int ChainMatcher::MatchGroup(CSymbolGroup const& group, int* state)
{
    *state = *state == -1 ? 0 : *state + 1;
    int result = 3;
    for (; *state < group.GetAlternativeCount(); ++*state) {
        if ((result = Match(group.GetAlternative(*state), nullptr, true)) == 0)
            return 0;
    }
    return result;
}

int ChainMatcher::Match(CSymbolEntry* symbol, CSymbolEntry* from, bool nested)
{
    CSymbolEntry* const branch = symbol->GetBranch();
    CSymbolEntry* const next = symbol->GetNext();
    CSymbolEntry* const prev = symbol->GetPrev();
    int state = -1;
    MatchPoint entry(symbol);
    bool const matchedHere = from == nullptr || (from != branch && from != next);
    auto retry = [&]() {
        entry.Restore(m_record, m_cursor);
        return Attempt(symbol, &state);
    };
    // Matches `follower` after this symbol, then again after each further match of it.
    auto followWith = [&](CSymbolEntry* follower) {
        for (;;) {
            if (Match(follower, symbol, nested) == 0)
                return 0;
            if (int const result = retry(); result != 0)
                return result;
        }
    };

    if (matchedHere) {
        entry.Take(m_record, *m_cursor);
        if (int const result = Attempt(symbol, &state); result != 0)
            return result;
        if (branch != nullptr) {
            MatchPoint skip(symbol);
            skip.Take(m_record, *m_cursor);
            int const skipState = state;
            if (followWith(branch) == 0)
                return 0;
            // No match of this symbol leads through the optional part: leave it out.
            skip.Restore(m_record, m_cursor);
            state = skipState;
        }
        if (next != nullptr)
            return followWith(next);
    } else if (next != nullptr && from != next) {
        // The optional part has just been matched: go on with the rest of the sequence.
        return Match(next, symbol, nested);
    }

    if (prev != nullptr)
        return matchedHere ? followWith(prev) : Match(prev, symbol, nested);
    // The first symbol of a group alternative hands the match back to its group.
    if (nested)
        return 0;
    for (;;) {
        if (OnlySpacesRemain(*m_cursor))
            return 0;
        if (!matchedHere)
            return 3;
        if (int const result = retry(); result != 0)
            return result;
    }
}

}  // namespace quillset::syntax

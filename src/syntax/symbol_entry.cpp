// CSymbolEntry: the links of a symbol and the walks over a chain: the backtracking matcher,
// the generation walk, the defaults walk and the keyword pre-check.
#include <quillset/symbols.h>

#include "syntax/syntax_text.h"

#include <cstring>
#include <optional>
#include <string>
#include <typeinfo>

namespace {

using quillset::syntax::OnlySpacesRemain;

// A point to come back to while matching: the record and the cursor as they were. The
// record is copied only for symbols that may change it: literals and empty anchors never
// do, and copying the record at each of them would double the cost of a typical command.
class MatchPoint {
public:
    explicit MatchPoint(CSymbolEntry const* symbol)
        : m_copiesRecord(typeid(*symbol) != typeid(CSymbolString) && typeid(*symbol) != typeid(CSymbolNull))
    {
    }

    void Take(CDbEntry const* record, char const* cursor)
    {
        if (m_copiesRecord)
            m_record.emplace(*record);
        m_cursor = cursor;
    }
    void Restore(CDbEntry* record, char const** cursor) const
    {
        if (m_record)
            *record = *m_record;
        *cursor = m_cursor;
    }

private:
    bool m_copiesRecord;
    std::optional<CDbEntry> m_record;
    char const* m_cursor = nullptr;
};

}  // namespace

CSymbolEntry::CSymbolEntry() : prev(nullptr), branch(nullptr), next(nullptr) {}

CSymbolEntry::~CSymbolEntry()
{
    delete branch;
    // The rest of the chain is unlinked one symbol at a time, so that a long chain does not
    // recurse once per symbol.
    CSymbolEntry* rest = next;
    while (rest != nullptr) {
        CSymbolEntry* following = rest->next;
        rest->next = nullptr;
        delete rest;
        rest = following;
    }
}

void CSymbolEntry::SetDefault(char const*) {}

int CSymbolEntry::ApplyDefault(CDbEntry*) { return 6; }

bool CSymbolEntry::IsPackable()
{
    return (branch == nullptr || branch->IsPackable()) && (next == nullptr || next->IsPackable());
}

void CSymbolEntry::SetBranch(CSymbolEntry* symbol) { Link(branch, symbol, this); }

void CSymbolEntry::SetNext(CSymbolEntry* symbol) { Link(next, symbol, this); }

void CSymbolEntry::Link(CSymbolEntry*& slot, CSymbolEntry* symbol, CSymbolEntry* carrier)
{
    if (slot == symbol)
        return;
    delete slot;
    slot = symbol;
    if (symbol != nullptr)
        symbol->prev = carrier;
}

int CSymbolEntry::ParseLine(char const* line, CDbEntry* record)
{
    record->Clear();
    // Padding the line with as many spaces as it has characters lets a literal that ends
    // in a space match at the very end of the line.
    std::string text(line);
    text.append(text.size(), ' ');
    if (!HasKeywords(text.c_str()))
        return 3;
    char const* cursor = text.c_str();
    return ParseChain(&cursor, record, nullptr, false);
}

// Each activation tries this symbol's own matches in turn, each followed by its optional
// part (when it has one), then by the rest of its sequence; at the end of a sequence the
// match climbs back through `prev` to the carrier of the optional part, or, at the start of
// the command, checks that only spaces are left. Every failing path restores the record and
// the cursor to what the activation found.
int CSymbolEntry::ParseChain(char const** cursor, CDbEntry* record, CSymbolEntry* from, bool nested)
{
    int state = -1;
    MatchPoint entry(this);
    bool const matchedHere = from == nullptr || (from != branch && from != next);
    auto retry = [&]() {
        entry.Restore(record, cursor);
        return Parse(cursor, record, &state);
    };
    // Matches `follower` after this symbol, then again after each further match of it.
    auto followWith = [&](CSymbolEntry* follower) {
        for (;;) {
            if (follower->ParseChain(cursor, record, this, nested) == 0)
                return 0;
            if (int const result = retry(); result != 0)
                return result;
        }
    };

    if (matchedHere) {
        entry.Take(record, *cursor);
        if (int const result = Parse(cursor, record, &state); result != 0)
            return result;
        if (branch != nullptr) {
            MatchPoint skip(this);
            skip.Take(record, *cursor);
            int const skipState = state;
            if (followWith(branch) == 0)
                return 0;
            // No match of this symbol leads through the optional part: leave it out.
            skip.Restore(record, cursor);
            state = skipState;
        }
        if (next != nullptr)
            return followWith(next);
    } else if (next != nullptr && from != next) {
        // The optional part has just been matched: go on with the rest of the sequence.
        return next->ParseChain(cursor, record, this, nested);
    }

    if (prev != nullptr)
        return matchedHere ? followWith(prev) : prev->ParseChain(cursor, record, this, nested);
    // The first symbol of a group alternative hands the match back to its group.
    if (nested)
        return 0;
    for (;;) {
        if (OnlySpacesRemain(*cursor))
            return 0;
        if (!matchedHere)
            return 3;
        if (int const result = retry(); result != 0)
            return result;
    }
}

int CSymbolEntry::GenerateChain(CDbEntry const* record, CString& out, bool emptyOnMissing)
{
    out.Empty();
    int result = GenerateWalk(record, out);
    if (result == 1 && emptyOnMissing) {
        out.Empty();
        result = 0;
    }
    out.TrimRight();
    return result;
}

int CSymbolEntry::GenerateWalk(CDbEntry const* record, CString& out)
{
    for (CSymbolEntry* symbol = this;; symbol = symbol->next) {
        CString text;
        int const result = symbol->Generate(record, text);
        out += text;
        if (result != 0)
            return result;
        if (symbol->branch != nullptr) {
            int const length = out.GetLength();
            int const branchResult = symbol->branch->GenerateWalk(record, out);
            // An optional part that cannot be written is left out.
            if (branchResult == 1)
                out.Delete(length, out.GetLength() - length);
            else if (branchResult != 0)
                return branchResult;
        }
        if (symbol->next == nullptr)
            return 0;
    }
}

int CSymbolEntry::ApplyDefaults(CDbEntry* record)
{
    int result = 6;
    for (CSymbolEntry* symbol = this; symbol != nullptr; symbol = symbol->next) {
        if (symbol->ApplyDefault(record) == 0)
            result = 0;
        if (symbol->branch != nullptr && symbol->branch->ApplyDefaults(record) == 0)
            result = 0;
    }
    return result;
}

bool CSymbolEntry::HasKeywords(char const* text)
{
    for (CSymbolEntry* symbol = this; symbol != nullptr; symbol = symbol->next) {
        auto const* literal = dynamic_cast<CSymbolString const*>(symbol);
        if (literal == nullptr)
            continue;
        char const* found = std::strstr(text, literal->GetText());
        if (found == nullptr)
            return false;
        text = found + std::strlen(literal->GetText());
    }
    return true;
}

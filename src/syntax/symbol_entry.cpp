// CSymbolEntry: the links of a symbol and the walks over a chain: the backtracking matcher,
// the generation walk, the defaults walk and the keyword pre-check.
#include <quillset/symbols.h>

#include "syntax/chain_matcher.h"

#include <quillset/limits.h>

#include <cstring>
#include <string>

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
    std::size_t const length = strnlen(line, QS_MAX_LINE_LENGTH + 1);
    if (length > QS_MAX_LINE_LENGTH)
        return 3;
    // Padding the line with as many spaces as it has characters lets a literal that ends
    // in a space match at the very end of the line.
    std::string text(line, length);
    text.append(length, ' ');
    if (!HasKeywords(text.c_str()))
        return 3;
    char const* cursor = text.c_str();
    quillset::syntax::ChainMatcher matcher(&cursor, record);
    int const result = matcher.Match(this, nullptr, false);
    if (!matcher.IsExhausted())
        return result;
    // Past the work bound the line does not match, whatever was found on the way.
    record->Clear();
    return 3;
}

int CSymbolEntry::ParseChain(char const** cursor, CDbEntry* record, CSymbolEntry* from, bool nested)
{
    return quillset::syntax::ChainMatcher(cursor, record).Match(this, from, nested);
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

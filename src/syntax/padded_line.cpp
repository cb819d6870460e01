// PaddedLine and the line-level match: the padding and the record's reset, done once per
// line or only when needed rather than on every definition tried.
#include "syntax/padded_line.h"

#include "syntax/chain_matcher.h"
#include "syntax/command_flags.h"

#include <quillset/limits.h>

#include <cstring>

namespace quillset::syntax {

namespace {

// Clears the record unless it is already empty, which the parser's record is after every
// failed try that stored nothing.
void Reset(CDbEntry* record)
{
    if (*record->GetName() != '\0' || record->GetFieldCount() > 0 || record->GetParent() != nullptr ||
        record->GetChildCount() > 0)
        record->Clear();
}

int MatchChecked(CSymbolEntry& root, PaddedLine const& line, CDbEntry* record, bool keywordsFound)
{
    Reset(record);
    if (line.IsTooLong() || !keywordsFound)
        return 3;
    char const* cursor = line.Text();
    ChainMatcher matcher(&cursor, record);
    int const result = matcher.Match(&root, nullptr, false);
    if (!matcher.IsExhausted())
        return result;
    // Past the work bound the line does not match, whatever was found on the way.
    record->Clear();
    return 3;
}

}  // namespace

// Padding the line with as many spaces as it has characters lets a literal that ends in a
// space match at the very end of the line.
PaddedLine::PaddedLine(char const* line)
{
    std::size_t const length = strnlen(line, QS_MAX_LINE_LENGTH + 1);
    m_tooLong = length > QS_MAX_LINE_LENGTH;
    if (m_tooLong)
        return;
    m_text.reserve(2 * length);
    m_text.assign(line, length);
    m_text.append(length, ' ');
}

int MatchLine(CSymbolEntry& root, PaddedLine const& line, CDbEntry* record)
{
    return MatchChecked(root, line, record, root.HasKeywords(line.Text()));
}

int ParseLine(CCmdSyntax& syntax, PaddedLine const& line, CDbEntry* record)
{
    CSymbolEntry* const root = syntax.GetRoot();
    return ParseLine(syntax, line, record, root != nullptr && root->HasKeywords(line.Text()));
}

int ParseLine(CCmdSyntax& syntax, PaddedLine const& line, CDbEntry* record, bool keywordsFound)
{
    if ((syntax.GetFlags() & kParseFlag) == 0) {
        Reset(record);
        return 4;
    }
    if (syntax.GetRoot() == nullptr) {
        Reset(record);
        return 3;
    }
    int const result = MatchChecked(*syntax.GetRoot(), line, record, keywordsFound);
    if (result == 0)
        record->SetName(syntax.GetId());
    return result;
}

}  // namespace quillset::syntax

// PaddedLine: a command line made ready once for every definition the parser tries on it,
// and the matching of a definition against it.
#ifndef QUILLSET_SYNTAX_PADDED_LINE_H
#define QUILLSET_SYNTAX_PADDED_LINE_H

#include <quillset/cmdsyntax.h>
#include <quillset/symbols.h>

#include <string>

namespace quillset::syntax {

class PaddedLine {
public:
    explicit PaddedLine(char const* line);

    // Longer than QS_MAX_LINE_LENGTH: no definition matches it.
    bool IsTooLong() const { return m_tooLong; }
    // The line followed by as many spaces as it has characters.
    char const* Text() const { return m_text.c_str(); }

private:
    std::string m_text;
    bool m_tooLong;
};

// CSymbolEntry::ParseLine on a line already padded.
int MatchLine(CSymbolEntry& root, PaddedLine const& line, CDbEntry* record);
// CCmdSyntax::Parse on a line already padded.
int ParseLine(CCmdSyntax& syntax, PaddedLine const& line, CDbEntry* record);
// The same, for a caller that has checked the definition's keywords (HasKeywords) itself.
int ParseLine(CCmdSyntax& syntax, PaddedLine const& line, CDbEntry* record, bool keywordsFound);

}  // namespace quillset::syntax

#endif

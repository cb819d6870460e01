// The guard against lines that a syntax reads but cannot write back. An address variable
// takes text that its own generation refuses (spaces or a sign inside the address, no digit
// after the third dot, more than 15 characters), so the record of such a line is written
// without it and the line is lost. After parsing, the converter looks for records holding
// such a field; only when there are any does it find the lines that would be lost, mark
// them and parse again: a marked line matches no definition and is kept as unmatched text.
#ifndef QUILLSET_TOOLKIT_UNWRITABLE_LINES_H
#define QUILLSET_TOOLKIT_UNWRITABLE_LINES_H

#include "toolkit/lost_lines.h"
#include "toolkit/syntax_layout.h"

#include <quillset/dbobject.h>
#include <quillset/symbols.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace quillset::toolkit {

// Put after a line's indentation, it makes the line match no definition that starts with
// a keyword; the tool's unknown-command handlers take it off again.
inline constexpr char kUnmatchedMark = '\x1f';

class AddressFields {
public:
    explicit AddressFields(SyntaxList const& syntaxes);

    // Whether a record of `db` holds an address field that its definitions cannot write.
    bool AnyUnwritable(CDbObject const& db) const;

private:
    std::unordered_map<std::string, std::vector<CSymbolVar*>> m_byCommand;
};

// `text` with the mark after the indentation of every line that starts a command (its number
// is in `commandLines`, ascending) and whose text is one of `lines` or starts with the mark
// already (so that taking one mark off gives every line back).
std::string MarkLines(std::string const& text, std::vector<NumberedLine> const& lines,
                      std::vector<int> const& commandLines);

// Marks the parse of a text MarkLines marked, on the calling thread, for as long as it
// lives: the handlers run inside the parse call, and only then is a leading mark byte one
// of ours rather than the configuration's own.
class MarkedParse {
public:
    MarkedParse();
    ~MarkedParse();
    MarkedParse(MarkedParse const&) = delete;
    MarkedParse& operator=(MarkedParse const&) = delete;
};

// `command` without the mark that MarkLines put after its indentation, during a MarkedParse;
// as it is otherwise.
std::string Unmarked(char const* command);

}  // namespace quillset::toolkit

#endif

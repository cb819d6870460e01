// The tool's handling of the device dialect. It builds on the library's dialect handlers
// and changes what they do only where a round trip would otherwise move or lose a line, so
// that parsing the generated text gives the store back:
// - trailing white space is dropped, and a line of white space only is skipped, like a
//   lone "!";
// - an unmatched line in the first column leaves every mode: the next command is searched
//   from the top level;
// - an indented unmatched line joins the deepest mode (a record whose command has
//   sub-commands: the last record or one of its ancestors) that lies less deep than the
//   line is indented, rather than always the last record's parent;
// - an indented unmatched line right after a top-level unmatched line joins its text, so
//   both are written back together;
// - an indented unmatched line under a top-level command that has no sub-commands becomes
//   that record's footer, written right after it;
// - indented lines before the first command become the header of the first record that
//   generation writes (AttachLeadingLines, after parsing).
#ifndef QUILLSET_TOOLKIT_TOOL_DIALECT_H
#define QUILLSET_TOOLKIT_TOOL_DIALECT_H

#include "toolkit/syntax_layout.h"

#include <quillset/cmdgen.h>

#include <string>
#include <vector>

namespace quillset::toolkit {

bool ToolLineHandler(CString& command);
// Both unknown-command handlers take off the mark MarkLines put on a line (in a MarkedParse).
bool ToolUnknownHandler(char const* command, char const* previousCommand, SyntaxList const& syntaxes, int& position,
                        CDbEntry* record, CDbEntry* lastRecord);
bool PlainUnknownHandler(char const* command, char const* previousCommand, SyntaxList const& syntaxes, int& position,
                         CDbEntry* record, CDbEntry* lastRecord);
void AttachLeadingLines(CDbObject& db, SyntaxList const& syntaxes);

// How the parser will cut a text into commands with `handler` (null: none): the first line
// of each command, and the first line of a command that never ends (an unclosed banner), or 0.
struct CommandScan {
    std::vector<int> firstLines;
    int unfinishedLine = 0;
};
CommandScan ScanCommands(std::string const& text, QuillsetLineHandler handler);

}  // namespace quillset::toolkit

#endif

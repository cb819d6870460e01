// Converter: a generator/parser set up the tool's way, with the checks that keep a user
// from losing lines silently: text after the last line feed is parsed, a command that never
// ends (an unclosed banner) and NUL bytes are failures naming their line, a line that the
// syntax reads but cannot write back is kept as unmatched text, and a syntax file that
// cannot be used is a failure rather than an empty result.
#ifndef QUILLSET_TOOLKIT_CONVERTER_H
#define QUILLSET_TOOLKIT_CONVERTER_H

#include "toolkit/syntax_layout.h"
#include "toolkit/unwritable_lines.h"

#include <quillset/cmdgen.h>

#include <string>
#include <vector>

namespace quillset::toolkit {

struct ConverterOptions {
    std::string syntaxPath;
    bool dialect = true;     // the device dialect, with the tool's handlers
    bool rowPacking = true;  // merge a command into an earlier record whose fields agree
};

class Converter {
public:
    // Throws Failure when the syntax file cannot be opened or has errors (the library has
    // printed them on the standard error stream).
    explicit Converter(ConverterOptions options);

    // Fills `db`, which holds no records yet, with the records of `text`; `source` names the
    // text in failures. Returns the number of commands the text was cut into.
    int Parse(std::string text, CDbObject& db, std::string const& source);
    // The configuration text of `db`; throws Failure naming `source` when generation fails.
    std::string Generate(CDbObject const& db, std::string const& source);

    SyntaxList const& Syntaxes() { return m_gen.GetSyntax(); }
    // The handlers parsing uses, for a host that reads commands the same way.
    QuillsetLineHandler LineHandler() const;
    QuillsetUnknownHandler UnknownHandler() const;
    ConverterOptions const& Options() const { return m_options; }

private:
    void ParseText(std::string const& text, CDbObject& db);
    void ReparseKeepingUnwritableLines(std::string const& text, std::vector<int> const& commandLines, CDbObject& db,
                                       std::string const& source);

    ConverterOptions m_options;
    CCmdGen m_gen;
    AddressFields m_addressFields;
};

}  // namespace quillset::toolkit

#endif

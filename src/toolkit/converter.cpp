// Converter: loading the syntax, installing the handlers, and parsing and generating with
// the checks around them.
#include "toolkit/converter.h"

#include "toolkit/failure.h"
#include "toolkit/tool_dialect.h"

#include <quillset/results.h>

#include <algorithm>

namespace quillset::toolkit {

namespace {

int LineOf(std::string const& text, std::size_t offset)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

}  // namespace

Converter::Converter(ConverterOptions options)
    : m_options(std::move(options)), m_gen(m_options.syntaxPath.c_str(), 64), m_addressFields(m_gen.GetSyntax())
{
    if (m_gen.GetStatus() == QS_CANNOT_OPEN)
        throw Failure(m_options.syntaxPath, 0, "cannot open the syntax file");
    if (m_gen.GetStatus() == QS_BEYOND_LIMIT)
        throw Failure(m_options.syntaxPath, 0, "the syntax file is larger than the size limit");
    if (m_gen.GetStatus() != 0)
        throw Failure(m_options.syntaxPath, 0, "the syntax file has errors (see `quillset check`)");
    m_gen.EnableRowPacking(m_options.rowPacking);
    m_gen.RegisterLineProcessingHandler(LineHandler());
    m_gen.RegisterUnknownCommandHandler(UnknownHandler());
}

QuillsetLineHandler Converter::LineHandler() const { return m_options.dialect ? ToolLineHandler : nullptr; }

QuillsetUnknownHandler Converter::UnknownHandler() const
{
    return m_options.dialect ? ToolUnknownHandler : PlainUnknownHandler;
}

int Converter::Parse(std::string text, CDbObject& db, std::string const& source)
{
    if (std::size_t const nul = text.find('\0'); nul != std::string::npos)
        throw Failure(source, LineOf(text, nul), "binary data (a NUL byte); not a configuration text");
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    CommandScan const scan = ScanCommands(text, LineHandler());
    if (scan.unfinishedLine > 0)
        throw Failure(source, scan.unfinishedLine, "banner never closed: no later line ends with ^C");
    ParseText(text, db);
    if (m_addressFields.AnyUnwritable(db))
        ReparseKeepingUnwritableLines(text, scan.firstLines, db, source);
    return static_cast<int>(scan.firstLines.size());
}

void Converter::ParseText(std::string const& text, CDbObject& db)
{
    m_gen.ParseCommand(CString(text.c_str()), db);
    if (m_options.dialect)
        AttachLeadingLines(db, m_gen.GetSyntax());
}

// Parses `text` again into `db` with the commands whose first line `db` would not write
// back marked, so that they are kept as unmatched text.
void Converter::ReparseKeepingUnwritableLines(std::string const& text, std::vector<int> const& commandLines,
                                              CDbObject& db, std::string const& source)
{
    std::vector<NumberedLine> lost = LinesLost(text, Generate(db, source));
    if (lost.empty())
        return;
    CDbObject fresh(db.GetName());
    db = std::move(fresh);
    {
        MarkedParse const marked;
        ParseText(MarkLines(text, lost, commandLines), db);
    }
    // A definition that matches any text still takes a marked line, mark and all.
    lost = LinesLost(text, Generate(db, source));
    if (!lost.empty())
        throw Failure(source, lost.front().line, "the syntax cannot write this line back: " + lost.front().text);
}

std::string Converter::Generate(CDbObject const& db, std::string const& source)
{
    CString text;
    if (int const result = m_gen.GenerateCommand(db, text); result != 0) {
        int const definition = m_gen.GetErrorLineNumber();
        throw Failure(source, 0,
                      "generation failed (code " + std::to_string(result) + ") at the definition of " +
                          m_gen.GetSyntax()[definition]->GetId());
    }
    return std::string(static_cast<char const*>(text), text.GetLength());
}

}  // namespace quillset::toolkit

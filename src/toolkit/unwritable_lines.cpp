// Finding records with unwritable address fields, and marking and unmarking lines.
#include "toolkit/unwritable_lines.h"

#include "toolkit/symbol_walk.h"

#include <quillset/qstring.h>

#include <set>

namespace quillset::toolkit {

namespace {

// The type number of an address variable.
int const kAddressType = 9;

std::size_t IndentationOf(std::string const& line) { return line.find_first_not_of(" \t"); }

// Whether a MarkedParse lives on this thread.
thread_local bool t_inMarkedParse = false;

}  // namespace

AddressFields::AddressFields(SyntaxList const& syntaxes)
{
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        ForEachVariable(syntaxes[i]->GetRoot(), [&](CSymbolVar& variable) {
            if (variable.GetType() == kAddressType && *variable.GetName() != '%')
                m_byCommand[syntaxes[i]->GetId()].push_back(&variable);
        });
    }
}

bool AddressFields::AnyUnwritable(CDbObject const& db) const
{
    if (m_byCommand.empty())
        return false;
    CString written;
    db.StartEnumeration();
    while (CDbEntry const* record = db.GetNextEntry()) {
        auto const variables = m_byCommand.find(record->GetName());
        if (variables == m_byCommand.end())
            continue;
        for (CSymbolVar* variable : variables->second) {
            if (record->IsExist(variable->GetName()) && variable->Generate(record, written) != 0)
                return true;
        }
    }
    return false;
}

std::string MarkLines(std::string const& text, std::vector<NumberedLine> const& lines,
                      std::vector<int> const& commandLines)
{
    std::set<std::string> marked;
    for (NumberedLine const& line : lines)
        marked.insert(line.text);
    std::string result;
    result.reserve(text.size() + lines.size());
    auto nextCommand = commandLines.begin();
    ForEachLine(text, [&](int number, std::string line) {
        while (nextCommand != commandLines.end() && *nextCommand < number)
            ++nextCommand;
        bool const startsCommand = nextCommand != commandLines.end() && *nextCommand == number;
        std::size_t const indentation = IndentationOf(line);
        if (startsCommand && indentation != std::string::npos &&
            (line[indentation] == kUnmatchedMark ||
             marked.count(line.substr(0, line.find_last_not_of(" \t\r\f\v") + 1)) > 0))
            line.insert(indentation, 1, kUnmatchedMark);
        result += line;
        result += '\n';
    });
    return result;
}

MarkedParse::MarkedParse() { t_inMarkedParse = true; }

MarkedParse::~MarkedParse() { t_inMarkedParse = false; }

std::string Unmarked(char const* command)
{
    std::string text = command;
    std::size_t const indentation = IndentationOf(text);
    if (t_inMarkedParse && indentation != std::string::npos && text[indentation] == kUnmatchedMark)
        text.erase(indentation, 1);
    return text;
}

}  // namespace quillset::toolkit

// The lint checks, run over the compiled syntax list, and the map from definitions to lines.
#include "toolkit/syntax_lint.h"

#include "toolkit/input_file.h"
#include "toolkit/syntax_layout.h"

#include <quillset/cmdgen.h>

#include <algorithm>
#include <cstring>
#include <set>

namespace quillset::toolkit {

namespace {

bool SameText(char const* a, char const* b) { return std::strcmp(a, b) == 0; }

bool StartsWith(std::string const& text, std::size_t at, char const* prefix)
{
    return text.compare(at, std::strlen(prefix), prefix) == 0;
}

class Linter {
public:
    Linter(SyntaxList const& syntaxes, std::vector<int> lines) : m_syntaxes(syntaxes), m_lines(std::move(lines)) {}

    std::vector<LintWarning> Run()
    {
        std::set<std::string> seen;
        for (int i = 0; i < m_syntaxes.GetSize(); ++i) {
            char const* id = m_syntaxes[i]->GetId();
            if (seen.insert(id).second && !SameText(id, QS_UNKNOWN_ID))
                CheckCommand(i);
            CheckMatchesAnyLine(i);
        }
        CheckEnclosingParents();
        std::stable_sort(m_warnings.begin(), m_warnings.end(),
                         [](LintWarning const& a, LintWarning const& b) { return a.line < b.line; });
        return std::move(m_warnings);
    }

private:
    void Warn(int index, std::string text)
    {
        int const line = static_cast<std::size_t>(index) < m_lines.size() ? m_lines[index] : 0;
        m_warnings.push_back({line, std::move(text)});
    }

    std::string Name(int index) const { return std::string("'") + m_syntaxes[index]->GetId() + "'"; }

    // Checks of a command over its group, from its first definition.
    void CheckCommand(int first)
    {
        char const* id = m_syntaxes[first]->GetId();
        if (!HasChildDefinitions(m_syntaxes, id))
            return;
        bool hasUnknownChild = false;
        for (int i = 0; i < m_syntaxes.GetSize(); ++i)
            hasUnknownChild = hasUnknownChild || (SameText(m_syntaxes[i]->GetId(), QS_UNKNOWN_ID) &&
                                                  SameText(m_syntaxes[i]->GetParentId(), id));
        if (!hasUnknownChild)
            Warn(first, Name(first) + " has sub-commands but no _UNKNOWN sub-command: indented lines under it that "
                                      "match nothing are written back only by a generator with an unknown-command "
                                      "handler, after all its sub-commands");
        int const end = EndOfGroup(m_syntaxes, first);
        int childRuns = 0;
        for (int j = first + 1; j < end; ++j) {
            bool const runStarts =
                SameText(m_syntaxes[j]->GetParentId(), id) && SameText(m_syntaxes[j - 1]->GetId(), id);
            if (runStarts && ++childRuns == 2)
                Warn(j - 1, "the definitions of " + Name(first) +
                                " are split around its sub-commands: its unmatched indented lines are written twice");
        }
    }

    void CheckMatchesAnyLine(int index)
    {
        CCmdSyntax const& syntax = *m_syntaxes[index];
        if ((syntax.GetFlags() & 2) == 0 || syntax.GetId()[0] == '_')
            return;
        auto const* variable = dynamic_cast<CSymbolVar const*>(syntax.GetRoot());
        if (variable == nullptr || dynamic_cast<CSymbolVarEnum const*>(variable) != nullptr)
            return;
        static char const* const kNarrowTypes[] = {"u", "d", "i", "x", "ip"};
        char const* type = variable->GetTypeCode() ? variable->GetTypeCode() : "";
        for (char const* narrow : kNarrowTypes) {
            if (SameText(type, narrow))
                return;
        }
        Warn(index, "the syntax of " + Name(index) + " starts with a variable: it matches any line");
    }

    // Walks the top level as generation does; a definition where the walk stops is not
    // enclosed by its parent's group, and generation writes nothing from there on.
    void CheckEnclosingParents()
    {
        int const count = m_syntaxes.GetSize();
        for (int i = 0; i < count;) {
            if (m_syntaxes[i]->GetParentId()[0] == '\0') {
                i = EndOfGroup(m_syntaxes, i);
                continue;
            }
            Warn(i, Name(i) + " is not inside the definitions of its parent '" + m_syntaxes[i]->GetParentId() +
                        "': generation stops here and writes no later top-level command");
            while (i < count && m_syntaxes[i]->GetParentId()[0] != '\0')
                ++i;
        }
    }

    SyntaxList const& m_syntaxes;
    std::vector<int> m_lines;
    std::vector<LintWarning> m_warnings;
};

}  // namespace

std::vector<int> DefinitionLines(std::string const& text)
{
    std::vector<int> lines;
    int number = 0;
    bool continued = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++number;
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        bool const wasContinued = continued;
        continued = !line.empty() && line.back() == '\\';
        if (wasContinued)
            continue;
        std::size_t const first = line.find_first_not_of(" \t");
        if (first == std::string::npos || StartsWith(line, first, "#") || StartsWith(line, first, "//") ||
            StartsWith(line, first, "$")) {
            continued = false;
            continue;
        }
        lines.push_back(number);
    }
    return lines;
}

LintResult LintSyntax(std::string const& path)
{
    LintResult result;
    CCmdGen gen(path.c_str(), 64);
    result.status = gen.GetStatus();
    if (result.status == 4)
        return result;
    std::vector<int> lines = DefinitionLines(ReadInputFile(path));
    if (static_cast<int>(lines.size()) != gen.GetSyntax().GetSize())
        lines.clear();  // a definition with errors was left out: lines cannot be matched up
    result.warnings = Linter(gen.GetSyntax(), std::move(lines)).Run();
    return result;
}

}  // namespace quillset::toolkit

// The round-trip report: counts, timings, lost lines and the reparse comparison.
#include "toolkit/round_trip.h"

#include "toolkit/record_tree.h"

#include <quillset/cmdgen.h>

#include <algorithm>
#include <chrono>
#include <map>

namespace quillset::toolkit {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Calls `visit(number, line)` for every line, without its line end.
template <class Visit>
void ForEachLine(std::string const& text, Visit visit)
{
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        visit(++number, text.substr(start, end - start));
        start = end + 1;
    }
}

// The line with trailing white space removed, or empty when it carries nothing.
std::string Meaningful(std::string line)
{
    line.erase(line.find_last_not_of(" \t\r\f\v") + 1);
    std::size_t const first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line.compare(first, std::string::npos, "!") == 0)
        return {};
    return line;
}

int CountLines(std::string const& text)
{
    int count = 0;
    ForEachLine(text, [&](int, std::string const&) { ++count; });
    return count;
}

int UnknownLines(RecordTree const& tree)
{
    int count = 0;
    for (RecordNode const& node : tree) {
        for (auto const& [field, value] : node.fields) {
            if (node.name == QS_UNKNOWN_ID && field == QS_UNKNOWN_TEXT)
                count += CountLines(value);
        }
        count += node.header ? CountLines(*node.header) : 0;
        count += node.footer ? CountLines(*node.footer) : 0;
        count += UnknownLines(node.children);
    }
    return count;
}

}  // namespace

std::vector<NumberedLine> LinesLost(std::string const& before, std::string const& after)
{
    std::vector<NumberedLine> lines;
    std::map<std::string, int> missing;  // occurrences in `before` less those in `after`
    ForEachLine(before, [&](int number, std::string const& line) {
        if (std::string text = Meaningful(line); !text.empty()) {
            ++missing[text];
            lines.push_back({number, std::move(text)});
        }
    });
    ForEachLine(after, [&](int, std::string const& line) {
        if (auto found = missing.find(Meaningful(line)); found != missing.end())
            --found->second;
    });
    // Walking backwards reports the last occurrences of a line that comes back fewer times.
    std::vector<NumberedLine> lost;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (int& count = missing[line->text]; count > 0) {
            --count;
            lost.push_back(*line);
        }
    }
    std::reverse(lost.begin(), lost.end());
    return lost;
}

RoundTripReport RunRoundTrip(Converter& converter, std::string const& text, std::string const& source)
{
    RoundTripReport report;
    report.lines = CountLines(text);

    CDbObject parsed;
    Clock::time_point start = Clock::now();
    report.commands = converter.Parse(text, parsed, source);
    report.parseSeconds = SecondsSince(start);

    start = Clock::now();
    std::string const generated = converter.Generate(parsed, source);
    report.generateSeconds = SecondsSince(start);

    RecordTree const tree = BuildTree(parsed, converter.Syntaxes());
    report.records = parsed.GetEntryCount();
    report.unknownLines = UnknownLines(tree);
    report.matchedCommands = std::max(0, report.commands - report.unknownLines);
    report.lost = LinesLost(text, generated);

    CDbObject reparsed;
    converter.Parse(generated, reparsed, source + " (generated)");
    report.reparsesEqual = BuildTree(reparsed, converter.Syntaxes()) == tree;
    return report;
}

}  // namespace quillset::toolkit

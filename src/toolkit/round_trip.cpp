// The round-trip report: counts, timings, lost lines and the reparse comparison.
#include "toolkit/round_trip.h"

#include "toolkit/record_tree.h"

#include <quillset/cmdgen.h>

#include <algorithm>
#include <chrono>

namespace quillset::toolkit {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

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

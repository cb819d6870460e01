// Lines of one text that another lacks, counted as multisets.
#include "toolkit/lost_lines.h"

#include <algorithm>
#include <map>

namespace quillset::toolkit {

namespace {

// The line with trailing white space removed, or empty when it carries nothing.
std::string Meaningful(std::string line)
{
    line.erase(line.find_last_not_of(" \t\r\f\v") + 1);
    std::size_t const first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line.compare(first, std::string::npos, "!") == 0)
        return {};
    return line;
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

}  // namespace quillset::toolkit

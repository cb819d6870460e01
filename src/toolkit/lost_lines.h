// Comparing two configuration texts line by line, as multisets: which lines of one the other
// lacks. The round-trip report and the converter's guard against lost lines share it.
#ifndef QUILLSET_TOOLKIT_LOST_LINES_H
#define QUILLSET_TOOLKIT_LOST_LINES_H

#include <string>
#include <vector>

namespace quillset::toolkit {

struct NumberedLine {
    int line;
    std::string text;
};

// Calls `visit(number, line)` for every line of `text`, without its line feed.
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

// The lines of `before` that `after` lacks, compared as multisets with trailing white space
// and carriage returns ignored; empty lines and lone "!" lines carry nothing and are not
// compared. Each lost line is reported at its last occurrences in `before`.
std::vector<NumberedLine> LinesLost(std::string const& before, std::string const& after);

}  // namespace quillset::toolkit

#endif

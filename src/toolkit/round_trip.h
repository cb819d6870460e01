// The round-trip report of one configuration: parse it, generate it back, compare the
// lines, parse the output again and compare the stores. It tells a user whether the tool
// can be trusted with that file, and which lines it would lose.
#ifndef QUILLSET_TOOLKIT_ROUND_TRIP_H
#define QUILLSET_TOOLKIT_ROUND_TRIP_H

#include "toolkit/converter.h"

#include <string>
#include <vector>

namespace quillset::toolkit {

struct NumberedLine {
    int line;
    std::string text;
};

struct RoundTripReport {
    int lines = 0;
    int commands = 0;
    int matchedCommands = 0;  // commands less the lines kept as unmatched text
    int unknownLines = 0;     // lines kept as unmatched text, headers or footers
    int records = 0;
    double parseSeconds = 0;
    double generateSeconds = 0;
    std::vector<NumberedLine> lost;
    bool reparsesEqual = false;

    bool Kept() const { return lost.empty() && reparsesEqual; }
};

RoundTripReport RunRoundTrip(Converter& converter, std::string const& text, std::string const& source);

// The lines of `before` that `after` lacks, compared as multisets with trailing white space
// and carriage returns ignored; empty lines and lone "!" lines carry nothing and are not
// compared. Each lost line is reported at its last occurrences in `before`.
std::vector<NumberedLine> LinesLost(std::string const& before, std::string const& after);

}  // namespace quillset::toolkit

#endif

// The round-trip report of one configuration: parse it, generate it back, compare the
// lines, parse the output again and compare the stores. It tells a user whether the tool
// can be trusted with that file, and which lines it would lose.
#ifndef QUILLSET_TOOLKIT_ROUND_TRIP_H
#define QUILLSET_TOOLKIT_ROUND_TRIP_H

#include "toolkit/converter.h"
#include "toolkit/lost_lines.h"

#include <string>
#include <vector>

namespace quillset::toolkit {

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

}  // namespace quillset::toolkit

#endif

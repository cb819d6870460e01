// Fuzz target: a configuration run through the tool's round trip with the bundled syntax,
// in dialect mode (the tool's handlers) and in plain mode, without row packing (which
// merges agreeing commands into one record by design).
// Properties: every line that carries something comes back in the generated text; in
// dialect mode the generated text parses to the same records as the configuration. Plain
// mode writes unmatched lines at the end of the configuration, where they may match in
// their new context, so there the generated text must be a fixed point: once generated,
// parsing and generating again change nothing. Inputs the tool refuses (an unclosed banner,
// a line past the longest length) are skipped.
#include "toolkit/failure.h"
#include "toolkit/round_trip.h"

#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using quillset::toolkit::Converter;

void CheckRoundTrip(Converter& converter, std::string const& configuration)
{
    quillset::toolkit::RoundTripReport report;
    std::string generated;
    try {
        report = quillset::toolkit::RunRoundTrip(converter, configuration, "input");
        CDbObject db;
        converter.Parse(configuration, db, "input");
        generated = converter.Generate(db, "input");
    } catch (quillset::toolkit::Failure const&) {
        return;
    }
    std::string lost;
    for (quillset::toolkit::NumberedLine const& line : report.lost)
        lost += std::to_string(line.line) + ": " + line.text + "\n";
    quillset::fuzz::Check(report.lost.empty(), "every line comes back", lost);
    if (converter.Options().dialect) {
        quillset::fuzz::Check(report.reparsesEqual, "the generated text parses to the same records");
        return;
    }
    quillset::toolkit::RoundTripReport const again = quillset::toolkit::RunRoundTrip(converter, generated, "generated");
    quillset::fuzz::Check(again.Kept(), "the generated text is a fixed point of the round trip", generated);
}

Converter MakeConverter(bool dialect)
{
    return Converter({QUILLSET_SYNTAXES_DIR "/zyn.syntax", dialect, false});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static Converter dialect = MakeConverter(true);
    static Converter plain = MakeConverter(false);
    std::string const configuration(reinterpret_cast<char const*>(data), size);
    CheckRoundTrip(dialect, configuration);
    CheckRoundTrip(plain, configuration);
    return 0;
}

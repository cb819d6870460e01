// Fuzz target: a configuration, parsed with the bundled syntax in dialect mode and in plain
// mode (unmatched lines kept by the default handler), without row packing, generated, and
// parsed again.
// Properties: every line that carries something comes back in the generated text, and once
// generated, parsing and generating again give the same records, fields and parent links.
#include <quillset/quillset.h>

#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// The store as sorted lines, each a record with the chain of its parents: equal stores
// give equal texts whatever order their records were added in.
std::string Canonical(CDbObject const& db)
{
    std::multiset<std::string> lines;
    CString line;
    db.StartEnumeration();
    while (CDbEntry* record = db.GetNextEntry()) {
        std::string path;
        for (CDbEntry const* r = record; r != nullptr; r = r->GetParent())
            path = std::string(r->GetEntry(line)) + " / " + path;
        lines.insert(path);
    }
    std::string text;
    for (std::string const& l : lines)
        text += l + "\n";
    return text;
}

// The part of the configuration the parser reads: a command still open at the end of the
// text (a banner never closed) is dropped by design, with every line from its first.
std::string CompleteCommands(std::string const& configuration, QuillsetLineHandler handler)
{
    std::size_t start = 0;
    std::size_t commandStart = 0;
    CString command;
    while (start < configuration.size()) {
        std::size_t const end = configuration.find('\n', start);
        command += configuration.substr(start, end + 1 - start).c_str();
        start = end + 1;
        if (handler != nullptr && !handler(command))
            continue;
        command.Empty();
        commandStart = start;
    }
    return configuration.substr(0, command.IsEmpty() ? configuration.size() : commandStart);
}

void RoundTrip(CCmdGen& gen, std::string const& configuration, QuillsetLineHandler handler)
{
    CDbObject first;
    gen.ParseCommand(configuration.c_str(), first);
    CString generated;
    quillset::fuzz::Check(gen.GenerateCommand(first, generated) == 0, "generation succeeds");
    std::string const text(generated);
    std::vector<std::string> const after = quillset::fuzz::CarryingLines(text);
    for (std::string const& line : quillset::fuzz::CarryingLines(CompleteCommands(configuration, handler))) {
        quillset::fuzz::Check(std::binary_search(after.begin(), after.end(), line), "every line comes back",
                              line + "\n--- generated:\n" + text);
    }
    // An unmatched line is written back at the end of its level, where it may then match
    // in its new context: generation settles after one round, and from there on parsing
    // and generating change nothing.
    CDbObject second;
    gen.ParseCommand(generated, second);
    CString regenerated;
    quillset::fuzz::Check(gen.GenerateCommand(second, regenerated) == 0, "generation succeeds again");
    CDbObject third;
    gen.ParseCommand(regenerated, third);
    quillset::fuzz::Check(Canonical(second) == Canonical(third), "parsing generated text again gives the same records",
                          Canonical(second) + "--- again:\n" + Canonical(third));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static CCmdGen dialect(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 0);
    static CCmdGen plain(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 0);
    static bool const ready = [] {
        // Row packing merges a command into an earlier record whose fields do not
        // contradict it, so " shutdown" after " no shutdown" merges away by design: the
        // round trip is checked without it.
        dialect.EnableRowPacking(false);
        plain.EnableRowPacking(false);
        SetZynMode(&dialect);
        plain.RegisterUnknownCommandHandler(QuillsetHandleUnknown);
        return dialect.GetStatus() == 0 && plain.GetStatus() == 0;
    }();
    quillset::fuzz::Check(ready, "the bundled syntax loads");
    // Lines hold no NUL (files lose them on reading); the text ends with a line feed.
    std::string configuration(reinterpret_cast<char const*>(data), size);
    configuration.erase(std::remove(configuration.begin(), configuration.end(), '\0'), configuration.end());
    if (configuration.empty() || configuration.back() != '\n')
        configuration += '\n';
    RoundTrip(dialect, configuration, DialectLineHandler);
    RoundTrip(plain, configuration, nullptr);
    return 0;
}

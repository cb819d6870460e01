// Fuzz target: a configuration, parsed with the bundled syntax in dialect mode and in plain
// mode (unmatched lines kept by the default handler), generated, and parsed again.
// Properties: every line that carries something comes back in the generated text, and the
// second parse gives the same records, fields and parent links as the first.
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

void RoundTrip(CCmdGen& gen, std::string const& configuration)
{
    CDbObject first;
    gen.ParseCommand(configuration.c_str(), first);
    CString generated;
    quillset::fuzz::Check(gen.GenerateCommand(first, generated) == 0, "generation succeeds");
    std::string const text(generated);
    std::vector<std::string> const after = quillset::fuzz::CarryingLines(text);
    for (std::string const& line : quillset::fuzz::CarryingLines(configuration)) {
        quillset::fuzz::Check(std::binary_search(after.begin(), after.end(), line), "every line comes back",
                              line + "\n--- generated:\n" + text);
    }
    CDbObject second;
    gen.ParseCommand(generated, second);
    quillset::fuzz::Check(Canonical(first) == Canonical(second), "the second parse gives the same records",
                          Canonical(first) + "--- second:\n" + Canonical(second));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static CCmdGen dialect(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 0);
    static CCmdGen plain(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 0);
    static bool const ready = [] {
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
    RoundTrip(dialect, configuration);
    RoundTrip(plain, configuration);
    return 0;
}

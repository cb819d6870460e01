// The main job of Quillset, as a host program: parse a device configuration with a syntax
// file, show the records it became, write the configuration back and report whether every
// line came back.
//
//   round_trip [syntax-file [configuration [output-file]]]
//
// Without arguments it uses the bundled dialect syntax and example configuration. The exit
// status is 0 when every line came back, 1 when some did not, 2 when a file cannot be used.
#include <quillset/quillset.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

void PrintRecord(CDbEntry const& record, int depth)
{
    CString line;
    std::printf("%*s%s\n", depth * 2, "", static_cast<char const*>(record.GetEntry(line)));
    for (int i = 0; i < record.GetChildCount(); ++i) {
        if (CDbEntry const* child = record.GetChild(i))
            PrintRecord(*child, depth + 1);
    }
}

void PrintRecords(CDbObject const& db)
{
    db.StartEnumeration();
    while (CDbEntry const* record = db.GetNextEntry()) {
        if (record->GetParent() == nullptr)
            PrintRecord(*record, 0);
    }
}

// The lines that carry something, sorted: lone "!" lines and line ends carry nothing.
std::vector<std::string> MeaningfulLines(std::string const& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t!") != std::string::npos)
            lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Prints the lines of the configuration that the generated text lacks; returns their count.
int ReportRoundTrip(std::string const& configuration, std::string const& generated)
{
    std::vector<std::string> const before = MeaningfulLines(configuration);
    std::vector<std::string> const after = MeaningfulLines(generated);
    std::vector<std::string> missing;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(missing));
    for (std::string const& line : missing)
        std::printf("not written back: %s\n", line.c_str());
    std::printf("round trip: %zu of %zu lines written back\n", before.size() - missing.size(), before.size());
    return static_cast<int>(missing.size());
}

}  // namespace

int main(int argc, char** argv)
{
    char const* syntaxPath = argc > 1 ? argv[1] : QUILLSET_SYNTAXES_DIR "/zyn.syntax";
    char const* configPath = argc > 2 ? argv[2] : QUILLSET_EXAMPLES_DIR "/router.cfg";
    char const* outputPath = argc > 3 ? argv[3] : nullptr;

    CCmdGen gen(syntaxPath, 64);
    if (gen.GetStatus() == 4) {
        std::fprintf(stderr, "%s: cannot open the syntax file\n", syntaxPath);
        return 2;
    }
    SetZynMode(&gen);

    CDbObject db;
    if (gen.ParseCommandFile(configPath, db) != 0) {
        std::fprintf(stderr, "%s: cannot read the configuration\n", configPath);
        return 2;
    }
    std::ifstream in(configPath, std::ios::binary);
    std::ostringstream configuration;
    configuration << in.rdbuf();
    std::printf("== %d records from %s\n", db.GetEntryCount(), configPath);
    PrintRecords(db);

    CString text;
    if (int const result = gen.GenerateCommand(db, text); result != 0) {
        std::fprintf(stderr, "generation failed with %d at syntax %d\n", result, gen.GetErrorLineNumber());
        return 2;
    }
    if (outputPath != nullptr && gen.GenerateCommandFile(db, outputPath) != 0) {
        std::fprintf(stderr, "%s: cannot write the configuration\n", outputPath);
        return 2;
    }
    std::printf("== configuration written back\n%s", static_cast<char const*>(text));
    return ReportRoundTrip(configuration.str(), std::string(text)) == 0 ? 0 : 1;
}

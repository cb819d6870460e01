// The tool's dialect handling on the bundled syntax over random mixtures of real
// configuration pieces (skipped without the corpus): generating, parsing and generating
// again gives the same text and records, so no line moves on a second round trip.
#include "toolkit_fixture.h"

#include "toolkit/converter.h"
#include "toolkit/failure.h"
#include "toolkit/input_file.h"
#include "toolkit/record_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace {

using namespace quillset::toolkit;

std::vector<std::string> CorpusLines()
{
    std::vector<std::string> lines;
    for (std::string const& file : quillset::test::CorpusFiles(QUILLSET_CORPUS_DIR)) {
        std::istringstream in(ReadInputFile(file));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    return lines;
}

// Whether some definition of the command writes lines (the syntax may mark a command as
// read, never written).
bool IsWritten(std::string const& name, SyntaxList const& syntaxes)
{
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        if (name == syntaxes[i]->GetId() && (syntaxes[i]->GetFlags() & 1) != 0)
            return true;
    }
    return name == QS_UNKNOWN_ID;
}

// The tree without the records of commands that are never written.
RecordTree Written(RecordTree tree, SyntaxList const& syntaxes)
{
    tree.erase(std::remove_if(tree.begin(), tree.end(),
                              [&](RecordNode const& node) { return !IsWritten(node.name, syntaxes); }),
               tree.end());
    for (RecordNode& node : tree)
        node.children = Written(std::move(node.children), syntaxes);
    return tree;
}

// Whether a line kept as unmatched text matches some definition elsewhere. Generation
// writes unmatched lines at the end of their level, where such a line can match that
// definition when parsed again: those mixtures are outside what the dialect can keep.
bool HasUnmatchedLineThatMatches(RecordTree const& tree, SyntaxList const& syntaxes)
{
    for (RecordNode const& node : tree) {
        for (auto const& [field, text] : node.fields) {
            if (node.name != QS_UNKNOWN_ID || field != QS_UNKNOWN_TEXT)
                continue;
            std::istringstream lines(text);
            for (std::string line; std::getline(lines, line);) {
                for (int i = 0; i < syntaxes.GetSize(); ++i) {
                    CDbEntry scratch;
                    if (syntaxes[i]->Parse(line.c_str(), &scratch) == 0)
                        return true;
                }
            }
        }
        if (HasUnmatchedLineThatMatches(node.children, syntaxes))
            return true;
    }
    return false;
}

// Runs of consecutive corpus lines from random places, so modes and their lines mix.
std::string RandomMixture(std::vector<std::string> const& lines, std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> start(0, lines.size() - 1);
    std::uniform_int_distribution<int> runs(1, 8), length(1, 12);
    std::string text;
    for (int run = runs(random); run > 0; --run) {
        std::size_t const first = start(random);
        for (std::size_t i = first; i < std::min(lines.size(), first + length(random)); ++i)
            text += lines[i] + "\n";
    }
    return text;
}

// With row packing on, merged duplicate lines are lost (and reported) and the merged record
// may hold its fields in another order, so the records are compared without packing.
void ExpectSecondRoundTripChangesNothing(bool packing)
{
    std::vector<std::string> const lines = CorpusLines();
    if (lines.empty())
        GTEST_SKIP() << "no corpus at " QUILLSET_CORPUS_DIR;
    ConverterOptions options;
    options.syntaxPath = QUILLSET_SYNTAXES_DIR "/zyn.syntax";
    options.rowPacking = packing;
    Converter converter(options);
    std::mt19937 random(packing ? 2026 : 2027);
    int checked = 0;
    for (int iteration = 0; iteration < 1000; ++iteration) {
        std::string const text = RandomMixture(lines, random);
        CDbObject first;
        try {
            converter.Parse(text, first, "mixture");
        } catch (Failure const&) {
            continue;  // a banner cut off by the mixture
        }
        if (HasUnmatchedLineThatMatches(BuildTree(first, converter.Syntaxes()), converter.Syntaxes()))
            continue;
        ++checked;
        std::string const once = converter.Generate(first, "once");
        CDbObject second;
        converter.Parse(once, second, "once");
        ASSERT_EQ(converter.Generate(second, "twice"), once) << text;
        if (!packing) {
            ASSERT_EQ(quillset::test::Outline(Written(BuildTree(first, converter.Syntaxes()), converter.Syntaxes())),
                      quillset::test::Outline(BuildTree(second, converter.Syntaxes())))
                << text;
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(CorpusProperty, SecondRoundTripChangesNothing) { ExpectSecondRoundTripChangesNothing(true); }

TEST(CorpusProperty, RecordsSurviveTheRoundTripWithoutPacking) { ExpectSecondRoundTripChangesNothing(false); }

}  // namespace

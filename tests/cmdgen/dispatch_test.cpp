// The parser's dispatch index against the full block search: over random syntax files
// (odd nesting, literals with and without a keyword, leading variables and optional parts,
// syntaxes that never parse) and random commands, the index must find the syntax that
// trying every syntax of the block in order finds, from every parse position.
#include <quillset/cmdgen.h>

#include "cmdgen/command_set.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using quillset::test::TempFile;

TEST(CommandDispatch, FindsWhatTheFullBlockSearchFinds)
{
    std::mt19937 random(7);
    auto pick = [&](int range) { return static_cast<int>(random() % range); };
    char const* const forms[] = {"k%d %%v", " k%d %%v", "  k%d", "[no ]k%d", "%%v k%d", "k%d%%{v}x",
                                 "k%d", " ", "{k%d|m%d} %%v", "k%d m%d"};
    char const* const commands[] = {"k1 a", " k1 a", "  k2", "no k3", "k3", "x k1", "k4zx", "k4",
                                    "m2 a", "k0 m0", "k0 m0 ", " ", "zz", "k1", " k2 a b"};
    int covered = 0, found = 0;
    for (int file = 0; file < 200; ++file) {
        std::string parents[8];
        for (int id = 0; id < 8; ++id)
            parents[id] = pick(2) ? "" : "C" + std::to_string(pick(8));
        std::string text;
        for (int line = 0; line < 6 + pick(30); ++line) {
            int const id = pick(8);
            char syntax[64];
            std::snprintf(syntax, sizeof syntax, forms[pick(10)], pick(5), pick(3));
            text += (pick(8) ? "C" : "_C") + std::to_string(id) + "," + parents[id] + "," + syntax + "\n";
        }
        TempFile syntaxFile(text);
        CCmdGen gen(syntaxFile.Path(), 0);
        CDynArray<CCmdSyntax*> const& syntaxes = gen.GetSyntax();
        CCommandSet const blocks(syntaxes);
        CDbEntry record;
        for (char const* command : commands) {
            auto const matches = [&](int index) { return syntaxes[index]->Parse(command, &record) == 0; };
            for (int position = 0; position < syntaxes.GetSize(); ++position) {
                int first, end;
                blocks.FindBlock(position, first, end);
                if (first >= end || !blocks.Dispatch().Covers(position))
                    continue;
                int const expected = blocks.SearchInOrder(position, first, end, matches);
                ASSERT_EQ(blocks.Dispatch().Search(position, command, matches), expected)
                    << text << "command '" << command << "' from " << position;
                ++covered;
                found += expected >= 0;
            }
        }
    }
    EXPECT_GT(covered, 5000);
    EXPECT_GT(found, 500);
}

}  // namespace

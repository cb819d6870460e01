// The parser's dispatch index against the full block search: over random syntax files
// (odd nesting, literals with and without a keyword, leading variables, word lists, groups
// and optional parts, syntaxes that never parse) and random commands, the index must find
// the syntax that trying every syntax of the block in order finds, from every parse
// position; every real configuration parses to the same store either way; and a record
// reused from try to try ends as a fresh one would.
#include <quillset/quillset.h>

#include "cmdgen/command_set.h"
#include "cmdgen/parse_switches.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using quillset::test::TempFile;

TEST(CommandDispatch, FindsWhatTheFullBlockSearchFinds)
{
    std::mt19937 random(7);
    auto pick = [&](int range) { return static_cast<int>(random() % range); };
    char const* const forms[] = {"k%d %%v", " k%d %%v", "  k%d", "[no ]k%d", "%%v k%d", "k%d%%{v}x", "k%d",
                                 " ", "{k%d|m%d} %%v", "k%d m%d", "[{%%n(no=1)} ]k%d", "[%%n(no=1) ]{k%d|m%d x}",
                                 "%%w(k%d,@m%d=4) %%v", "%%w(k%d,m%d)", "[ ]k%d m%d", "{[no ]k%d|%%v x} m%d",
                                 "[%%d( =1,  =2)]k%d", "{k%d|m%d}[ x] y", "%%w(k%d, m%d)x", "{k%d |m%d}x"};
    char const* const commands[] = {"k1 a",  " k1 a", "  k2",   "no k3",  "k3",    "x k1",   "k4zx",  "k4",
                                    "m2 a",  "k0 m0", "k0 m0 ", " ",      "zz",    "k1",     " k2 a b", "no k1 a",
                                    "no m2", "m1 x",  "m1",     " m0 m0", "k0 x y", "k2 y",  "k1 x",  "  k3",
                                    "m2x",   "k1 ",   "m1 x y", "no  k2", "k0 m1"};
    int covered = 0, found = 0;
    for (int file = 0; file < 200; ++file) {
        std::string parents[8];
        for (int id = 0; id < 8; ++id)
            parents[id] = pick(2) ? "" : "C" + std::to_string(pick(8));
        std::string text;
        for (int line = 0; line < 6 + pick(30); ++line) {
            int const id = pick(8);
            char syntax[64];
            std::snprintf(syntax, sizeof syntax, forms[pick(static_cast<int>(std::size(forms)))], pick(5), pick(3));
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

TEST(CommandDispatch, ParsesEveryConfigurationAsTheFullSearchDoes)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (auto const& entry : std::filesystem::directory_iterator(QUILLSET_CORPUS_DIR, error)) {
        if (entry.path().extension() == ".cfg")
            files.push_back(entry.path());
    }
    if (files.empty())
        GTEST_SKIP() << "no device configurations at " << QUILLSET_CORPUS_DIR;
    CCmdGen gen(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 512);
    SetZynMode(&gen);
    auto const storeText = [&](std::string const& config, bool indexed) {
        quillset::detail::ParseSwitches::UseDispatchIndex(gen, indexed);
        CDbObject db;
        gen.ParseCommand(config.c_str(), db);
        TempFile store("");
        EXPECT_EQ(gen.GenerateDelimitedFile(db, store.Path()), 0);
        return quillset::test::ReadFile(store.Path());
    };
    for (auto const& file : files) {
        std::string const config = quillset::test::ReadFile(file.string());
        std::string const indexed = storeText(config, true);
        EXPECT_GT(indexed.size(), config.size() / 2) << file;
        EXPECT_TRUE(indexed == storeText(config, false)) << file;
    }
}

// The parser reuses one record for every definition it tries on a command and clears it
// only when a try left something in it: each try must end as it would on a fresh record.
TEST(CommandDispatch, ReusedRecordEndsAsAFreshOne)
{
    CCmdGen gen(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 512);
    CDynArray<CCmdSyntax*> const& syntaxes = gen.GetSyntax();
    char const* const commands[] = {"no shutdown", " no shutdown", "interface Vlan1", " ip address 10.0.0.1 255.255.255.0",
                                    "hostname r1", "no ip domain-lookup", "", "   ", "zz top"};
    CDbEntry reused;
    for (char const* command : commands) {
        for (int index = 0; index < syntaxes.GetSize(); ++index) {
            CDbEntry fresh;
            int const expected = syntaxes[index]->Parse(command, &fresh);
            ASSERT_EQ(syntaxes[index]->Parse(command, &reused), expected) << command << " on " << index;
            ASSERT_STREQ(reused.GetEntry(), fresh.GetEntry()) << command << " on " << index;
            ASSERT_STREQ(reused.GetName(), fresh.GetName());
        }
    }
}

}  // namespace

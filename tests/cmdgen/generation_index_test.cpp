// Generation's level index against the plain walk: over random syntax trees (a command
// repeated at its level, its definitions split around its children, "_UNKNOWN" at some
// levels) and random stores (records under the parent their command expects or another,
// moved, deleted), generating with the index must give the plain walk's text, result and
// selected record.
#include <quillset/quillset.h>

#include "cmdgen/parse_switches.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using quillset::test::TempFile;

class RandomCase {
public:
    explicit RandomCase(unsigned seed) : m_random(seed) {}

    int Pick(int range) { return static_cast<int>(m_random() % range); }

    // Definitions of up to three commands under `parent`, nested two levels deep.
    void AddLevel(std::string const& parent, int depth)
    {
        for (int n = 1 + Pick(5); n > 0; --n) {
            std::string const id = parent + "c" + std::to_string(Pick(3));
            m_parentOf[id] = parent;
            std::string const indent(depth, ' ');
            syntax += id + "," + parent + "," + indent + "k" + id + (Pick(2) ? " %v" : "[ %v]") + "\n";
            if (depth < 2 && Pick(2))
                AddLevel(id, depth + 1);
            if (Pick(4) == 0)
                syntax += id + "," + parent + "," + indent + "again" + id + "[ %v]\n";
        }
        if (Pick(3) == 0)
            syntax += "_UNKNOWN," + parent + ",%{*_Text}\n";
    }

    void FillStore(CDbObject& db)
    {
        std::vector<std::string> ids;
        for (auto const& [id, parent] : m_parentOf)
            ids.push_back(id);
        ids.push_back("_UNKNOWN");
        std::vector<CDbEntry*> records;
        for (int n = 0; n < 60; ++n) {
            std::string const& id = ids[Pick(static_cast<int>(ids.size()))];
            CDbEntry* parent = records.empty() || Pick(4) == 0 ? nullptr : records[Pick(static_cast<int>(records.size()))];
            for (CDbEntry* candidate : records) {
                if (Pick(3) != 0 && m_parentOf[id] == candidate->GetName())
                    parent = candidate;
            }
            std::string const value = std::to_string(Pick(3));
            records.push_back(db.Create(id.c_str(), parent, id == "_UNKNOWN" ? "_Text" : "v", value.c_str(), nullptr));
            if (Pick(10) == 0)
                records[Pick(static_cast<int>(records.size()))]->SetParent(parent);
            if (Pick(15) == 0) {
                db.Delete(records.back(), Pick(2) == 0);
                records.clear();  // a cascade may have taken others with it
            }
        }
    }

    std::string syntax;

private:
    std::mt19937 m_random;
    std::map<std::string, std::string> m_parentOf;
};

TEST(GenerationIndex, WritesWhatThePlainWalkWrites)
{
    int nested = 0;
    for (unsigned seed = 0; seed < 300; ++seed) {
        RandomCase random(seed);
        random.AddLevel("", 0);
        TempFile syntaxFile(random.syntax);
        CCmdGen gen(syntaxFile.Path(), 0);
        gen.RegisterUnknownCommandHandler(seed % 2 ? QuillsetHandleUnknown : nullptr);
        gen.EnableCmdOptional(seed % 3 != 0);
        CDbObject db;
        random.FillStore(db);
        CString indexed, plain;
        quillset::detail::ParseSwitches::UseGenerationIndex(gen, true);
        int const indexedResult = gen.GenerateCommand(db, indexed);
        CDbEntry const* const indexedSelection = db.GetSelected();
        quillset::detail::ParseSwitches::UseGenerationIndex(gen, false);
        ASSERT_EQ(gen.GenerateCommand(db, plain), indexedResult) << random.syntax;
        ASSERT_STREQ(indexed, plain) << random.syntax;
        ASSERT_EQ(db.GetSelected(), indexedSelection) << random.syntax;
        nested += std::string(indexed).find("\n k") != std::string::npos;
    }
    EXPECT_GT(nested, 100);
}

}  // namespace

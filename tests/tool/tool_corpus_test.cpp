// Properties of the tool over the real device configurations (skipped without them): the
// round trip reports every file, its output is a fixed point, and the JSON form parses
// with a standard parser and converts back to the same configuration.
#include "tool_runner.h"

#include <nlohmann/json.hpp>

namespace {

using quillset::test::ToolResult;

class ToolCorpus : public quillset::test::ToolTest {
protected:
    void SetUp() override
    {
        files = quillset::test::CorpusFiles(QUILLSET_CORPUS_DIR);
        if (files.empty())
            GTEST_SKIP() << "no corpus at " QUILLSET_CORPUS_DIR;
    }
    std::vector<std::string> files;
};

TEST_F(ToolCorpus, RoundTripReportsEveryFile)
{
    std::vector<std::string> arguments{"roundtrip", "--format", "json"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    ToolResult const result = Run(arguments);
    EXPECT_EQ(result.err, "");
    auto const reports = nlohmann::json::parse(result.out);
    ASSERT_EQ(reports.size(), files.size());
    bool allKept = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(reports[i]["file"], files[i]);
        EXPECT_GT(reports[i]["lines"], 0);
        EXPECT_EQ(reports[i]["kept"], reports[i]["lost"].empty() && reports[i]["reparses_equal"] == true);
        allKept = allKept && reports[i]["kept"] == true;
    }
    EXPECT_EQ(result.status, allKept ? 0 : 1);
}

TEST_F(ToolCorpus, GeneratedTextIsAFixedPointAndJsonConvertsBack)
{
    for (std::string const& file : files) {
        ASSERT_EQ(Run({"parse", file, "-o", "store"}).status, 0) << file;
        ASSERT_EQ(Run({"generate", "store", "-o", "once.cfg"}).status, 0) << file;
        ASSERT_EQ(Run({"parse", file, "--format", "json", "-o", "store.json"}).status, 0) << file;
        nlohmann::json document;
        EXPECT_NO_THROW(document = nlohmann::json::parse(Read("store.json"))) << file;
        EXPECT_EQ(document["source"], file);
        ASSERT_EQ(Run({"generate", "store.json", "-o", "from_json.cfg"}).status, 0) << file;
        EXPECT_EQ(Read("from_json.cfg"), Read("once.cfg")) << file;
        ASSERT_EQ(Run({"parse", "once.cfg", "-o", "store"}).status, 0) << file;
        ASSERT_EQ(Run({"generate", "store", "-o", "twice.cfg"}).status, 0) << file;
        EXPECT_EQ(Read("twice.cfg"), Read("once.cfg")) << file;
    }
}

}  // namespace

// quillset parse over a fleet: folders searched recursively, files parsed on several
// threads, each giving what one thread gives, and a bad file reported without stopping
// the others.
#include "tool_runner.h"

#include <filesystem>

namespace {

using quillset::test::ToolResult;

class ToolFleet : public quillset::test::SmallSyntaxToolTest {
protected:
    ToolFleet() : SmallSyntaxToolTest({})
    {
        std::filesystem::create_directories(Path("fleet/site"));
        for (int i = 0; i < 24; ++i) {
            std::string const name = (i % 3 == 0 ? "fleet/site/d" : "fleet/d") + std::to_string(i) + ".cfg";
            Write(name, "hostname h" + std::to_string(i) + "\ninterface e" + std::to_string(i) + "\n speed " +
                            std::to_string(i * 10) + "\n odd " + std::to_string(i) + "\n");
        }
    }
};

TEST_F(ToolFleet, ThreadsWriteWhatOneThreadWrites)
{
    ToolResult const one = Run({"parse", "-s", "s.syntax", "-j", "1", "fleet", "--format", "jsonl"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 24);
    EXPECT_LT(one.out.find("\"fleet/d1.cfg\""), one.out.find("\"fleet/site/d0.cfg\""));  // sorted paths
    for (char const* jobs : {"0", "3", "64"}) {
        ToolResult const many = Run({"parse", "-s", "s.syntax", "-j", jobs, "fleet", "--format", "jsonl"});
        EXPECT_EQ(many.status, 0) << many.err;
        EXPECT_EQ(many.out, one.out) << jobs;
    }
    ASSERT_EQ(Run({"parse", "-s", "s.syntax", "-j", "4", "fleet", "-o", "stores/"}).status, 0);
    for (int i = 0; i < 24; ++i) {
        ToolResult const single =
            Run({"parse", "-s", "s.syntax", (i % 3 == 0 ? "fleet/site/d" : "fleet/d") + std::to_string(i) + ".cfg"});
        EXPECT_EQ(Read("stores/d" + std::to_string(i) + ".store"), single.out) << i;
    }
}

TEST_F(ToolFleet, ABadFileIsReportedAndTheOthersComplete)
{
    Write("fleet/bad.cfg", std::string("hostname x\n\0\n", 13));
    Write("fleet/site/d1.cfg", "hostname clash\n");  // same store name as fleet/d1.cfg
    ToolResult const result = Run({"parse", "-s", "s.syntax", "-j", "2", "fleet", "-o", "stores/"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "quillset: fleet/bad.cfg:2: binary data (a NUL byte); not a configuration text\n"
              "quillset: fleet/site/d1.cfg: its store would overwrite the one of fleet/d1.cfg in stores/d1.store\n");
    EXPECT_EQ(Read("stores/d1.store").find("clash"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("stores")), {}), 24);

    std::filesystem::create_directories(Path("empty"));
    EXPECT_EQ(Run({"parse", "-s", "s.syntax", "empty"}).status, 1);
}

}  // namespace

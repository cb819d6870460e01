// diff, remediate and apply through the built executable: exact outputs on a small syntax
// with its rules beside it, the rollback, and rules files that cannot be used.
#include "tool_runner.h"

#include <nlohmann/json.hpp>

namespace {

using quillset::test::ToolResult;

class DiffCommands : public quillset::test::SmallSyntaxToolTest {
protected:
    DiffCommands()
        : SmallSyntaxToolTest({{"s.rules", "key Host\nkey Iface name\nkey Desc\nkey Speed\nreplace Host Desc Speed\n"},
                               {"a.cfg", "hostname r1\ninterface A\n description up link\n speed 10\ninterface B\n mtu 9\n"},
                               {"b.cfg", "hostname r2\ninterface B\n mtu 9\ninterface A\n speed 100\ninterface C\n"}})
    {
    }
};

TEST_F(DiffCommands, DiffGroupsChangesByParentAsTextAndJson)
{
    ToolResult const text = Run({"diff", "-s", "s.syntax", "a.cfg", "b.cfg"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out,
              "(top level)\n"
              "  ~ hostname r2\n"
              "      name: \"r1\" -> \"r2\"\n"
              "  + interface C\n"
              "interface A\n"
              "  - description up link\n"
              "  ~ speed 100\n"
              "      mbps: \"10\" -> \"100\"\n");
    ToolResult const json = Run({"diff", "-s", "s.syntax", "a.cfg", "b.cfg", "--format", "json"});
    EXPECT_EQ(json.status, 0) << json.err;
    auto const document = nlohmann::ordered_json::parse(json.out);
    EXPECT_EQ(document["a"], "a.cfg");
    EXPECT_EQ(document["groups"][1]["parents"].dump(), R"(["interface A"])");
    EXPECT_EQ(document["groups"][1]["changes"][1].dump(),
              R"({"kind":"changed","command":"Speed","lines":[" speed 100"],"fields":[{"field":"mbps","old":"10","new":"100"}]})");
}

TEST_F(DiffCommands, RemediateAndApplyRoundTripBothWays)
{
    ToolResult const forward = Run({"remediate", "-s", "s.syntax", "a.cfg", "b.cfg", "-o", "change.txt"});
    EXPECT_EQ(forward.status, 0) << forward.err;
    EXPECT_EQ(Read("change.txt"), "hostname r2\ninterface A\n no description up link\n speed 100\n exit\ninterface C\n exit\n");
    ToolResult const applied = Run({"apply", "-s", "s.syntax", "a.cfg", "change.txt"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, "hostname r2\ninterface A\n speed 100\ninterface B\n mtu 9\ninterface C\n");
    Write("applied.cfg", applied.out);
    EXPECT_EQ(Run({"remediate", "-s", "s.syntax", "applied.cfg", "b.cfg"}).out, "");
    ToolResult const rollback = Run({"remediate", "-s", "s.syntax", "b.cfg", "a.cfg"});
    EXPECT_EQ(rollback.out, "hostname r1\nno interface C\ninterface A\n description up link\n speed 10\n exit\n");
    ToolResult const piped = Run({"apply", "-s", "s.syntax", "b.cfg", "-"}, "< change.txt");
    EXPECT_EQ(piped.status, 0) << piped.err;
}

TEST_F(DiffCommands, UnusableRulesAreNamedWithTheirLine)
{
    Write("bad.rules", "key Iface\nkey Nope name\n");
    ToolResult const bad = Run({"diff", "-s", "s.syntax", "-r", "bad.rules", "a.cfg", "b.cfg"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "quillset: bad.rules:2: the syntax has no command \"Nope\"\n");
    EXPECT_EQ(bad.out, "");
    ToolResult const missing = Run({"remediate", "-s", "s.syntax", "-r", "none.rules", "a.cfg", "b.cfg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "quillset: none.rules: cannot read the rules file\n");
    ToolResult const noConfig = Run({"apply", "-s", "s.syntax", "a.cfg", "nothing.txt"});
    EXPECT_EQ(noConfig.status, 1);
    EXPECT_NE(noConfig.err.find("nothing.txt"), std::string::npos) << noConfig.err;
}

}  // namespace

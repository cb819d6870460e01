// The tool's error paths: bad inputs and outputs name the file (and line) and exit 1,
// usage errors exit 2, and a failure never truncates an existing output.
#include "tool_runner.h"

#include <filesystem>
#include <unistd.h>

namespace {

using quillset::test::ToolResult;

class ToolErrors : public quillset::test::SmallSyntaxToolTest {
protected:
    ToolErrors() : SmallSyntaxToolTest({}) {}

    ToolResult Parse(std::string const& input) { return Run({"parse", "-s", "s.syntax", input, "-o", "out"}); }
};

TEST_F(ToolErrors, BadInputsAreFailuresNamingTheFile)
{
    Write("nul.cfg", std::string("hostname a\nhost\0name b\n", 23));
    Write("banner.cfg", "hostname a\n!\nbanner motd ^C\nnever closed\n");
    Write("broken.json", "[{\"name\": \"Host\",\n \"fields\": }]");
    Write("shape.json", "[{\"fields\": {}}]");
    Write("config.cfg", "hostname a\n");
    std::filesystem::create_directory(Path("folder"));
    std::filesystem::resize_file(Write("huge.cfg", ""), 600u << 20);  // sparse: no disk used
    struct Case {
        std::vector<std::string> arguments;
        std::string err;
    };
    Case const cases[] = {
        {{"parse", "-s", "s.syntax", "missing.cfg"}, "quillset: missing.cfg: cannot open: No such file or directory\n"},
        {{"parse", "-s", "s.syntax", "folder"}, "quillset: folder: a folder that holds no files\n"},
        {{"parse", "-s", "s.syntax", "nul.cfg"}, "quillset: nul.cfg:2: binary data (a NUL byte); not a configuration text\n"},
        {{"parse", "-s", "s.syntax", "huge.cfg"},
         "quillset: huge.cfg: too large (629145600 bytes; the limit is 512 MiB)\n"},
        {{"parse", "-s", "s.syntax", "banner.cfg"},
         "quillset: banner.cfg:3: banner never closed: no later line ends with ^C\n"},
        {{"parse", "-s", "none.syntax", "banner.cfg"}, "quillset: none.syntax: cannot open the syntax file\n"},
        {{"generate", "-s", "s.syntax", "broken.json"}, "quillset: broken.json:2: not valid JSON\n"},
        {{"generate", "-s", "s.syntax", "shape.json"},
         "quillset: shape.json: the document[0] must be an object with a \"name\" text\n"},
        {{"generate", "-s", "s.syntax", "config.cfg"},
         "quillset: config.cfg: the syntax writes none of its 1 records (is it a store file for this syntax?)\n"},
        {{"roundtrip", "-s", "s.syntax", "missing.cfg"}, "quillset: missing.cfg: cannot open: No such file or directory\n"},
    };
    for (Case const& c : cases) {
        ToolResult const result = Run(c.arguments);
        EXPECT_EQ(result.status, 1) << c.arguments[3];
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(ToolErrors, UnreadableInputIsAFailure)
{
    // A file that opens but fails to read, whoever runs the test.
    ToolResult const readError = Parse("/proc/self/mem");
    EXPECT_EQ(readError.status, 1);
    EXPECT_EQ(readError.err, "quillset: /proc/self/mem: cannot read: Input/output error\n");
    if (geteuid() == 0)
        GTEST_SKIP() << "root opens any file";
    Write("secret.cfg", "hostname a\n");
    std::filesystem::permissions(Path("secret.cfg"), std::filesystem::perms::none);
    ToolResult const result = Parse("secret.cfg");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "quillset: secret.cfg: cannot open: Permission denied\n");
}

TEST_F(ToolErrors, AFailureLeavesAnExistingOutputAlone)
{
    Write("out", "precious\n");
    Write("banner.cfg", "banner motd ^C\n");
    EXPECT_EQ(Parse("banner.cfg").status, 1);
    EXPECT_EQ(Read("out"), "precious\n");
    Write("good.cfg", "hostname a\n");
    EXPECT_EQ(Parse("good.cfg").status, 0);
    EXPECT_EQ(Read("out"), "Host,name=a\n");
    // No temporary file is left beside the output.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")), {}), 6);
}

TEST_F(ToolErrors, AFullDiskIsAFailure)
{
    Write("good.cfg", "hostname a\n");
    ToolResult const file = Run({"parse", "-s", "s.syntax", "good.cfg", "-o", "/dev/full"});
    EXPECT_EQ(file.status, 1);
    EXPECT_EQ(file.err, "quillset: /dev/full: cannot write: No space left on device\n");
    ToolResult const standardOutput = Run({"parse", "-s", "s.syntax", "good.cfg"}, "> /dev/full");
    EXPECT_EQ(standardOutput.status, 1);
    EXPECT_EQ(standardOutput.err, "quillset: <stdout>: cannot write: No space left on device\n");
}

TEST_F(ToolErrors, UsageErrorsExitTwo)
{
    Write("a.cfg", "hostname a\n");
    std::vector<std::vector<std::string>> const cases = {
        {"frobnicate"},
        {"parse"},
        {"parse", "a.cfg", "--format", "yaml"},
        {"parse", "-s", "s.syntax", "a.cfg", "a.cfg"},
        {"query", "a.cfg", "Host", "name"},
        {"query", "a.cfg", "Host", "--under", "Iface"},
        {"set", "a.cfg", "Host"},
        {"roundtrip", "a.cfg", "--format", "xml"},
    };
    for (auto const& arguments : cases) {
        ToolResult const result = Run(arguments);
        EXPECT_EQ(result.status, 2) << arguments[0];
        EXPECT_NE(result.err, "") << arguments[0];
    }
}

}  // namespace

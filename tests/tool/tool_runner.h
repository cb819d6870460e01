// Runs the built quillset executable in a temporary folder of its own and captures its
// exit status, standard output and standard error.
#ifndef QUILLSET_TESTS_TOOL_TOOL_RUNNER_H
#define QUILLSET_TESTS_TOOL_TOOL_RUNNER_H

#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace quillset::test {

struct ToolResult {
    int status;
    std::string out;
    std::string err;
};

// A fresh folder per test, removed afterwards, where files are written and the tool runs.
class ToolTest : public testing::Test {
protected:
    ToolTest()
    {
        static int serial = 0;
        m_folder = testing::TempDir() + "quillset_tool_" + std::to_string(getpid()) + "_" + std::to_string(serial++);
        std::filesystem::create_directories(m_folder);
    }
    ~ToolTest() override { std::filesystem::remove_all(m_folder); }

    std::string Path(std::string const& name) const { return m_folder + "/" + name; }

    std::string Write(std::string const& name, std::string const& content) const
    {
        WriteFile(Path(name), content);
        return Path(name);
    }

    std::string Read(std::string const& name) const { return ReadFile(Path(name)); }

    // Runs `quillset ARGS...` in the folder; `redirect` is appended to the shell command
    // (for example "< in.cfg" or "> /dev/full").
    ToolResult Run(std::vector<std::string> const& arguments, std::string const& redirect = "") const
    {
        std::string command = "cd '" + m_folder + "' && '" QUILLSET_TOOL_PATH "'";
        for (std::string const& argument : arguments)
            command += " '" + argument + "'";
        command += " >'" + m_folder + "/.out' 2>'" + m_folder + "/.err' " + redirect;
        int const raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(".out"), Read(".err")};
    }

private:
    std::string m_folder;
};

inline char const kToolSyntax[] =
    "Host,,hostname %name\n"
    "Iface,,interface %name\n"
    "Desc,Iface, description %*text\n"
    "Speed,Iface, speed %mbps:u\n"
    "_UNKNOWN,Iface,%{*_Text}\n"
    "Banner,,banner motd %*text\n";

// A ToolTest whose folder starts with the small syntax as s.syntax and the given files.
class SmallSyntaxToolTest : public ToolTest {
protected:
    explicit SmallSyntaxToolTest(std::vector<std::pair<std::string, std::string>> const& files)
    {
        Write("s.syntax", kToolSyntax);
        for (auto const& [name, content] : files)
            Write(name, content);
    }
};

}  // namespace quillset::test

#endif

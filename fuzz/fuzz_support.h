// Helpers of the fuzz targets: a scratch file per process, a property check that stops the
// run with a message, and the lines of a configuration that carry something.
#ifndef QUILLSET_FUZZ_FUZZ_SUPPORT_H
#define QUILLSET_FUZZ_FUZZ_SUPPORT_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace quillset::fuzz {

// A property that every input must keep; a violation is a finding, reported like a crash.
inline void Check(bool holds, char const* property, std::string const& detail = "")
{
    if (holds)
        return;
    std::fprintf(stderr, "property violated: %s\n%s\n", property, detail.c_str());
    std::abort();
}

// A file under /tmp for this process, rewritten for each input.
class ScratchFile {
public:
    explicit ScratchFile(char const* tag)
        : m_path("/tmp/quillset_fuzz_" + std::string(tag) + "_" + std::to_string(getpid()))
    {
    }
    ~ScratchFile() { std::remove(m_path.c_str()); }

    char const* Write(std::string const& content)
    {
        std::ofstream(m_path, std::ios::binary | std::ios::trunc) << content;
        return m_path.c_str();
    }
    char const* Path() const { return m_path.c_str(); }

    std::string Read() const
    {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

private:
    std::string m_path;
};

// The distinct lines that carry something (lone "!" lines and line ends carry nothing),
// without trailing white space, which generation trims.
inline std::vector<std::string> CarryingLines(std::string const& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line.erase(line.find_last_not_of(" \t\r\n\v\f") + 1);
        if (line.find_first_not_of(" \t!") != std::string::npos)
            lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

}  // namespace quillset::fuzz

#endif

// Helpers of the fuzz targets: a scratch file per process and a property check that stops
// the run with a message.
#ifndef QUILLSET_FUZZ_FUZZ_SUPPORT_H
#define QUILLSET_FUZZ_FUZZ_SUPPORT_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

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

}  // namespace quillset::fuzz

#endif

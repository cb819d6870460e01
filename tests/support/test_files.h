// Test helpers for files: a temporary file removed with its object, and reading a file whole.
#ifndef QUILLSET_TESTS_TEST_FILES_H
#define QUILLSET_TESTS_TEST_FILES_H

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace quillset::test {

inline void WriteFile(std::string const& path, std::string const& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string ReadFile(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A file under the test's temporary folder holding `content`, removed with the object.
class TempFile {
public:
    explicit TempFile(std::string const& content)
    {
        static int serial = 0;
        m_path = testing::TempDir() + "quillset_" + std::to_string(getpid()) + "_" + std::to_string(serial++);
        WriteFile(m_path, content);
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    TempFile(TempFile const&) = delete;
    TempFile& operator=(TempFile const&) = delete;

    char const* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

}  // namespace quillset::test

#endif

// Test helpers for files: a temporary file removed with its object, reading a file whole,
// and listing the device configurations of a corpus folder.
#ifndef QUILLSET_TESTS_TEST_FILES_H
#define QUILLSET_TESTS_TEST_FILES_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

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

// The configurations (*.cfg) in `folder`, sorted; none when the folder does not exist.
inline std::vector<std::string> CorpusFiles(std::string const& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (auto const& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".cfg")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
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

// Private temporary files made with mkstemp.
#include "temp_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace quillset::python {

TempFile::TempFile()
{
    char const* const folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/quillset-XXXXXX";
    int const descriptor = mkstemp(pattern.data());
    if (descriptor < 0)
        throw std::runtime_error("cannot make a temporary file in " + pattern);
    close(descriptor);
    m_path = pattern;
}

TempFile::~TempFile() { std::remove(m_path.c_str()); }

std::string TempFile::Read() const
{
    std::ifstream input(m_path, std::ios::binary);
    std::ostringstream content;
    content << input.rdbuf();
    return content.str();
}

void TempFile::Write(std::string const& content) const
{
    std::ofstream output(m_path, std::ios::binary);
    output << content;
    if (!output.flush())
        throw std::runtime_error("cannot write the temporary file " + m_path);
}

}  // namespace quillset::python

// The progress line: one line, overwritten in place by the terminal's erase sequence.
#include "progress.h"

#include <cstdio>
#include <unistd.h>

namespace quillset::tool {

ProgressLine::ProgressLine(std::string const& what, std::string const& file, std::size_t bytes)
    : m_shown(bytes > kProgressThresholdBytes && ::isatty(STDERR_FILENO))
{
    if (m_shown)
        std::fprintf(stderr, "quillset: %s %s (%zu MB)...", what.c_str(), file.c_str(), bytes >> 20);
}

ProgressLine::~ProgressLine()
{
    if (m_shown)
        std::fputs("\r\033[K", stderr);
}

}  // namespace quillset::tool

// A progress line on the standard error stream while a long step runs: shown only when the
// stream is a terminal and the input is over 10 MB, erased when the step ends.
#ifndef QUILLSET_TOOLS_PROGRESS_H
#define QUILLSET_TOOLS_PROGRESS_H

#include <cstddef>
#include <string>

namespace quillset::tool {

constexpr std::size_t kProgressThresholdBytes = 10u << 20;

class ProgressLine {
public:
    ProgressLine(std::string const& what, std::string const& file, std::size_t bytes);
    ~ProgressLine();
    ProgressLine(ProgressLine const&) = delete;
    ProgressLine& operator=(ProgressLine const&) = delete;

private:
    bool m_shown;
};

}  // namespace quillset::tool

#endif

// Reading an input file whole, with the checks that keep a bad path or a huge file from
// crashing the tool: each problem is a Failure naming the file.
#ifndef QUILLSET_TOOLKIT_INPUT_FILE_H
#define QUILLSET_TOOLKIT_INPUT_FILE_H

#include <cstdint>
#include <string>

namespace quillset::toolkit {

// The largest input read: the library's strings hold at most 2 GiB, and parsing needs
// several times the text's size in memory.
constexpr std::uintmax_t kMaxInputBytes = 512u << 20;

// The whole content of `path` ("-" for the standard input).
std::string ReadInputFile(std::string const& path);

}  // namespace quillset::toolkit

#endif

// The configuration files a list of inputs names: files as given, folders searched
// recursively, so that a whole fleet is one argument.
#ifndef QUILLSET_TOOLS_INPUT_LIST_H
#define QUILLSET_TOOLS_INPUT_LIST_H

#include <string>
#include <vector>

namespace quillset::tool {

// Each input in order; a folder becomes the regular files under it, sorted by path. A
// folder that cannot be read or holds no files is a Failure naming it.
std::vector<std::string> ExpandInputs(std::vector<std::string> const& inputs);

}  // namespace quillset::tool

#endif

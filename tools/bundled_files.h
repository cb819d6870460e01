// The files installed with the tool (the default syntax, the demo configuration), found
// beside the executable once installed and in the source tree when run from a build.
#ifndef QUILLSET_TOOLS_BUNDLED_FILES_H
#define QUILLSET_TOOLS_BUNDLED_FILES_H

#include <string>

namespace quillset::tool {

std::string DefaultSyntaxPath();
std::string DemoConfigurationPath();

}  // namespace quillset::tool

#endif

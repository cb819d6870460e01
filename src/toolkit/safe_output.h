// Writing output so that a failure never truncates an existing file: the text goes to a
// temporary file beside the target, which is renamed over it only when every byte is
// written. A write error (a full disk) is a Failure, never a silent success.
#ifndef QUILLSET_TOOLKIT_SAFE_OUTPUT_H
#define QUILLSET_TOOLKIT_SAFE_OUTPUT_H

#include <string>

namespace quillset::toolkit {

// Writes `content` to `path`; "-" is the standard output. A target that exists and is not
// a regular file (a device, a pipe) is written in place.
void WriteOutputFile(std::string const& path, std::string const& content);

}  // namespace quillset::toolkit

#endif

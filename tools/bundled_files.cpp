// Looks for a bundled file under the installed data folder (relative to the executable),
// then in the source tree.
#include "bundled_files.h"

#include <climits>
#include <filesystem>
#include <unistd.h>

namespace quillset::tool {

namespace {

std::string ExecutableDirectory()
{
    char path[PATH_MAX];
    ssize_t const length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    std::string const executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/'));
}

std::string FindBundled(std::string const& installedPart, std::string const& sourcePart)
{
    std::filesystem::path const installed =
        std::filesystem::path(ExecutableDirectory() + "/../" QUILLSET_INSTALLED_DATA_DIR "/" + installedPart)
            .lexically_normal();
    if (::access(installed.c_str(), R_OK) == 0)
        return installed.string();
    return QUILLSET_SOURCE_DIR "/" + sourcePart;
}

}  // namespace

std::string DefaultSyntaxPath() { return FindBundled("syntaxes/zyn.syntax", "syntaxes/zyn.syntax"); }

std::string DemoConfigurationPath() { return FindBundled("examples/router.cfg", "examples/router.cfg"); }

}  // namespace quillset::tool

// Expanding folders among the inputs with std::filesystem.
#include "input_list.h"

#include "toolkit/failure.h"

#include <algorithm>
#include <filesystem>

namespace quillset::tool {

namespace {

std::vector<std::string> FilesUnder(std::string const& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    auto const options = std::filesystem::directory_options::skip_permission_denied;
    std::filesystem::recursive_directory_iterator walk(folder, options, error);
    for (; !error && walk != std::filesystem::recursive_directory_iterator(); walk.increment(error)) {
        if (walk->is_regular_file(error))
            files.push_back(walk->path().string());
    }
    if (error)
        throw toolkit::Failure(folder, 0, "cannot read the folder: " + error.message());
    if (files.empty())
        throw toolkit::Failure(folder, 0, "a folder that holds no files");
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::vector<std::string> ExpandInputs(std::vector<std::string> const& inputs)
{
    std::vector<std::string> files;
    for (std::string const& input : inputs) {
        std::error_code error;
        if (input != "-" && std::filesystem::is_directory(input, error)) {
            std::vector<std::string> const under = FilesUnder(input);
            files.insert(files.end(), under.begin(), under.end());
        } else {
            files.push_back(input);
        }
    }
    return files;
}

}  // namespace quillset::tool

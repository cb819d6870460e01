// ReadInputFile: size and type checks first, then one read; errors carry the system's words.
#include "toolkit/input_file.h"

#include "toolkit/failure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace quillset::toolkit {

namespace {

std::string TooLarge(std::uintmax_t size)
{
    return "too large (" + std::to_string(size) + " bytes; the limit is " + std::to_string(kMaxInputBytes >> 20) +
           " MiB)";
}

std::string ReadStream(std::FILE* file, std::string const& name)
{
    std::string content;
    char buffer[65536];
    std::size_t size;
    while ((size = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, size);
        if (content.size() > kMaxInputBytes)
            throw Failure(name, 0, TooLarge(content.size()));
    }
    if (std::ferror(file))
        throw Failure(name, 0, std::string("cannot read: ") + std::strerror(errno));
    return content;
}

}  // namespace

std::string ReadInputFile(std::string const& path)
{
    if (path == "-")
        return ReadStream(stdin, "<stdin>");
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        throw Failure(path, 0, std::string("cannot open: ") + std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        throw Failure(path, 0, "is a directory");
    if (S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > kMaxInputBytes)
        throw Failure(path, 0, TooLarge(info.st_size));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        throw Failure(path, 0, std::string("cannot open: ") + std::strerror(errno));
    try {
        std::string content = ReadStream(file, path);
        std::fclose(file);
        return content;
    } catch (...) {
        std::fclose(file);
        throw;
    }
}

}  // namespace quillset::toolkit

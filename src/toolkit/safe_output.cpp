// Safe output: checked writes, a temporary file and a rename.
#include "toolkit/safe_output.h"

#include "toolkit/failure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillset::toolkit {

namespace {

[[noreturn]] void Fail(std::string const& path, char const* what, int error)
{
    throw Failure(path, 0, std::string(what) + ": " + std::strerror(error));
}

// Writes everything to `fd` and closes it; the errno of the first failure, or 0.
int WriteAllAndClose(int fd, std::string const& content)
{
    int error = 0;
    for (std::size_t done = 0; done < content.size() && error == 0;) {
        ssize_t const written = ::write(fd, content.data() + done, content.size() - done);
        if (written > 0)
            done += static_cast<std::size_t>(written);
        else if (written == 0 || errno != EINTR)
            error = written == 0 ? EIO : errno;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

void WriteInPlace(std::string const& path, std::string const& content)
{
    int const fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0)
        Fail(path, "cannot open for writing", errno);
    if (int const error = WriteAllAndClose(fd, content))
        Fail(path, "cannot write", error);
}

std::string DirectoryOf(std::string const& path)
{
    std::size_t const slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a new file gets: read and write for all, less the process's mask.
mode_t NewFileMode()
{
    mode_t const mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void WriteByRename(std::string const& path, std::string const& content, mode_t mode)
{
    std::string temporary = DirectoryOf(path) + "/.quillset-XXXXXX";
    int const fd = ::mkstemp(temporary.data());
    if (fd < 0)
        Fail(path, "cannot create a temporary file beside it", errno);
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    int const writeError = WriteAllAndClose(fd, content);
    error = error != 0 ? error : writeError;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        Fail(path, "cannot write", error);
    }
}

}  // namespace

void WriteOutputFile(std::string const& path, std::string const& content)
{
    if (path == "-") {
        std::fwrite(content.data(), 1, content.size(), stdout);
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
            Fail("<stdout>", "cannot write", errno);
        return;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return WriteByRename(path, content, NewFileMode());
    if (!S_ISREG(info.st_mode))
        return WriteInPlace(path, content);
    WriteByRename(path, content, info.st_mode & 07777);
}

}  // namespace quillset::toolkit

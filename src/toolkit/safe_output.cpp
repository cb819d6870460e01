// Safe output: checked writes, a temporary file and a rename.
#include "toolkit/safe_output.h"

#include "toolkit/failure.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillset::toolkit {

namespace {

std::string SystemError(char const* what) { return std::string(what) + ": " + std::strerror(errno); }

// Writes everything to `fd`; false (with errno set) when a write fails.
bool WriteAll(int fd, std::string const& content)
{
    for (std::size_t done = 0; done < content.size();) {
        ssize_t const written = ::write(fd, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

void WriteInPlace(std::string const& path, std::string const& content)
{
    int const fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0)
        throw Failure(path, 0, SystemError("cannot open for writing"));
    bool const written = WriteAll(fd, content);
    int const savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        errno = written ? errno : savedErrno;
        throw Failure(path, 0, SystemError("cannot write"));
    }
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
        throw Failure(path, 0, SystemError("cannot create a temporary file beside it"));
    bool const written = WriteAll(fd, content) && ::fchmod(fd, mode) == 0;
    int const savedErrno = errno;
    bool const closed = ::close(fd) == 0;
    if (!written || !closed) {
        errno = written ? errno : savedErrno;
        std::string const message = SystemError("cannot write");
        ::unlink(temporary.c_str());
        throw Failure(path, 0, message);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        std::string const message = SystemError("cannot replace");
        ::unlink(temporary.c_str());
        throw Failure(path, 0, message);
    }
}

}  // namespace

void WriteOutputFile(std::string const& path, std::string const& content)
{
    if (path == "-") {
        std::fwrite(content.data(), 1, content.size(), stdout);
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
            throw Failure("<stdout>", 0, SystemError("cannot write"));
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

// StreamFile: the file of one read or write call, or a standard stream when the path is
// null (the standard input for reading, the standard output for writing). A file that was
// opened is closed when the object goes; a standard stream is never closed.
#ifndef QUILLSET_BASE_STREAM_FILE_H
#define QUILLSET_BASE_STREAM_FILE_H

#include <cstdio>
#include <sys/stat.h>

namespace quillset {

class StreamFile {
public:
    StreamFile(char const* path, char const* mode)
        : m_file(path ? std::fopen(path, mode) : (mode[0] == 'r' ? stdin : stdout)), m_opened(path != nullptr)
    {
    }
    ~StreamFile() { Close(); }
    StreamFile(StreamFile const&) = delete;
    StreamFile& operator=(StreamFile const&) = delete;

    // Null when the file could not be opened.
    std::FILE* Get() const { return m_file; }

    // Whether the file is a regular file of more than `size` bytes; other streams can only
    // be counted while they are read.
    bool IsLargerThan(long size) const
    {
        struct stat info;
        return m_file != nullptr && fstat(fileno(m_file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > size;
    }

    // Closes an opened file or flushes the standard output; false when buffered output
    // could not be written.
    bool Close()
    {
        std::FILE* const file = m_file;
        m_file = nullptr;
        if (file == nullptr || file == stdin)
            return true;
        return m_opened ? std::fclose(file) == 0 : std::fflush(file) == 0;
    }

private:
    std::FILE* m_file;
    bool m_opened;
};

}  // namespace quillset

#endif

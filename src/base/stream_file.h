// StreamFile: the file of one read or write call, or a standard stream when the path is
// null (the standard input for reading, the standard output for writing). A file that was
// opened is closed when the object goes; a standard stream is never closed.
#ifndef QUILLSET_BASE_STREAM_FILE_H
#define QUILLSET_BASE_STREAM_FILE_H

#include <cstdio>

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

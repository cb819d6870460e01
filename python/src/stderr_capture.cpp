// Capturing the standard error stream through dup2 and a temporary file.
#include "stderr_capture.h"

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace quillset::python {

namespace {

// The standard error stream is one per process, and so is the lock that takes turns on it.
std::mutex& StderrMutex()
{
    static std::mutex mutex;
    return mutex;
}

}  // namespace

StderrCapture::StderrCapture() : m_lock(StderrMutex()), m_file(std::tmpfile()), m_saved(-1)
{
    if (m_file == nullptr)
        throw std::runtime_error("cannot make a temporary file for the library's messages");
    std::fflush(stderr);
    m_saved = dup(STDERR_FILENO);
    dup2(fileno(m_file), STDERR_FILENO);
}

StderrCapture::~StderrCapture() { Finish(); }

std::string StderrCapture::Finish()
{
    std::string captured;
    if (m_saved < 0)
        return captured;
    std::fflush(stderr);
    dup2(m_saved, STDERR_FILENO);
    close(m_saved);
    m_saved = -1;
    std::rewind(m_file);
    char buffer[4096];
    for (std::size_t size; (size = std::fread(buffer, 1, sizeof buffer, m_file)) > 0;)
        captured.append(buffer, size);
    std::fclose(m_file);
    return captured;
}

}  // namespace quillset::python

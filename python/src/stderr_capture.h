// StderrCapture: collects what the library writes to the standard error stream while a
// syntax file compiles, so that the module can raise it as an exception's messages.
#ifndef QUILLSET_PYTHON_STDERR_CAPTURE_H
#define QUILLSET_PYTHON_STDERR_CAPTURE_H

#include <cstdio>
#include <mutex>
#include <string>

namespace quillset::python {

class StderrCapture {
public:
    // Sends file descriptor 2 to a temporary file until Finish or the end of the object.
    // The descriptor belongs to the process, so one capture runs at a time.
    StderrCapture();
    ~StderrCapture();
    StderrCapture(StderrCapture const&) = delete;
    StderrCapture& operator=(StderrCapture const&) = delete;

    // Restores the standard error stream and returns what was written meanwhile.
    std::string Finish();

private:
    std::unique_lock<std::mutex> m_lock;
    std::FILE* m_file;
    int m_saved;
};

}  // namespace quillset::python

#endif

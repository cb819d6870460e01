// TempFile: a private temporary file, removed with its object. The store's delimited form
// is written and read through files, and this is where the module's text goes on its way.
#ifndef QUILLSET_PYTHON_TEMP_FILE_H
#define QUILLSET_PYTHON_TEMP_FILE_H

#include <string>

namespace quillset::python {

class TempFile {
public:
    // An empty file under $TMPDIR (or /tmp); throws std::runtime_error when none can be made.
    TempFile();
    ~TempFile();
    TempFile(TempFile const&) = delete;
    TempFile& operator=(TempFile const&) = delete;

    char const* Path() const { return m_path.c_str(); }
    std::string Read() const;
    void Write(std::string const& content) const;

private:
    std::string m_path;
};

}  // namespace quillset::python

#endif

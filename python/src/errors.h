// The module's exception types and the helpers that raise them with the library's
// messages and result codes attached.
#ifndef QUILLSET_PYTHON_ERRORS_H
#define QUILLSET_PYTHON_ERRORS_H

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace quillset::python {

// Raises SyntaxFileError: the syntax file at `path` did not compile (`status` as
// CCmdGen::GetStatus gives it, `messages` the lines the library printed).
[[noreturn]] void RaiseSyntaxFileError(std::string const& path, int status, std::vector<std::string> const& messages);
// Raises ParseError for a configuration file that could not be opened or read.
[[noreturn]] void RaiseParseError(std::string const& path, int status);
// Raises GenerateError: generation failed with `status` at the definition `index`.
[[noreturn]] void RaiseGenerateError(int status, int index);
// Raises DeletedRecordError for a Record whose record was deleted.
[[noreturn]] void RaiseDeletedRecord();

}  // namespace quillset::python

#endif

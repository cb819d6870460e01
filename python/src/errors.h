// The module's exception types and the helpers that raise them with the library's
// messages and result codes attached.
#ifndef QUILLSET_PYTHON_ERRORS_H
#define QUILLSET_PYTHON_ERRORS_H

#include "toolkit/failure.h"

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace quillset::python {

// Raises SyntaxFileError: the syntax file at `path` did not compile (`status` as
// CCmdGen::GetStatus gives it, `messages` the lines the library printed).
[[noreturn]] void RaiseSyntaxFileError(std::string const& path, int status, std::vector<std::string> const& messages);
// Raises ParseError for a configuration that could not be used: `path` and `line` (0 when
// there is none) name it, the message says what is wrong.
[[noreturn]] void RaiseParseError(toolkit::Failure const& failure);
// Raises GenerateError with the message of the failed generation.
[[noreturn]] void RaiseGenerateError(toolkit::Failure const& failure);
// Raises RulesError for a rules file that cannot be used: `path` and `line` name it.
[[noreturn]] void RaiseRulesError(std::string const& path, int line, std::string const& message);
// Raises DeletedRecordError for a Record whose record was deleted.
[[noreturn]] void RaiseDeletedRecord();

}  // namespace quillset::python

#endif

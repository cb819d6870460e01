// The module's exception types: one base class, quillset.Error, and one subclass per kind
// of failure, each carrying the library's result code as `status`.
#include "bindings.h"
#include "errors.h"
#include "text.h"

#include <pybind11/stl.h>

namespace py = pybind11;

namespace quillset::python {

namespace {

// The exception class of that name, as the module holds it.
py::object Type(char const* name) { return py::module_::import("quillset").attr(name); }

[[noreturn]] void Raise(py::object const& type, std::string const& message, py::dict attributes)
{
    py::object error = type(ToPython(message));
    for (auto item : attributes)
        py::setattr(error, item.first, item.second);
    PyErr_SetObject(type.ptr(), error.ptr());
    throw py::error_already_set();
}

py::object MakeType(py::module_& module, char const* name, py::object const& base, char const* doc)
{
    py::object type = py::reinterpret_steal<py::object>(
        PyErr_NewExceptionWithDoc((std::string("quillset.") + name).c_str(), doc, base.ptr(), nullptr));
    if (!type)
        throw py::error_already_set();
    module.attr(name) = type;
    return type;
}

}  // namespace

void BindErrors(py::module_& module)
{
    py::object const base = MakeType(module, "Error", py::reinterpret_borrow<py::object>(PyExc_Exception),
                                     "Base class of every error the module raises.");
    MakeType(module, "SyntaxFileError", base,
             "A syntax file did not compile: `path`, `status` (2 errors, 4 cannot be opened) and `messages`, "
             "the library's error lines.");
    MakeType(module, "ParseError", base,
             "A configuration could not be used (missing, unreadable, binary, an unclosed banner): `path` and "
             "`line` (0 when there is none).");
    MakeType(module, "GenerateError", base,
             "Generation failed: a definition lacks a value, or another failure; the message names the "
             "definition.");
    MakeType(module, "RulesError", base,
             "A rules file could not be used (unreadable, a bad line, a command or field the syntax lacks): "
             "`path` and `line` (0 when there is none).");
    MakeType(module, "DeletedRecordError", base, "A Record was used after its record was deleted from its store.");
}

void RaiseSyntaxFileError(std::string const& path, int status, std::vector<std::string> const& messages)
{
    char const* const what = status == 4 ? "cannot be opened" : "does not compile";
    std::string message = path + ": the syntax file " + what + " (status " + std::to_string(status) + ")";
    for (std::string const& line : messages)
        message += "\n" + line;
    Raise(Type("SyntaxFileError"), message,
          py::dict(py::arg("path") = path, py::arg("status") = status, py::arg("messages") = py::cast(messages)));
}

void RaiseParseError(toolkit::Failure const& failure)
{
    Raise(Type("ParseError"), failure.Describe(),
          py::dict(py::arg("path") = ToPython(failure.File()), py::arg("line") = failure.Line()));
}

void RaiseGenerateError(toolkit::Failure const& failure)
{
    Raise(Type("GenerateError"), failure.what(), py::dict());
}

void RaiseRulesError(std::string const& path, int line, std::string const& message)
{
    Raise(Type("RulesError"), message, py::dict(py::arg("path") = ToPython(path), py::arg("line") = line));
}

void RaiseDeletedRecord()
{
    Raise(Type("DeletedRecordError"), "the record was deleted from its store", py::dict());
}

}  // namespace quillset::python

// UTF-8 with surrogateescape in both directions.
#include "text.h"

namespace py = pybind11;

namespace quillset::python {

py::str ToPython(std::string_view text)
{
    PyObject* const decoded =
        PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
    if (decoded == nullptr)
        throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

std::string FromPython(py::handle text)
{
    if (!py::isinstance<py::str>(text))
        throw py::type_error("expected a str, got " + std::string(py::str(py::type::of(text))));
    PyObject* const encoded = PyUnicode_AsEncodedString(text.ptr(), "utf-8", "surrogateescape");
    if (encoded == nullptr)
        throw py::error_already_set();
    py::bytes const bytes = py::reinterpret_steal<py::bytes>(encoded);
    return std::string(bytes);
}

}  // namespace quillset::python

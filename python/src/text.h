// Text between the library and Python. Configurations are bytes, not always UTF-8: bytes
// that are not UTF-8 become lone surrogates in Python (the "surrogateescape" error
// handler) and turn back into the same bytes, so no text is lost either way.
#ifndef QUILLSET_PYTHON_TEXT_H
#define QUILLSET_PYTHON_TEXT_H

#include <pybind11/pybind11.h>

#include <string>
#include <string_view>

namespace quillset::python {

pybind11::str ToPython(std::string_view text);
// The bytes of a Python str; raises TypeError for anything else.
std::string FromPython(pybind11::handle text);

}  // namespace quillset::python

#endif

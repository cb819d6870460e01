// The functions that add each class family to the quillset module, one file each.
#ifndef QUILLSET_PYTHON_BINDINGS_H
#define QUILLSET_PYTHON_BINDINGS_H

#include <pybind11/pybind11.h>

namespace quillset::python {

void BindErrors(pybind11::module_& module);
void BindRecord(pybind11::module_& module);
void BindStore(pybind11::module_& module);
void BindSyntax(pybind11::module_& module);
// Adds diff, remediate and apply to the Syntax class BindSyntax made.
void BindDiff(pybind11::module_& module);

}  // namespace quillset::python

#endif

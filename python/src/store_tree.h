// The store as plain Python data: the record tree of the quillset tool's JSON output, and
// a record's fields.
#ifndef QUILLSET_PYTHON_STORE_TREE_H
#define QUILLSET_PYTHON_STORE_TREE_H

#include "toolkit/record_tree.h"

#include <quillset/dbobject.h>

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

namespace quillset::python {

// The fields that hold a record's header and footer text.
constexpr char kHeaderField[] = "_Header";
constexpr char kFooterField[] = "_Footer";

// The fields of a record as a dict of name to text, in slot order, without the header and
// footer; a slot without a name is keyed by its number.
pybind11::dict FieldDict(CDbEntry const& record);

// {"source": ..., "records": [node, ...]}, node = {"name", "fields", "header", "footer",
// "children"} with header, footer and children left out when not set or empty, as the
// tool writes it; "source" only for a parsed store.
pybind11::dict TreeDict(toolkit::RecordTree const& tree, std::optional<std::string> const& source);

}  // namespace quillset::python

#endif

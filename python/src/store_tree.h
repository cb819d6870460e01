// The store as a tree of plain Python data, the form Store.to_dict() returns.
#ifndef QUILLSET_PYTHON_STORE_TREE_H
#define QUILLSET_PYTHON_STORE_TREE_H

#include <quillset/dbobject.h>

#include <pybind11/pybind11.h>

namespace quillset::python {

// The fields that hold a record's header and footer text.
constexpr char kHeaderField[] = "_Header";
constexpr char kFooterField[] = "_Footer";

// The fields of a record as a dict of name to text, in slot order, without the header and
// footer; a slot without a name is keyed by its number.
pybind11::dict FieldDict(CDbEntry const& record);

// {"records": [node, ...]} with node = {"name": str, "fields": {name: text}, "children":
// [node, ...]}: the top-level records in store order (one name's records together, in the
// order added), each with its children in link order. Called with the store locked.
pybind11::dict StoreTree(CDbObject const& store);

}  // namespace quillset::python

#endif

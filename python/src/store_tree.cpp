// Store.to_dict(): records as nested dicts and lists, ready for json.dumps.
#include "store_tree.h"

#include <cstring>

namespace py = pybind11;

namespace quillset::python {

namespace {

py::dict Node(CDbEntry const& record)
{
    py::list children;
    for (int i = 0; i < record.GetChildCount(); ++i) {
        if (CDbEntry const* const child = record.GetChild(i))
            children.append(Node(*child));
    }
    py::dict node;
    node["name"] = py::str(record.GetName() != nullptr ? record.GetName() : "");
    node["fields"] = FieldDict(record);
    node["children"] = children;
    return node;
}

}  // namespace

py::dict FieldDict(CDbEntry const& record)
{
    py::dict fields;
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        char const* const name = record.GetFieldByIndex(slot);
        if (name != nullptr && (std::strcmp(name, kHeaderField) == 0 || std::strcmp(name, kFooterField) == 0))
            continue;
        fields[py::str(name != nullptr ? std::string(name) : std::to_string(slot))] =
            py::str(static_cast<char const*>(record.GetByIndex(slot)));
    }
    return fields;
}

py::dict StoreTree(CDbObject const& store)
{
    py::list top;
    store.StartEnumeration();
    while (CDbEntry const* const record = store.GetNextEntry()) {
        if (record->GetParent() == nullptr)
            top.append(Node(*record));
    }
    py::dict tree;
    tree["records"] = top;
    return tree;
}

}  // namespace quillset::python

// Store.to_dict() and Record.fields: records as dicts and lists, ready for json.dumps.
#include "store_tree.h"

#include "text.h"

#include <cstring>

namespace py = pybind11;

namespace quillset::python {

namespace {

py::list NodeList(toolkit::RecordTree const& nodes);

py::dict NodeDict(toolkit::RecordNode const& node)
{
    py::dict fields;
    for (auto const& [field, text] : node.fields)
        fields[ToPython(field)] = ToPython(text);
    py::dict dict;
    dict["name"] = ToPython(node.name);
    dict["fields"] = fields;
    if (node.header)
        dict["header"] = ToPython(*node.header);
    if (node.footer)
        dict["footer"] = ToPython(*node.footer);
    if (!node.children.empty())
        dict["children"] = NodeList(node.children);
    return dict;
}

py::list NodeList(toolkit::RecordTree const& nodes)
{
    py::list list;
    for (toolkit::RecordNode const& node : nodes)
        list.append(NodeDict(node));
    return list;
}

}  // namespace

py::dict FieldDict(CDbEntry const& record)
{
    py::dict fields;
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        char const* const name = record.GetFieldByIndex(slot);
        if (name != nullptr && (std::strcmp(name, kHeaderField) == 0 || std::strcmp(name, kFooterField) == 0))
            continue;
        fields[name != nullptr ? ToPython(name) : py::str(std::to_string(slot))] =
            ToPython(static_cast<char const*>(record.GetByIndex(slot)));
    }
    return fields;
}

py::dict TreeDict(toolkit::RecordTree const& tree, std::optional<std::string> const& source)
{
    py::dict document;
    if (source)
        document["source"] = ToPython(*source);
    document["records"] = NodeList(tree);
    return document;
}

}  // namespace quillset::python

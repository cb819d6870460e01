// The Record class: one record of a store, its fields as a mapping, its header, footer and
// tree links.
#include "bindings.h"
#include "errors.h"
#include "record.h"
#include "store_tree.h"
#include "text.h"

#include <pybind11/stl.h>

#include <optional>
#include <vector>

namespace py = pybind11;

namespace quillset::python {

namespace {

py::object OptionalField(CDbEntry const& entry, char const* field)
{
    if (!entry.IsExist(field))
        return py::none();
    return ToPython(static_cast<char const*>(entry.Get(field)));
}

void SetOptionalField(CDbEntry& entry, char const* field, py::handle text)
{
    if (text.is_none()) {
        entry.Remove(field);
        return;
    }
    std::string const bytes = FromPython(text);
    entry.Set(field, bytes.c_str());
}

// A property for the text a reserved field holds: None when the field is absent, and
// assigning None removes it.
void DefOptionalText(py::class_<Record>& record, char const* name, char const* field, char const* doc)
{
    record.def_property(
        name,
        [field](Record const& r) {
            auto const lock = r.Lock();
            return OptionalField(r.Entry(), field);
        },
        [field](Record& r, py::handle text) {
            auto const lock = r.Lock();
            SetOptionalField(r.Entry(), field, text);
        },
        doc);
}

py::str Repr(CDbEntry const& entry)
{
    std::string text = "<Record ";
    text += entry.GetName() != nullptr ? entry.GetName() : "";
    for (int slot = 0; slot < entry.GetFieldCount(); ++slot) {
        char const* const name = entry.GetFieldByIndex(slot);
        text += std::string(" ") + (name != nullptr ? name : std::to_string(slot).c_str()) + "=" +
                static_cast<char const*>(entry.GetByIndex(slot));
    }
    return ToPython(text + ">");
}

}  // namespace

CDbEntry& Record::Entry() const
{
    if (!m_life->alive)
        RaiseDeletedRecord();
    return *m_entry;
}

std::string FieldText(py::handle value)
{
    if (value.is_none())
        return {};
    if (py::isinstance<py::bool_>(value))
        return value.cast<bool>() ? "1" : "0";
    return FromPython(py::str(value));
}

void BindRecord(py::module_& module)
{
    py::class_<Record> record(module, "Record",
                              "One record of a Store: a name, fields in order, and links to its parent and "
                              "children. A Record keeps its store alive; once its record is deleted, using it "
                              "raises DeletedRecordError.");
    DefOptionalText(record, "header", kHeaderField,
                    "The text written before the record's command, or None (assigning None removes it).");
    DefOptionalText(record, "footer", kFooterField,
                    "The text written after the record's command, or None (assigning None removes it).");
    record
        .def_property_readonly(
            "name",
            [](Record const& r) {
                auto const lock = r.Lock();
                char const* const name = r.Entry().GetName();
                return ToPython(name != nullptr ? name : "");
            },
            "The record name: the ID of the command it was parsed from.")
        .def_property_readonly(
            "store", [](Record const& r) { return r.Store(); }, "The store the record belongs to.")
        .def_property_readonly(
            "fields",
            [](Record const& r) {
                auto const lock = r.Lock();
                return FieldDict(r.Entry());
            },
            "The fields as a dict of name to text, in slot order, without the header and footer (a copy: "
            "assign through record[name]).")
        .def_property_readonly(
            "parent",
            [](Record const& r) -> std::optional<Record> {
                auto const lock = r.Lock();
                CDbEntry* const parent = r.Entry().GetParent();
                if (parent == nullptr)
                    return std::nullopt;
                return Record(r.Store(), parent);
            },
            "The parent record, or None at the top level.")
        .def_property_readonly(
            "children",
            [](Record const& r) {
                auto const lock = r.Lock();
                CDbEntry& entry = r.Entry();
                std::vector<Record> children;
                for (int i = 0; i < entry.GetChildCount(); ++i) {
                    if (CDbEntry* const child = entry.GetChild(i))
                        children.emplace_back(r.Store(), child);
                }
                return children;
            },
            "The child records, in the order they were linked.")
        .def(
            "__getitem__",
            [](Record const& r, std::string const& field) {
                auto const lock = r.Lock();
                CDbEntry const& entry = r.Entry();
                if (!entry.IsExist(field.c_str()))
                    throw py::key_error(field);
                return ToPython(static_cast<char const*>(entry.Get(field.c_str())));
            },
            py::arg("field"), "The text of a field; KeyError when the record has no such field.")
        .def(
            "get",
            [](Record const& r, std::string const& field, py::object const& fallback) -> py::object {
                auto const lock = r.Lock();
                CDbEntry const& entry = r.Entry();
                if (!entry.IsExist(field.c_str()))
                    return fallback;
                return ToPython(static_cast<char const*>(entry.Get(field.c_str())));
            },
            py::arg("field"), py::arg("default") = py::none(), "The text of a field, or `default`.")
        .def(
            "__setitem__",
            [](Record& r, std::string const& field, py::handle value) {
                std::string const text = FieldText(value);
                auto const lock = r.Lock();
                r.Entry().Set(field.c_str(), text.c_str());
            },
            py::arg("field"), py::arg("value"),
            "Sets a field (added at the end when new); the value is stored as text.")
        .def(
            "__delitem__",
            [](Record& r, std::string const& field) {
                auto const lock = r.Lock();
                if (r.Entry().Remove(field.c_str()) != 0)
                    throw py::key_error(field);
            },
            py::arg("field"), "Removes a field; KeyError when the record has no such field.")
        .def(
            "__contains__",
            [](Record const& r, std::string const& field) {
                auto const lock = r.Lock();
                return r.Entry().IsExist(field.c_str());
            },
            py::arg("field"))
        .def("__eq__", [](Record const& r, Record const& other) { return r == other; }, py::is_operator())
        .def("__hash__", &Record::Hash)
        .def("__repr__", [](Record const& r) {
            auto const lock = r.Lock();
            return Repr(r.Entry());
        });
}

}  // namespace quillset::python

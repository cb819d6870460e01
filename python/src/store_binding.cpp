// The Store class: a record store, its queries, changes, and its delimited and tree forms.
#include "bindings.h"
#include "record.h"
#include "store_tree.h"
#include "syntax.h"
#include "text.h"

#include "toolkit/failure.h"
#include "toolkit/store_text.h"

#include <pybind11/stl.h>

#include <optional>
#include <utility>
#include <vector>

namespace py = pybind11;

namespace quillset::python {

namespace {

using Conditions = std::vector<std::pair<std::string, std::string>>;

// The arguments of records() and create(): the record name and the parent by position (the
// parent also as parent=...), every other keyword a field. Taking the name by position lets
// name=... be the field that most commands have.
struct Query {
    std::optional<std::string> name;
    std::optional<Record> parent;
    Conditions fields;
};

Query QueryOf(char const* function, py::args const& args, py::kwargs const& kwargs)
{
    if (args.size() > 2)
        throw py::type_error(std::string(function) + "() takes at most 2 positional arguments (name, parent)");
    Query query;
    py::object parent = args.size() > 1 ? py::object(args[1]) : py::object(py::none());
    if (args.size() > 0 && !args[0].is_none())
        query.name = args[0].cast<std::string>();
    for (auto item : kwargs) {
        std::string const field = py::str(item.first);
        if (field == "parent")
            parent = py::reinterpret_borrow<py::object>(item.second);
        else
            query.fields.emplace_back(field, FieldText(item.second));
    }
    if (!parent.is_none())
        query.parent = parent.cast<Record>();
    return query;
}

// A missing field reads as the empty text, as in the store's own query language.
bool Matches(CDbEntry const& record, Conditions const& conditions)
{
    for (auto const& [field, text] : conditions) {
        if (text != static_cast<char const*>(record.Get(field.c_str())))
            return false;
    }
    return true;
}

// The record a Record designates, checked to belong to `store`.
CDbEntry* EntryIn(StorePtr const& store, Record const& record)
{
    if (record.Store() != store)
        throw py::value_error("the record belongs to another store");
    return &record.Entry();
}

std::vector<Record> Records(StorePtr const& store, py::args const& args, py::kwargs const& kwargs)
{
    Query const query = QueryOf("records", args, kwargs);
    std::lock_guard<std::mutex> const lock(store->Mutex());
    CDbObject& db = store->Store();
    CDbEntry const* const parent = query.parent ? EntryIn(store, *query.parent) : nullptr;
    std::vector<Record> found;
    auto const take = [&](CDbEntry* record) {
        if (Matches(*record, query.fields))
            found.emplace_back(store, record);
    };
    if (!query.name) {
        db.StartEnumeration();
        while (CDbEntry* const record = db.GetNextEntry()) {
            if (!query.parent || record->GetParent() == parent)
                take(record);
        }
        return found;
    }
    char const* const name = query.name->c_str();
    for (int i = 0;; ++i) {
        CDbEntry* const record = query.parent ? db.Select(name, parent, i) : db.Select(name, i);
        if (record == nullptr)
            return found;
        take(record);
    }
}

Record Create(StorePtr const& store, py::args const& args, py::kwargs const& kwargs)
{
    Query const query = QueryOf("create", args, kwargs);
    if (!query.name)
        throw py::type_error("create() needs a record name");
    std::lock_guard<std::mutex> const lock(store->Mutex());
    CDbEntry* const parent = query.parent ? EntryIn(store, *query.parent) : nullptr;
    CDbEntry* const record = store->Store().Create(query.name->c_str(), parent);
    for (auto const& [field, text] : query.fields)
        record->Set(field.c_str(), text.c_str());
    return Record(store, record);
}

void Delete(StorePtr const& store, Record const& record, bool cascade)
{
    std::lock_guard<std::mutex> const lock(store->Mutex());
    store->Delete(EntryIn(store, record), cascade);
}

py::str ToDelimited(StorePtr const& store)
{
    std::lock_guard<std::mutex> const lock(store->Mutex());
    return ToPython(toolkit::DelimitedText(store->Store()));
}

StorePtr FromDelimited(py::handle text)
{
    auto store = std::make_shared<StoreHandle>();
    try {
        toolkit::LoadDelimitedText(FromPython(text), store->Store(), "<text>");
    } catch (toolkit::Failure const& failure) {
        throw py::value_error(failure.Describe());
    }
    return store;
}

// The tree in the order of `syntax`, else of the syntax that parsed the store, else of the
// bundled syntax.
py::dict ToDict(StorePtr const& store, std::shared_ptr<Syntax> syntax)
{
    if (syntax == nullptr && store->Converter() == nullptr)
        syntax = std::make_shared<Syntax>(std::nullopt);
    std::lock_guard<std::mutex> const lock(store->Mutex());
    toolkit::SyntaxList const& syntaxes = syntax ? syntax->Syntaxes() : store->Converter()->Syntaxes();
    return TreeDict(toolkit::BuildTree(store->Store(), syntaxes), store->Source());
}

}  // namespace

void BindStore(py::module_& module)
{
    py::class_<StoreHandle, StorePtr>(module, "Store",
                                      "A record store: the records one configuration became, linked parent to "
                                      "children.")
        .def(py::init<>(), "An empty store.")
        .def("__len__",
             [](StorePtr const& store) {
                 std::lock_guard<std::mutex> const lock(store->Mutex());
                 return store->Store().GetEntryCount();
             })
        .def("records", &Records,
             "records(name=None, parent=None, /, **conditions)\n\nThe records named `name` (any name when None) whose parent is `parent` (any parent when None) "
             "and whose fields equal the keyword arguments (a missing field reads as ''), as a list. One "
             "name's records come in the order they were added. `name` is given by position, so that "
             "name=... is a field condition; `parent` by position or keyword.")
        .def(
            "__iter__",
            [](StorePtr const& store) { return py::iter(py::cast(Records(store, py::args(), py::kwargs()))); },
            "Iterates over every record.")
        .def("create", &Create,
             "create(name, parent=None, /, **fields)\n\nAdds a record named `name` under `parent` (None: at the top level) holding the keyword arguments "
             "as fields, in order, and returns it. `name` is given by position, so that name=... is a field; `parent` by position or keyword.")
        .def("delete", &Delete, py::arg("record"), py::arg("cascade") = false,
             "Deletes a record; with `cascade` its descendants too, else its children move to the top level. "
             "Records deleted here raise DeletedRecordError when used afterwards.")
        .def("to_delimited", &ToDelimited,
             "The store as delimited text, one record per line, parents as '__Parent=<line>'.")
        .def_static("from_delimited", &FromDelimited, py::arg("text"),
                    "A store read from delimited text as to_delimited writes it; ValueError names the line "
                    "of a bad parent link.")
        .def("to_dict", &ToDict, py::arg("syntax") = py::none(),
             "The store as the quillset tool's JSON document: {'source': ..., 'records': [{'name', 'fields', "
             "'header', 'footer', 'children'}, ...]} in reading order (the order generation writes), header, "
             "footer and children left out when not set or empty, 'source' only for a parsed store. The order "
             "comes from `syntax`, else the syntax that parsed the store, else the bundled one.");
}

}  // namespace quillset::python

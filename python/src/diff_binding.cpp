// Syntax.diff, Syntax.remediate and Syntax.apply: stores compared record by record, the
// configuration commands that turn one into another, and the configuration a device has
// after receiving commands, with the syntax's rules file (or another), as the tool does.
#include "bindings.h"
#include "errors.h"
#include "syntax.h"
#include "text.h"

#include "diff/command_apply.h"
#include "diff/config_diff.h"
#include "diff/remediation.h"

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>
#include <mutex>
#include <optional>

namespace py = pybind11;

namespace quillset::python {

namespace {

using RulesPath = std::optional<std::filesystem::path>;

diff::CommandModel ModelFor(Syntax const& syntax, RulesPath const& rules)
{
    diff::Rules loaded;
    diff::RulesError error;
    diff::CommandModel model;
    if (!diff::LoadRulesFor(syntax.Path(), rules ? rules->string() : "", loaded, error) ||
        !model.Build(syntax.Syntaxes(), loaded, error))
        RaiseRulesError(error.file, error.line, error.what);
    return model;
}

// Runs `compare` with the GIL released and both stores locked (once when they are one).
template <class Compare>
void WithStores(StoreHandle& a, StoreHandle& b, Compare compare)
{
    py::gil_scoped_release const released;
    if (&a == &b) {
        std::scoped_lock const lock(a.Mutex());
        compare();
    } else {
        std::scoped_lock const lock(a.Mutex(), b.Mutex());
        compare();
    }
}

py::list Texts(std::vector<std::string> const& texts)
{
    py::list list;
    for (std::string const& text : texts)
        list.append(ToPython(text));
    return list;
}

// The groups of `quillset diff --format json`.
py::list Diff(Syntax const& syntax, StorePtr const& a, StorePtr const& b, RulesPath const& rules)
{
    diff::CommandModel const model = ModelFor(syntax, rules);
    std::vector<diff::ChangeGroup> groups;
    WithStores(*a, *b, [&] { groups = diff::DiffStores(model, a->Store(), b->Store()); });
    py::list result;
    for (diff::ChangeGroup const& group : groups) {
        py::list changes;
        for (diff::RecordChange const& change : group.changes) {
            py::list fields;
            for (diff::FieldChange const& field : change.fields)
                fields.append(py::dict(py::arg("field") = ToPython(field.field), py::arg("old") = ToPython(field.oldValue),
                                       py::arg("new") = ToPython(field.newValue)));
            changes.append(py::dict(py::arg("kind") = diff::ChangeKindName(change.kind),
                                    py::arg("command") = ToPython(change.command), py::arg("lines") = Texts(change.lines),
                                    py::arg("fields") = fields));
        }
        result.append(py::dict(py::arg("parents") = Texts(group.parents), py::arg("changes") = changes));
    }
    return result;
}

py::str Remediate(Syntax const& syntax, StorePtr const& running, StorePtr const& intended, RulesPath const& rules)
{
    diff::CommandModel const model = ModelFor(syntax, rules);
    std::string text;
    WithStores(*running, *intended, [&] {
        for (std::string const& line : diff::Remediate(model, running->Store(), intended->Store()))
            text += line + "\n";
    });
    return ToPython(text);
}

StorePtr Apply(Syntax const& syntax, py::handle running, py::handle commands, bool dialect, RulesPath const& rules)
{
    diff::CommandModel const model = ModelFor(syntax, rules);
    Source const source = SourceOf(running);
    std::string const text = FromPython(commands);
    auto store = std::make_shared<StoreHandle>();
    try {
        py::gil_scoped_release const released;
        syntax.ParseInto(source, dialect, *store);
        toolkit::Converter const& converter = syntax.ConverterFor(dialect);
        diff::ApplyCommands(model, store->Store(), text, {converter.LineHandler(), converter.UnknownHandler()});
    } catch (toolkit::Failure const& failure) {
        RaiseParseError(failure);
    }
    return store;
}

}  // namespace

void BindDiff(py::module_& module)
{
    auto syntax = py::reinterpret_borrow<py::class_<Syntax, std::shared_ptr<Syntax>>>(module.attr("Syntax"));
    syntax
        .def("diff", &Diff, py::arg("a"), py::arg("b"), py::arg("rules") = py::none(),
             "The records only in store `a`, only in `b`, and matched records whose fields changed, grouped by "
             "parent: the 'groups' of `quillset diff --format json`. Records are identified by their command, "
             "the key fields of the rules file (`rules`, else the one beside the syntax) and their parents. "
             "Raises RulesError.")
        .def("remediate", &Remediate, py::arg("running"), py::arg("intended"), py::arg("rules") = py::none(),
             "The configuration commands that turn store `running` into `intended`, one per line, ready to "
             "paste in configuration mode; remediate(intended, running) is the rollback. Raises RulesError.")
        .def("apply", &Apply, py::arg("running"), py::arg("commands"), py::arg("dialect") = true,
             py::arg("rules") = py::none(),
             "A new Store: the configuration `running` (a path or the text, parsed as by parse) after "
             "receiving `commands` in configuration mode. Raises ParseError or RulesError.");
}

}  // namespace quillset::python

// The Syntax class and parse_many: compiling a syntax file, parsing configurations into
// stores (with the GIL released; one compiled syntax serves many threads) and generating
// configurations back.
#include "bindings.h"
#include "errors.h"
#include "syntax.h"
#include "text.h"

#include "toolkit/work_pool.h"

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>
#include <optional>
#include <vector>

namespace py = pybind11;

namespace quillset::python {

namespace {

StorePtr Parse(Syntax const& syntax, py::handle textOrPath, bool dialect)
{
    Source const source = SourceOf(textOrPath);
    auto store = std::make_shared<StoreHandle>();
    try {
        py::gil_scoped_release const released;
        syntax.ParseInto(source, dialect, *store);
    } catch (toolkit::Failure const& failure) {
        RaiseParseError(failure);
    }
    return store;
}

py::str Generate(Syntax& syntax, StorePtr const& store)
{
    std::string text;
    try {
        py::gil_scoped_release const released;
        text = syntax.Generate(*store);
    } catch (toolkit::Failure const& failure) {
        RaiseGenerateError(failure);
    }
    return ToPython(text);
}

// Parses every file on `jobs` threads with the GIL released; the stores come in the order
// of the paths. A file that fails raises ParseError once all the others are parsed.
std::vector<StorePtr> ParseMany(std::vector<std::filesystem::path> const& paths, std::optional<int> jobs,
                                std::shared_ptr<Syntax> syntax, bool dialect)
{
    if (jobs && *jobs < 1)
        throw py::value_error("jobs must be at least 1");
    if (!syntax)
        syntax = std::make_shared<Syntax>(std::nullopt);
    std::vector<StorePtr> stores;
    for (std::size_t i = 0; i < paths.size(); ++i)
        stores.push_back(std::make_shared<StoreHandle>());
    std::vector<std::optional<toolkit::Failure>> failures(paths.size());
    {
        py::gil_scoped_release const released;
        toolkit::ForEachOnThreads(paths.size(), jobs ? static_cast<unsigned>(*jobs) : 0, [&](std::size_t i) {
            try {
                syntax->ParseInto(Source{paths[i].string(), {}}, dialect, *stores[i]);
            } catch (toolkit::Failure const& failure) {
                failures[i] = failure;
            }
        });
    }
    for (std::optional<toolkit::Failure> const& failure : failures) {
        if (failure)
            RaiseParseError(*failure);
    }
    return stores;
}

}  // namespace

void BindSyntax(py::module_& module)
{
    py::class_<Syntax, std::shared_ptr<Syntax>>(module, "Syntax",
                                                "A compiled syntax file: parses configurations into stores and "
                                                "generates them back, as the quillset tool does. One Syntax may "
                                                "parse on many threads at once.")
        .def(py::init([](std::optional<std::filesystem::path> const& path) {
                 return std::make_shared<Syntax>(path ? std::optional<std::string>(path->string()) : std::nullopt);
             }),
             py::arg("path") = py::none(),
             "Compiles the syntax file at `path` (the bundled device syntax when None); raises "
             "SyntaxFileError with the library's messages and status when it does not compile.")
        .def_property_readonly("path", &Syntax::Path, "The syntax file's path.")
        .def("parse", &Parse, py::arg("text_or_path"), py::arg("dialect") = true,
             "Parses a configuration into a new Store: a pathlib.Path or a str without a line feed names a "
             "file, any other str is the configuration itself. With `dialect`, the tool's device dialect "
             "applies ('!' lines, banners, unmatched lines placed by indentation); without it, lines are "
             "matched one by one and unmatched ones kept at the top level. Raises ParseError.")
        .def("generate", &Generate, py::arg("store"),
             "The configuration text of a store, in the syntax file's order; raises GenerateError on failure.");

    module.def("parse_many", &ParseMany, py::arg("paths"), py::arg("jobs") = py::none(),
               py::arg("syntax") = py::none(), py::arg("dialect") = true,
               "Parses configuration files on `jobs` threads (all cores when None) with the GIL released and "
               "returns their stores in the order of `paths`, with one compiled Syntax (the bundled one when "
               "None) shared by all threads. Raises ParseError for the first file that failed, after all of "
               "them were parsed.");
}

}  // namespace quillset::python

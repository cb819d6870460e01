// The Syntax class and parse_many: compiling a syntax file, parsing configurations into
// stores (with the GIL released; one compiled syntax serves many threads) and generating
// configurations back.
#include "bindings.h"
#include "errors.h"
#include "stderr_capture.h"
#include "store_handle.h"

#include <quillset/cmdgen.h>

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <variant>
#include <vector>

namespace py = pybind11;

namespace quillset::python {

namespace {

std::vector<std::string> Lines(std::string const& text)
{
    std::vector<std::string> lines;
    std::istringstream input(text);
    for (std::string line; std::getline(input, line);)
        lines.push_back(line);
    return lines;
}

// The bundled syntax file, installed beside the module.
std::string BundledSyntaxPath()
{
    std::filesystem::path const module = py::module_::import("quillset").attr("__file__").cast<std::string>();
    return (module.parent_path() / "quillset_data" / "zyn.syntax").string();
}

// A configuration to parse: a file, or the text itself.
struct Source {
    std::optional<std::string> path;
    std::string text;
};

Source SourceOf(std::variant<std::string, std::filesystem::path> const& textOrPath)
{
    if (auto const* path = std::get_if<std::filesystem::path>(&textOrPath))
        return {path->string(), {}};
    std::string const& text = std::get<std::string>(textOrPath);
    if (text.find('\n') == std::string::npos)
        return {text, {}};
    // The library's text type ends at a NUL byte; what follows would be lost without a word.
    if (std::size_t const nul = text.find('\0'); nul != std::string::npos) {
        auto const line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(nul), '\n');
        throw py::value_error("the configuration text holds a NUL byte on line " + std::to_string(line));
    }
    return {std::nullopt, text};
}

// One compiled syntax file, twice: with the device dialect's handlers and without, so that
// parsing never changes a CCmdGen and threads can share both.
class Syntax {
public:
    explicit Syntax(std::optional<std::filesystem::path> const& path)
        : m_path(path ? path->string() : BundledSyntaxPath()), m_dialect(Compile(m_path)), m_plain(Compile(m_path))
    {
        SetZynMode(m_dialect.get());
        m_plain->RegisterUnknownCommandHandler(QuillsetHandleUnknown);
    }

    std::string const& Path() const { return m_path; }

    // Parses into a new store; 0, or the status of a configuration file that failed.
    int ParseInto(Source const& source, bool dialect, CDbObject& store) const
    {
        CCmdGen& gen = dialect ? *m_dialect : *m_plain;
        if (source.path)
            return gen.ParseCommandFile(source.path->c_str(), store);
        return gen.ParseCommand(CString(source.text.c_str()), store);
    }

    StorePtr Parse(Source const& source, bool dialect) const
    {
        auto store = std::make_shared<StoreHandle>();
        int status;
        {
            py::gil_scoped_release const released;
            status = ParseInto(source, dialect, store->Store());
        }
        if (status != 0)
            RaiseParseError(*source.path, status);
        return store;
    }

    std::string Generate(StorePtr const& store)
    {
        CString text;
        int status;
        {
            py::gil_scoped_release const released;
            std::scoped_lock const lock(m_generateMutex, store->Mutex());
            status = m_dialect->GenerateCommand(store->Store(), text);
        }
        if (status != 0)
            RaiseGenerateError(status, m_dialect->GetErrorLineNumber());
        return static_cast<char const*>(text);
    }

private:
    static std::unique_ptr<CCmdGen> Compile(std::string const& path)
    {
        StderrCapture capture;
        auto gen = std::make_unique<CCmdGen>(path.c_str(), 64);
        std::string const messages = capture.Finish();
        if (gen->GetStatus() != 0)
            RaiseSyntaxFileError(path, gen->GetStatus(), Lines(messages));
        return gen;
    }

    std::string m_path;
    std::unique_ptr<CCmdGen> m_dialect;
    std::unique_ptr<CCmdGen> m_plain;
    std::mutex m_generateMutex;  // generation uses the CCmdGen's own state
};

// Parses every file on `jobs` threads with the GIL released; the stores come in the order
// of the paths. A file that fails raises ParseError once all the others are parsed.
std::vector<StorePtr> ParseMany(std::vector<std::filesystem::path> const& paths, std::optional<int> jobs,
                                std::shared_ptr<Syntax> syntax, bool dialect)
{
    if (!syntax)
        syntax = std::make_shared<Syntax>(std::nullopt);
    if (jobs && *jobs < 1)
        throw py::value_error("jobs must be at least 1");
    std::vector<StorePtr> stores(paths.size());
    std::vector<int> statuses(paths.size(), 0);
    for (StorePtr& store : stores)
        store = std::make_shared<StoreHandle>();
    {
        py::gil_scoped_release const released;
        std::atomic<std::size_t> next{0};
        auto const work = [&] {
            for (std::size_t i; (i = next++) < paths.size();)
                statuses[i] = syntax->ParseInto(Source{paths[i].string(), {}}, dialect, stores[i]->Store());
        };
        unsigned const cores = std::max(1u, std::thread::hardware_concurrency());
        std::size_t const threads = std::min<std::size_t>(jobs ? *jobs : cores, paths.size());
        std::vector<std::thread> workers;
        for (std::size_t t = 1; t < threads; ++t)
            workers.emplace_back(work);
        work();
        for (std::thread& worker : workers)
            worker.join();
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (statuses[i] != 0)
            RaiseParseError(paths[i].string(), statuses[i]);
    }
    return stores;
}

}  // namespace

void BindSyntax(py::module_& module)
{
    py::class_<Syntax, std::shared_ptr<Syntax>>(module, "Syntax",
                                                "A compiled syntax file: parses configurations into stores and "
                                                "generates them back. One Syntax may parse on many threads at once.")
        .def(py::init<std::optional<std::filesystem::path> const&>(), py::arg("path") = py::none(),
             "Compiles the syntax file at `path` (the bundled device syntax when None); raises "
             "SyntaxFileError with the library's messages and status when it does not compile.")
        .def_property_readonly("path", &Syntax::Path, "The syntax file's path.")
        .def(
            "parse",
            [](Syntax const& syntax, std::variant<std::string, std::filesystem::path> const& textOrPath,
               bool dialect) { return syntax.Parse(SourceOf(textOrPath), dialect); },
            py::arg("text_or_path"), py::arg("dialect") = true,
            "Parses a configuration into a new Store: a pathlib.Path or a str without a line feed names a "
            "file, any other str is the configuration itself. With `dialect`, the device dialect's '!' lines, "
            "banners and indentation rules apply; without it, unmatched lines are kept at the top level.")
        .def("generate", &Syntax::Generate, py::arg("store"),
             "The configuration text of a store, in the syntax file's order; raises GenerateError on failure.");

    module.def("parse_many", &ParseMany, py::arg("paths"), py::arg("jobs") = py::none(),
               py::arg("syntax") = py::none(), py::arg("dialect") = true,
               "Parses configuration files on `jobs` threads (all cores when None) with the GIL released and "
               "returns their stores in the order of `paths`; with one compiled Syntax (the bundled one when "
               "None) shared by all threads. Raises ParseError for the first file that failed, after all of "
               "them were parsed.");
}

}  // namespace quillset::python

// Compiling a syntax file with its messages captured, parsing and generating through the
// toolkit's converter.
#include "syntax.h"

#include "errors.h"
#include "stderr_capture.h"
#include "text.h"

#include "toolkit/failure.h"
#include "toolkit/input_file.h"

#include <pybind11/stl/filesystem.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
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

bool CanOpen(std::string const& path)
{
    std::FILE* const file = std::fopen(path.c_str(), "r");
    if (file != nullptr)
        std::fclose(file);
    return file != nullptr;
}

}  // namespace

Syntax::Syntax(std::optional<std::string> const& path)
    : m_path(path ? *path : BundledSyntaxPath()), m_dialect(Compile(true)), m_plain(Compile(false))
{
}

std::shared_ptr<toolkit::Converter> Syntax::Compile(bool dialect) const
{
    StderrCapture capture;
    try {
        return std::make_shared<toolkit::Converter>(toolkit::ConverterOptions{m_path, dialect, true});
    } catch (toolkit::Failure const&) {
        RaiseSyntaxFileError(m_path, CanOpen(m_path) ? 2 : 4, Lines(capture.Finish()));
    }
}

Source SourceOf(py::handle textOrPath)
{
    if (!py::isinstance<py::str>(textOrPath))
        return {textOrPath.cast<std::filesystem::path>().string(), {}};
    std::string text = FromPython(textOrPath);
    if (text.find('\n') == std::string::npos)
        return {std::move(text), {}};
    return {std::nullopt, std::move(text)};
}

void Syntax::ParseInto(Source const& source, bool dialect, StoreHandle& store) const
{
    std::string const name = source.path ? *source.path : "<text>";
    std::string text = source.path ? toolkit::ReadInputFile(*source.path) : source.text;
    std::shared_ptr<toolkit::Converter> const& converter = dialect ? m_dialect : m_plain;
    converter->Parse(std::move(text), store.Store(), name);
    store.SetOrigin(name, converter);
}

std::string Syntax::Generate(StoreHandle& store)
{
    std::scoped_lock const lock(m_generateMutex, store.Mutex());
    return m_dialect->Generate(store.Store(), "<store>");
}

}  // namespace quillset::python

// Syntax: a compiled syntax file as the module uses it, twice over: with the tool's device
// dialect and without, so that parsing never changes a converter and threads can share
// both. Parsing and generation go through the toolkit, as in the quillset tool, so the
// module's stores and trees are the tool's.
#ifndef QUILLSET_PYTHON_SYNTAX_H
#define QUILLSET_PYTHON_SYNTAX_H

#include "store_handle.h"

#include "toolkit/converter.h"

#include <pybind11/pybind11.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace quillset::python {

// A configuration to parse: a file, or the text itself.
struct Source {
    std::optional<std::string> path;
    std::string text;
};

// A pathlib.Path, or a str without a line feed, names a file; any other str is the text.
Source SourceOf(pybind11::handle textOrPath);

class Syntax {
public:
    // Compiles the file (the bundled syntax for none); raises SyntaxFileError when it
    // cannot be used.
    explicit Syntax(std::optional<std::string> const& path);

    std::string const& Path() const { return m_path; }
    toolkit::SyntaxList const& Syntaxes() const { return m_dialect->Syntaxes(); }
    // The converter that parses with the device dialect or without it.
    toolkit::Converter& ConverterFor(bool dialect) const { return dialect ? *m_dialect : *m_plain; }

    // Parses into `store`; throws toolkit::Failure. Safe on many threads at once.
    void ParseInto(Source const& source, bool dialect, StoreHandle& store) const;
    // The configuration text of `store`; throws toolkit::Failure. One at a time.
    std::string Generate(StoreHandle& store);

private:
    std::shared_ptr<toolkit::Converter> Compile(bool dialect) const;

    std::string m_path;
    std::shared_ptr<toolkit::Converter> m_dialect;
    std::shared_ptr<toolkit::Converter> m_plain;
    std::mutex m_generateMutex;  // generation uses the converter's own state
};

}  // namespace quillset::python

#endif

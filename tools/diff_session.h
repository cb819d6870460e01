// What diff, remediate and apply share: the converter flags plus the rules file, and a
// session that loads the syntax and its rules once and parses configurations with them.
#ifndef QUILLSET_TOOLS_DIFF_SESSION_H
#define QUILLSET_TOOLS_DIFF_SESSION_H

#include "converter_options.h"

#include "diff/command_apply.h"
#include "diff/command_model.h"
#include "toolkit/converter.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

namespace quillset::tool {

struct DiffFlags {
    ConverterFlags converter;
    std::string rules;  // empty: the file beside the syntax with the extension ".rules"
};

void AddDiffFlags(CLI::App& command, DiffFlags& flags);

class DiffSession {
public:
    // Throws toolkit::Failure for a syntax or rules file that cannot be used. Without
    // --rules, a syntax with no rules file beside it identifies records by their text.
    explicit DiffSession(DiffFlags const& flags);

    diff::CommandModel const& Model() const { return m_model; }
    // Reads and parses a configuration file ("-" for the standard input) into `db`.
    void Parse(std::string const& path, CDbObject& db);
    // The configuration text of `db`, written to `output` ("-" for the standard output).
    void Write(CDbObject const& db, std::string const& output);
    // The handlers parsing used, for applying commands the same way.
    diff::ApplyDialect Dialect() const;

private:
    toolkit::Converter m_converter;
    diff::CommandModel m_model;
};

using Comparison = std::function<void(diff::CommandModel const&, CDbObject const&, CDbObject const&)>;

// What diff and remediate share: one session parses the two configurations, in order
// (a failure names the first that cannot be read), and `compare` gets the model and both.
void CompareConfigurations(DiffFlags const& flags, std::string const& firstPath, std::string const& secondPath,
                           Comparison const& compare);

}  // namespace quillset::tool

#endif

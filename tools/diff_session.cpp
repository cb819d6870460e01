// Loading the syntax with its rules for the comparing subcommands.
#include "diff_session.h"

#include "config_files.h"
#include "process_store.h"

#include "toolkit/failure.h"

namespace quillset::tool {

void AddDiffFlags(CLI::App& command, DiffFlags& flags)
{
    AddConverterFlags(command, flags.converter);
    command.add_option("-r,--rules", flags.rules,
                       "Rules file: identifying fields, replacing commands, dependencies (default: the .rules file "
                       "beside the syntax)");
}

DiffSession::DiffSession(DiffFlags const& flags) : m_converter(flags.converter.Options())
{
    diff::Rules rules;
    diff::RulesError error;
    if (!diff::LoadRulesFor(m_converter.Options().syntaxPath, flags.rules, rules, error))
        throw toolkit::Failure(error.file, error.line, error.what);
    if (!m_model.Build(m_converter.Syntaxes(), rules, error))
        throw toolkit::Failure(error.file, error.line, error.what);
}

void DiffSession::Parse(std::string const& path, CDbObject& db) { ParseConfigFile(m_converter, path, db); }

void DiffSession::Write(CDbObject const& db, std::string const& output) { WriteConfigFile(m_converter, db, output); }

diff::ApplyDialect DiffSession::Dialect() const
{
    return {m_converter.LineHandler(), m_converter.UnknownHandler()};
}

void CompareConfigurations(DiffFlags const& flags, std::string const& firstPath, std::string const& secondPath,
                           Comparison const& compare)
{
    DiffSession session(flags);
    CDbObject& first = StoreUntilExit();
    CDbObject& second = StoreUntilExit();
    session.Parse(firstPath, first);
    session.Parse(secondPath, second);
    compare(session.Model(), first, second);
}

}  // namespace quillset::tool

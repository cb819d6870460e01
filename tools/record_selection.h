// Selecting records from the command line through the library's query language: a record
// name, FIELD=VALUE conditions and an optional parent given as NAME:FIELD=VALUE.
#ifndef QUILLSET_TOOLS_RECORD_SELECTION_H
#define QUILLSET_TOOLS_RECORD_SELECTION_H

#include <CLI/CLI.hpp>
#include <quillset/dbobject.h>

#include <string>
#include <vector>

namespace quillset::tool {

// The most conditions one query takes.
constexpr std::size_t kMaxConditions = 8;

struct Selection {
    std::string name;
    std::vector<std::string> conditions;  // FIELD=VALUE
    std::string under;                    // NAME:FIELD=VALUE, or empty

    // Adds the positional NAME and conditions and --under to `command`.
    void AddTo(CLI::App& command);
    // The matching records in store order; throws Failure naming `source` when the parent
    // given with --under does not exist.
    std::vector<CDbEntry*> Select(CDbObject& db, std::string const& source) const;
    // A new record holding the conditions as its fields, under the --under parent.
    CDbEntry* Create(CDbObject& db, std::string const& source) const;
};

// Validates FIELD=VALUE texts for CLI11.
CLI::Validator FieldAssignment();

}  // namespace quillset::tool

#endif

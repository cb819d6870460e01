// The record-level difference between two configurations: records only in the first, only
// in the second, and matched records whose other fields changed, grouped by parent.
#ifndef QUILLSET_DIFF_CONFIG_DIFF_H
#define QUILLSET_DIFF_CONFIG_DIFF_H

#include "diff/command_model.h"
#include "diff/record_match.h"

#include <quillset/dbobject.h>

#include <string>
#include <vector>

namespace quillset::diff {

enum class ChangeKind { OnlyInA, OnlyInB, Changed };

// "only_in_a", "only_in_b" or "changed", as the JSON of a difference names the kinds.
char const* ChangeKindName(ChangeKind kind);

struct RecordChange {
    ChangeKind kind = ChangeKind::Changed;
    std::string command;             // the command ID ("_UNKNOWN" for an unmatched line)
    std::vector<std::string> lines;  // the record's lines and its descendants' (the second side's when changed)
    std::vector<FieldChange> fields;  // for a changed record
};

struct ChangeGroup {
    std::vector<std::string> parents;  // the first line of each ancestor, outermost first
    std::vector<RecordChange> changes;
};

// Groups in the order of the configuration; empty when the two have the same records.
std::vector<ChangeGroup> DiffStores(CommandModel const& model, CDbObject const& a, CDbObject const& b);

// The lines of a record and of its descendants, in output order, indented as written.
std::vector<std::string> SubtreeLines(CommandModel const& model, CDbEntry const& record);

std::string TrimIndent(std::string const& line);

}  // namespace quillset::diff

#endif

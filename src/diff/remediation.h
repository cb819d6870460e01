// Remediation: the configuration commands that turn one configuration into another, ready
// to paste in configuration mode.
#ifndef QUILLSET_DIFF_REMEDIATION_H
#define QUILLSET_DIFF_REMEDIATION_H

#include "diff/command_model.h"

#include <quillset/dbobject.h>

#include <string>
#include <vector>

namespace quillset::diff {

// The lines that turn `running` into `intended`: modes entered before their sub-commands
// and left with their exit line; removed records negated (a removed mode once); changed
// records of replacing commands sent with their new values; additions of depended-on
// commands first and their removals last, everything else in the syntax file's order; a
// lone "!" before an indented line that stands at the top level.
// Records of commands that cannot be both written and read back are left alone.
std::vector<std::string> Remediate(CommandModel const& model, CDbObject const& running, CDbObject const& intended);

// The line that removes `record`: its negation field set, else its "no" form ("no " added
// after the indentation, or taken away when the line already starts with it).
std::vector<std::string> NegationLines(CommandModel const& model, CDbEntry const& record);

}  // namespace quillset::diff

#endif

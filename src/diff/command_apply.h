// Apply: the configuration a device would have after receiving commands in configuration
// mode, so that a change can be checked before it is sent.
#ifndef QUILLSET_DIFF_COMMAND_APPLY_H
#define QUILLSET_DIFF_COMMAND_APPLY_H

#include "diff/command_model.h"

#include <quillset/cmdgen.h>
#include <quillset/dbobject.h>

#include <string_view>

namespace quillset::diff {

// The handlers the configurations were parsed with: the line handler joins multi-line
// commands, the unknown-command handler places (or folds away) lines no syntax describes.
// Either may be null.
struct ApplyDialect {
    QuillsetLineHandler lineHandler = nullptr;
    QuillsetUnknownHandler unknownHandler = nullptr;
};

struct ApplyReport {
    int commands = 0;        // commands read
    int unmatchedLines = 0;  // commands no syntax describes, kept as unmatched lines
};

// Changes `store` as the commands would change the device: a mode command enters its mode
// (creating the record or selecting the one there), the mode's exit line leaves it, a
// command outside the current mode leaves it for the mode it belongs to; a record of a
// keyed or negatable command replaces the one with the same identity; "no" forms and
// negation fields remove records (a removed mode with everything under it); lines no syntax
// describes are kept as unmatched lines, placed by the dialect's handler as parsing places
// them (a line that the line handler empties, such as a lone "!", ends the context of the
// command before it).
ApplyReport ApplyCommands(CommandModel const& model, CDbObject& store, std::string_view commands,
                          ApplyDialect const& dialect);

}  // namespace quillset::diff

#endif

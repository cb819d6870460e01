// A line-based unified diff of two texts, to show what a change did to a configuration.
#ifndef QUILLSET_TOOLKIT_LINE_DIFF_H
#define QUILLSET_TOOLKIT_LINE_DIFF_H

#include <string>

namespace quillset::toolkit {

// The unified diff ("---", "+++", "@@" hunks with three lines of context) from `before` to
// `after`; empty when they are equal. Past a size limit on the changed middle part, that
// part is shown as removed and added whole instead of being matched line by line.
std::string UnifiedDiff(std::string const& before, std::string const& after, std::string const& beforeName,
                        std::string const& afterName);

}  // namespace quillset::toolkit

#endif

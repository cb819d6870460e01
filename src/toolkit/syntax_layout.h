// The shape of a compiled syntax list as generation walks it: levels of commands that share
// a parent ID, and the group of each command (its definitions and their children). The
// record tree and the lint both follow this walk, so they agree with generation.
#ifndef QUILLSET_TOOLKIT_SYNTAX_LAYOUT_H
#define QUILLSET_TOOLKIT_SYNTAX_LAYOUT_H

#include <quillset/cmdsyntax.h>
#include <quillset/dynarray.h>

namespace quillset::toolkit {

using SyntaxList = CDynArray<CCmdSyntax*>;

// The index just after the group of the command whose first definition at its level is
// `first`: its further definitions and, after each, its children's groups, to any depth.
int EndOfGroup(SyntaxList const& syntaxes, int first);

// The index just after the level that starts at `first` (the run of groups whose
// definitions carry that definition's parent ID).
int EndOfLevel(SyntaxList const& syntaxes, int first);

// The index of the first definition with an empty parent ID, or -1.
int FirstTopLevelDefinition(SyntaxList const& syntaxes);

bool HasChildDefinitions(SyntaxList const& syntaxes, char const* id);

}  // namespace quillset::toolkit

#endif

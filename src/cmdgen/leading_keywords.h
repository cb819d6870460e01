// LeadingKeywords: the first words a command that a compiled definition matches can start
// with, found by walking the definition's leading literals, optional parts, group
// alternatives and word lists. The dispatch index files a definition under each of them.
#ifndef QUILLSET_CMDGEN_LEADING_KEYWORDS_H
#define QUILLSET_CMDGEN_LEADING_KEYWORDS_H

#include <quillset/symbols.h>

#include <string>
#include <vector>

namespace quillset::cmdgen {

// Every keyword (leading blanks and first word, as CommandDispatch::Keyword takes them) of
// the lines `root` can match, without repeats; empty when the first word is not determined
// by literals alone (a free variable, a host's own symbol, a line of blanks) or when there
// would be too many to list.
std::vector<std::string> LeadingKeywords(CSymbolEntry const* root);

}  // namespace quillset::cmdgen

#endif

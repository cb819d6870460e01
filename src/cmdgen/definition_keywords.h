// DefinitionKeywords: the literal texts of each definition's main chain, gathered once per
// parse. A command that lacks one of them, in order, cannot match the definition; checking
// that from the gathered texts spares the parser a walk of the definition's symbols, with a
// type check on each, for every definition it tries.
#ifndef QUILLSET_CMDGEN_DEFINITION_KEYWORDS_H
#define QUILLSET_CMDGEN_DEFINITION_KEYWORDS_H

#include <quillset/cmdsyntax.h>
#include <quillset/dynarray.h>

#include <vector>

namespace quillset::cmdgen {

class DefinitionKeywords {
public:
    explicit DefinitionKeywords(CDynArray<CCmdSyntax*> const& syntaxes);

    // Whether `text` holds the keywords of the definition at `index` in order, as
    // CSymbolEntry::HasKeywords on its root tells.
    bool FoundIn(int index, char const* text) const;

private:
    std::vector<std::vector<char const*>> m_keywords;  // by syntax index
};

}  // namespace quillset::cmdgen

#endif

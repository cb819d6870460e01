// Visiting the variables of a definition: its symbol chain, its optional parts and the
// alternatives of its groups, in the order they are written.
#ifndef QUILLSET_TOOLKIT_SYMBOL_WALK_H
#define QUILLSET_TOOLKIT_SYMBOL_WALK_H

#include <quillset/symbols.h>

namespace quillset::toolkit {

template <class Visit>
void ForEachVariable(CSymbolEntry* symbol, Visit const& visit)
{
    for (; symbol != nullptr; symbol = symbol->GetNext()) {
        if (auto* group = dynamic_cast<CSymbolGroup*>(symbol)) {
            for (int i = 0; i < group->GetAlternativeCount(); ++i)
                ForEachVariable(group->GetAlternative(i), visit);
        }
        if (auto* variable = dynamic_cast<CSymbolVar*>(symbol))
            visit(*variable);
        ForEachVariable(symbol->GetBranch(), visit);
    }
}

}  // namespace quillset::toolkit

#endif

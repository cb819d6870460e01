// Gathering and finding the keywords of each definition.
#include "cmdgen/definition_keywords.h"

#include <cstring>

namespace quillset::cmdgen {

DefinitionKeywords::DefinitionKeywords(CDynArray<CCmdSyntax*> const& syntaxes) : m_keywords(syntaxes.GetSize())
{
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        for (CSymbolEntry const* symbol = syntaxes[i]->GetRoot(); symbol != nullptr; symbol = symbol->GetNext()) {
            if (auto const* literal = dynamic_cast<CSymbolString const*>(symbol))
                m_keywords[i].push_back(literal->GetText());
        }
    }
}

bool DefinitionKeywords::FoundIn(int index, char const* text) const
{
    for (char const* keyword : m_keywords[index]) {
        char const* found = std::strstr(text, keyword);
        if (found == nullptr)
            return false;
        text = found + std::strlen(keyword);
    }
    return true;
}

}  // namespace quillset::cmdgen

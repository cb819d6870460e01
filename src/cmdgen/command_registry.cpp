// CommandRegistry: parent IDs, nesting depth and definition size of registered commands.
#include "cmdgen/command_registry.h"

#include <quillset/cmdgen.h>
#include <quillset/limits.h>
#include <quillset/results.h>

#include <cstring>
#include <vector>

namespace quillset::detail {

namespace {

// Whether the tree from `root` (optional parts and group alternatives included) stays
// within the symbol and variable limits. Walked with a stack: a tree is never trusted to
// be shallow before it has been measured.
bool IsWithinSizeLimits(CSymbolEntry* root)
{
    std::vector<CSymbolEntry const*> pending{root};
    int symbols = 0;
    int variables = 0;
    while (!pending.empty()) {
        CSymbolEntry const* symbol = pending.back();
        pending.pop_back();
        if (symbol == nullptr)
            continue;
        ++symbols;
        if (dynamic_cast<CSymbolVar const*>(symbol) != nullptr)
            ++variables;
        if (symbols > QS_MAX_DEFINITION_SYMBOLS || variables > QS_MAX_DEFINITION_VARIABLES)
            return false;
        pending.push_back(symbol->GetBranch());
        pending.push_back(symbol->GetNext());
        if (auto const* group = dynamic_cast<CSymbolGroup const*>(symbol)) {
            for (int i = 0; i < group->GetAlternativeCount(); ++i)
                pending.push_back(group->GetAlternative(i));
        }
    }
    return true;
}

}  // namespace

int CommandRegistry::Check(char const* id, char const* parentId, CSymbolEntry* root) const
{
    // Every command but "_UNKNOWN" has one parent command.
    if (std::strcmp(id, QS_UNKNOWN_ID) != 0) {
        auto const known = m_commands.find(id);
        if (known != m_commands.end() && known->second.parentId != parentId)
            return QS_PARENT_MISMATCH;
    }
    if (DepthUnder(parentId) > QS_MAX_SYNTAX_NESTING || !IsWithinSizeLimits(root))
        return QS_BEYOND_LIMIT;
    return QS_OK;
}

void CommandRegistry::Register(char const* id, char const* parentId)
{
    m_commands.emplace(id, Command{parentId, DepthUnder(parentId)});
}

// The depth of a command registered under `parentId`; a parent not registered (yet)
// counts as a top-level command.
int CommandRegistry::DepthUnder(char const* parentId) const
{
    if (*parentId == '\0')
        return 1;
    auto const parent = m_commands.find(parentId);
    return parent != m_commands.end() ? parent->second.depth + 1 : 2;
}

}  // namespace quillset::detail

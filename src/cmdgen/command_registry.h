// CommandRegistry: what CCmdGen::AddCommand checks before it accepts a definition: the
// parent ID each command ID was first registered with, the nesting depth of each command,
// and the size of the definition's symbol tree.
#ifndef QUILLSET_CMDGEN_COMMAND_REGISTRY_H
#define QUILLSET_CMDGEN_COMMAND_REGISTRY_H

#include <quillset/symbols.h>

#include <string>
#include <unordered_map>

namespace quillset::detail {

class CommandRegistry {
public:
    // 0 when the definition may be registered; 9 the ID has another parent ID; 11 it
    // nests too deep or holds too many variables or symbols.
    int Check(char const* id, char const* parentId, CSymbolEntry* root) const;
    void Register(char const* id, char const* parentId);

private:
    struct Command {
        std::string parentId;
        int depth;  // 1 at the top level
    };

    int DepthUnder(char const* parentId) const;

    std::unordered_map<std::string, Command> m_commands;
};

}  // namespace quillset::detail

#endif

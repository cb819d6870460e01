// Walks over a compiled syntax list the way generation does, without writing anything.
#include "toolkit/syntax_layout.h"

#include <cstring>
#include <vector>

namespace quillset::toolkit {

namespace {

bool SameText(char const* a, char const* b) { return std::strcmp(a, b) == 0; }

}  // namespace

// Iterative (a stack of the commands whose groups are open), so a deeply nested syntax file
// cannot exhaust the call stack.
int EndOfGroup(SyntaxList const& syntaxes, int first)
{
    int const count = syntaxes.GetSize();
    std::vector<char const*> open{syntaxes[first]->GetId()};
    int k = first + 1;
    while (k < count) {
        char const* innermost = open.back();
        if (SameText(syntaxes[k]->GetParentId(), innermost)) {
            open.push_back(syntaxes[k]->GetId());
            ++k;
        } else if (SameText(syntaxes[k]->GetId(), innermost)) {
            ++k;
        } else {
            open.pop_back();
            if (open.empty())
                break;
        }
    }
    return k;
}

int EndOfLevel(SyntaxList const& syntaxes, int first)
{
    int const count = syntaxes.GetSize();
    if (first >= count)
        return first;
    char const* parentId = syntaxes[first]->GetParentId();
    int i = first;
    while (i < count && SameText(syntaxes[i]->GetParentId(), parentId))
        i = EndOfGroup(syntaxes, i);
    return i;
}

int FirstTopLevelDefinition(SyntaxList const& syntaxes)
{
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        if (syntaxes[i]->GetParentId()[0] == '\0')
            return i;
    }
    return -1;
}

bool HasChildDefinitions(SyntaxList const& syntaxes, char const* id)
{
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        if (SameText(syntaxes[i]->GetParentId(), id))
            return true;
    }
    return false;
}

}  // namespace quillset::toolkit

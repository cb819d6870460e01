// CCmdSyntax: one compiled command, with the switches that let it take part in generation
// and parsing.
#include <quillset/cmdsyntax.h>

#include "base/owned_text.h"
#include "syntax/command_flags.h"
#include "syntax/padded_line.h"

using quillset::syntax::kGenerateFlag;
using quillset::syntax::kParseFlag;

CCmdSyntax::CCmdSyntax(char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags)
    : id(quillset::CopyText(id)),
      parentId(quillset::CopyText(parentId)),
      root(root),
      packable(root == nullptr || root->IsPackable()),
      flags(flags)
{
    // Commands whose ID begins with "_" are only ever written, never read.
    if (this->id[0] == '_')
        this->flags &= ~kParseFlag;
}

CCmdSyntax::~CCmdSyntax()
{
    delete[] id;
    delete[] parentId;
    delete root;
}

// A command without symbols writes an empty line and matches nothing.
int CCmdSyntax::Generate(CDbEntry const* record, CString& out, bool emptyOnMissing)
{
    out.Empty();
    if ((flags & kGenerateFlag) == 0)
        return 5;
    return root != nullptr ? root->GenerateChain(record, out, emptyOnMissing) : 0;
}

int CCmdSyntax::Parse(char const* line, CDbEntry* record)
{
    return quillset::syntax::ParseLine(*this, quillset::syntax::PaddedLine(line), record);
}

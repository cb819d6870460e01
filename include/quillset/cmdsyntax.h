// CCmdSyntax: one compiled command of a syntax file. It owns the command's symbol tree and
// knows the command's ID, the ID of its parent command and whether it takes part in
// generation (flags bit 1) and parsing (flags bit 2); other flag bits are carried unchanged.
#ifndef QUILLSET_CMDSYNTAX_H
#define QUILLSET_CMDSYNTAX_H

#include <quillset/dbentry.h>
#include <quillset/export.h>
#include <quillset/qstring.h>
#include <quillset/symbols.h>

class QS_API CCmdSyntax {
public:
    // Copies both texts and takes `root`. An ID that begins with "_" never allows parsing.
    CCmdSyntax(char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags);
    CCmdSyntax(CCmdSyntax const&) = delete;
    CCmdSyntax& operator=(CCmdSyntax const&) = delete;
    virtual ~CCmdSyntax();

    // The command text for `record`; 5 when generation is disabled for this command.
    int Generate(CDbEntry const* record, CString& out, bool emptyOnMissing);
    // Matches `line` into `record`, named after the ID on success; 4 when parsing is
    // disabled for this command.
    int Parse(char const* line, CDbEntry* record);

    char const* GetId() const { return id; }
    char const* GetParentId() const { return parentId; }
    CSymbolEntry* GetRoot() const { return root; }
    bool IsPackable() const { return packable; }
    unsigned int GetFlags() const { return flags; }

private:
    char* id;
    char* parentId;
    CSymbolEntry* root;
    bool packable;
    unsigned int flags;
};

#endif

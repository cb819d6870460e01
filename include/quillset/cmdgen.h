// CCmdGen: the generator/parser a host creates on one syntax file. It compiles the file's
// commands into CCmdSyntax objects, parses configuration text into a record store and
// generates configuration text back from a store, in the syntax file's order.
#ifndef QUILLSET_CMDGEN_H
#define QUILLSET_CMDGEN_H

#include <quillset/cmdsyntax.h>
#include <quillset/dbentry.h>
#include <quillset/dbobject.h>
#include <quillset/dynarray.h>
#include <quillset/export.h>
#include <quillset/hashtable.h>
#include <quillset/qstring.h>

#include <memory>

// The record name of a configuration line that no syntax matched, and its field that holds
// the line's text.
QS_API extern char const* const QS_UNKNOWN_ID;
QS_API extern char const* const QS_UNKNOWN_TEXT;

// Line-processing handler: called with the command collected so far (still ending with its
// last line's line feed); may rewrite it; returns false to have the next line appended.
using QuillsetLineHandler = bool (*)(CString& command);

// Unknown-command handler: called for a command that no syntax matched, with the previous
// command's text, the syntax list, the parse position (which it may move), a fresh record
// named "_UNKNOWN" to fill, and the last record produced (or null). Returning true stores
// the record.
using QuillsetUnknownHandler = bool (*)(char const* command, char const* previousCommand,
                                        CDynArray<CCmdSyntax*> const& syntaxes, int& position, CDbEntry* record,
                                        CDbEntry* lastRecord);

class CCommandSet;

namespace quillset::detail {
class CommandRegistry;
struct ParseSwitches;
}

class QS_API CCmdGen {
public:
    // Loads the syntax file; GetStatus tells the outcome: 0 loaded, 2 the file had errors
    // (its good lines are loaded), 4 it could not be opened, 11 it is larger than
    // QS_MAX_FILE_SIZE (nothing is loaded). `initialSize` reserves room
    // for that many syntaxes.
    explicit CCmdGen(char const* syntaxFile, int initialSize = 0);
    CCmdGen(CCmdGen const&) = delete;
    CCmdGen& operator=(CCmdGen const&) = delete;
    // Moving takes the syntaxes, options and handlers; the source is left without syntaxes.
    CCmdGen(CCmdGen&& other);
    CCmdGen& operator=(CCmdGen&& other);
    virtual ~CCmdGen();

    bool IsValid() const;
    int GetStatus() const;
    // The syntax index of the definition whose generation failed last.
    int GetErrorLineNumber() const;

    // When on (the default), a definition that lacks a value for a record writes no line
    // instead of failing the generation with 10.
    void EnableCmdOptional(bool enable);
    // When on (the default), a parsed command may be merged into an existing record of the
    // same command and parent whose fields it does not contradict.
    void EnableRowPacking(bool enable);
    void RegisterLineProcessingHandler(QuillsetLineHandler handler);
    void RegisterUnknownCommandHandler(QuillsetUnknownHandler handler);

    CDynArray<CCmdSyntax*>& GetSyntax();
    CHashTable<CCmdSyntax>* GetHashSyntax();
    // Registers one syntax and takes `root`: 0 done, 3 no memory, 9 the ID is registered
    // under another parent ID ("_UNKNOWN" excepted), 11 it nests deeper than
    // QS_MAX_SYNTAX_NESTING or holds more than QS_MAX_DEFINITION_VARIABLES variables or
    // QS_MAX_DEFINITION_SYMBOLS symbols. A refused `root` stays with the caller.
    int AddCommand(char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags);

    // Parsing adds the records of a configuration to `db`. ParseCommandFile: 4 the file
    // cannot be opened, 5 it cannot be read, 11 it is larger than QS_MAX_FILE_SIZE (nothing
    // is parsed), else 0. ParseCommand always returns 0.
    int ParseCommandFile(char const* path, CDbObject& db);
    int ParseCommand(CString const& text, CDbObject& db);

    // Generation: 0 done, 10 a definition lacks a value while optional commands are off,
    // 14 another generation failure; GenerateCommandFile also 4 (cannot open the output,
    // null meaning the standard output) and 6 (the text cannot be written, as on a full
    // disk), GenerateCommand from a delimited file 5 (it cannot be loaded).
    int GenerateCommandFile(CDbObject const& db, char const* path);
    int GenerateCommand(CDbObject const& db, CString& text);
    int GenerateCommand(char const* delimitedFile, CString& text);
    // Writes `db` as a delimited file: 0 done, 6 it cannot be written.
    int GenerateDelimitedFile(CDbObject const& db, char const* path);

private:
    CDbEntry* DoParse(CString const& command, CDbObject& db, int& position, CCommandSet const& blocks);
    int GetNextCommand(CString const& text, int start, CString& command, int& lineCount);
    QS_LOCAL void ApplyDefaults(CDbObject& db);

    friend struct quillset::detail::ParseSwitches;

    CDynArray<CCmdSyntax*> m_syntax;
    CHashTable<CCmdSyntax> m_hashSyntax;
    bool m_cmdOptional;
    bool m_rowPacking;
    bool m_dispatchIndex;    // off only to check the index against the full search
    bool m_generationIndex;  // off only to check generation's level index against the plain walk
    QuillsetLineHandler m_lineHandler;
    QuillsetUnknownHandler m_unknownHandler;
    int m_errorLine;
    int m_status;
    std::unique_ptr<quillset::detail::CommandRegistry> m_registry;
};

// The default unknown-command handler: stores the whole command in the record's "_Text"
// field and keeps it at the top level. A host registers it to keep unmatched lines.
QS_API bool QuillsetHandleUnknown(char const* command, char const* previousCommand,
                                  CDynArray<CCmdSyntax*> const& syntaxes, int& position, CDbEntry* record,
                                  CDbEntry* lastRecord);

// Installs the device-dialect handlers below: lone "!" lines are skipped, banners between
// "^C" delimiters are one command, and unmatched lines are kept and placed by indentation.
QS_API void SetZynMode(CCmdGen* gen);

// The dialect's line-processing handler: empties a line of a lone "!"; keeps asking for
// lines while a banner's text is not closed by a second "^C" at the end of a line.
QS_API bool DialectLineHandler(CString& command);

// The dialect's unknown-command handler: keeps an unmatched line as an "_UNKNOWN" record
// placed by its indentation. An indented line joins the sub-mode of the last record; a
// line in the first column leaves it, and the search for the next command restarts at the
// definition of the sub-mode's command.
QS_API bool DialectUnknownHandler(char const* command, char const* previousCommand,
                                  CDynArray<CCmdSyntax*> const& syntaxes, int& position, CDbEntry* record,
                                  CDbEntry* lastRecord);

#endif

// Named result codes. Each family of operations has its own codes (the same number means
// different things in different families), and each family a function that gives a code's
// text, for messages.
#ifndef QUILLSET_RESULTS_H
#define QUILLSET_RESULTS_H

#include <quillset/export.h>

// CCmdGen: loading, registering, parsing and generating.
enum QsCmdGenResult {
    QS_OK = 0,
    QS_SYNTAX_ERRORS = 2,      // GetStatus: the syntax file had errors; its good lines are loaded
    QS_NO_MEMORY = 3,          // AddCommand
    QS_CANNOT_OPEN = 4,        // a file cannot be opened (syntax, configuration or output)
    QS_CANNOT_READ = 5,        // a file cannot be read or loaded
    QS_CANNOT_WRITE = 6,       // an output cannot be written (a full disk, for example)
    QS_PARENT_MISMATCH = 9,    // AddCommand: the ID is registered under another parent ID
    QS_VALUE_MISSING = 10,     // generation: a definition lacks a value, optional commands off
    QS_BEYOND_LIMIT = 11,      // loading, AddCommand, ParseCommandFile: past a limit of quillset/limits.h
    QS_GENERATION_FAILED = 14, // generation: another failure of a definition
};

// CDbEntry and CDbObject field operations.
enum QsStoreResult {
    QS_STORE_OK = 0,
    QS_STORE_NO_FIELD = 1,     // a null field name, or the field was not found
    QS_STORE_NO_SELECTION = 2, // no record is selected
};

// CDbObject delimited files.
enum QsFileResult {
    QS_FILE_OK = 0,
    QS_FILE_CANNOT_OPEN = 1,
    QS_FILE_READ_ERROR = 2,    // reading stopped early; what was read is stored and linked
    QS_FILE_CANNOT_WRITE = 3,
    QS_FILE_BAD_PARENT = 4,    // a "__Parent" line number outside the lines read
    QS_FILE_TOO_LARGE = 5,     // larger than QS_MAX_FILE_SIZE: a file is not read, a stream
                               // stops at the limit (what was read is stored and linked)
};

// Symbols (Parse, Generate, ApplyDefault) and CCmdSyntax.
enum QsSymbolResult {
    QS_SYMBOL_OK = 0,
    QS_SYMBOL_VALUE_MISSING = 1,   // generation: a value is missing or has the wrong form
    QS_SYMBOL_BAD_ADDRESS = 2,     // parsing: an address does not scan as IPv4
    QS_SYMBOL_NO_MATCH = 3,
    QS_SYMBOL_NO_PARSE = 4,        // parsing is disabled for the command
    QS_SYMBOL_NO_GENERATE = 5,     // generation is disabled for the command
    QS_SYMBOL_NO_DEFAULT = 6,
};

// The text of a code of each family; "unknown result" for a number the family lacks.
QS_API char const* QuillsetResultText(int code);
QS_API char const* QuillsetStoreResultText(int code);
QS_API char const* QuillsetFileResultText(int code);
QS_API char const* QuillsetSymbolResultText(int code);

#endif

// The limits a host can rely on, each named once. Input beyond a limit gets a result code
// or is kept as an unmatched line; it never crashes, hangs or silently loses data.
#ifndef QUILLSET_LIMITS_H
#define QUILLSET_LIMITS_H

// Bytes of one configuration command handed to the matcher; a longer command is unmatched.
constexpr int QS_MAX_LINE_LENGTH = 65536;
// Bytes of a configuration, syntax or delimited file read whole.
constexpr long QS_MAX_FILE_SIZE = 256L * 1024 * 1024;
// Levels of commands nested under parent commands in a syntax file (and so of records in a
// parsed configuration).
constexpr int QS_MAX_SYNTAX_NESTING = 1000;
// Variables, and symbols of any kind, in one command definition.
constexpr int QS_MAX_DEFINITION_VARIABLES = 256;
constexpr int QS_MAX_DEFINITION_SYMBOLS = 1024;
// The highest slot number a digit field name addresses; a longer number is an ordinary
// field name. A slot number is also the size the record grows to.
constexpr int QS_MAX_SLOT_NUMBER = 255;
// Attempts the matcher makes for one line against one definition; past it the line is
// taken as not matching that definition.
constexpr int QS_MAX_MATCH_STEPS = 100000;

#endif

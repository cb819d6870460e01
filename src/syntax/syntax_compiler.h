// CompileSyntaxFile: the entry point that loads a syntax file. It compiles every command
// line of the file into a symbol chain and hands each one to a callback with the
// signature of CCmdGen::AddCommand.
#ifndef QUILLSET_SYNTAX_SYNTAX_COMPILER_H
#define QUILLSET_SYNTAX_SYNTAX_COMPILER_H

#include "syntax/syntax_grammar.h"

namespace quillset::syntax {

// Reads the file at `path` (the standard input for a null path) and runs the grammar over
// it until the scanner reaches its end; each failed run prints its message and the next
// one resumes after the faulty token. Results: 0 every run succeeded, 2 some run failed,
// 4 the file could not be opened. Files may be compiled on several threads at once.
int CompileSyntaxFile(char const* path, AddCommandCallback const& addCommand);

}  // namespace quillset::syntax

#endif

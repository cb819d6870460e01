// Loading a syntax file: one process-wide scanner and grammar, started afresh for each file.
#include "base/stream_file.h"
#include "syntax/syntax_compiler.h"

#include <cstdio>

namespace quillset::syntax {

namespace {

// The state of the file being compiled lives as long as the process, so that whatever a
// fatal syntax error leaves behind is still reachable when the process ends.
SyntaxScanner g_scanner;
SyntaxGrammar g_grammar;

}  // namespace

int CompileSyntaxFile(char const* path, AddCommandCallback const& addCommand)
{
    StreamFile file(path, "r");
    if (file.Get() == nullptr)
        return 4;
    g_scanner.Start(file.Get());
    file.Close();
    g_grammar.StartFile();
    int status = 0;
    do {
        if (g_grammar.Run(g_scanner, addCommand) != 0)
            status = 2;
    } while (!g_scanner.AtEnd());
    return status;
}

}  // namespace quillset::syntax

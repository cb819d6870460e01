// Loading a syntax file: a scanner and a grammar of its own for each file, so that files
// compile on separate threads at once.
#include "base/stream_file.h"
#include "syntax/syntax_compiler.h"

#include <quillset/limits.h>
#include <quillset/results.h>

#include <cstdio>

namespace quillset::syntax {

int CompileSyntaxFile(char const* path, AddCommandCallback const& addCommand)
{
    StreamFile file(path, "r");
    if (file.Get() == nullptr)
        return QS_CANNOT_OPEN;
    SyntaxScanner scanner;
    if (file.IsLargerThan(QS_MAX_FILE_SIZE) || !scanner.Start(file.Get(), QS_MAX_FILE_SIZE))
        return QS_BEYOND_LIMIT;
    file.Close();
    SyntaxGrammar grammar;
    grammar.StartFile();
    int status = 0;
    do {
        if (grammar.Run(scanner, addCommand) != 0)
            status = 2;
    } while (!scanner.AtEnd());
    grammar.FinishFile();
    return status;
}

}  // namespace quillset::syntax

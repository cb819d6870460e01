// SyntaxGrammar: reads the tokens of a syntax file, builds a symbol chain for every command
// line and registers it through a callback; directive lines switch generation and parsing
// off and on for the commands that follow. A run stops at the first token that cannot
// continue the file, reports it and drops it, so the next run resumes after it.
#ifndef QUILLSET_SYNTAX_SYNTAX_GRAMMAR_H
#define QUILLSET_SYNTAX_SYNTAX_GRAMMAR_H

#include <quillset/symbols.h>

#include "syntax/chain_builder.h"
#include "syntax/command_flags.h"
#include "syntax/syntax_scanner.h"
#include "syntax/syntax_token.h"

#include <functional>
#include <optional>
#include <string>

namespace quillset::syntax {

// Registers one command; the result codes are those of CCmdGen::AddCommand (0 registered,
// and the root taken; 3 no memory; 9 the ID has another parent ID).
using AddCommandCallback =
    std::function<int(char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags)>;

class SyntaxGrammar {
public:
    // How deeply optional parts and groups may nest in the parser itself. The two stacks of
    // ChainBuilder end the process long before a syntax file gets this deep.
    static constexpr int kMaxNestingDepth = 10000;

    explicit SyntaxGrammar(int maxNestingDepth = kMaxNestingDepth) : m_maxNestingDepth(maxNestingDepth) {}

    // Forgets the line of the last message (each file reports its own errors) and takes
    // the process's command flags.
    void StartFile()
    {
        m_reportedLine.reset();
        m_flags.Start();
    }
    // Hands the file's directive changes on to the files compiled after it.
    void FinishFile() const { m_flags.Publish(); }
    // Reads commands until the end of input (0) or the first error (1; 2 when nesting is
    // too deep).
    int Run(SyntaxScanner& scanner, AddCommandCallback const& addCommand);

private:
    void Advance() { m_scanner->Next(m_token); }
    int ParseCommand();
    int ParseDefinition();
    int ParseDirective();
    int ParseElements(int depth);
    int ParseElement(int depth);
    int ParseVariable();
    int ParseOptional(int depth);
    int ParseGroup(int depth);
    int RegisterCommand();
    int SyntaxError() { return Report("parse error"); }
    int Report(char const* message);
    [[noreturn]] void NestingFailure();

    int m_maxNestingDepth;
    SyntaxScanner* m_scanner = nullptr;
    AddCommandCallback const* m_addCommand = nullptr;
    Token m_token;
    std::string m_id;
    std::string m_parentId;
    ChainBuilder m_chain;
    FileCommandFlags m_flags;
    std::optional<int> m_reportedLine;  // the line counter at the last message printed
};

}  // namespace quillset::syntax

#endif

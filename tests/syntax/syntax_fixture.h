// Helpers of the syntax suites: compiling syntax text through a stand-in for
// CCmdGen::AddCommand that records every registration, and showing symbol chains and
// records as short texts.
#ifndef QUILLSET_TESTS_SYNTAX_FIXTURE_H
#define QUILLSET_TESTS_SYNTAX_FIXTURE_H

#include <quillset/cmdsyntax.h>

#include "syntax/syntax_compiler.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quillset::test {

struct Compiled {
    int status = 0;
    std::vector<std::unique_ptr<CCmdSyntax>> commands;
    std::string errors;  // what the compiler printed to the standard error stream

    CSymbolEntry* Root() const { return commands.at(0)->GetRoot(); }
};

// Compiles `text` as a syntax file. The stand-in answers the registrations with `results`
// in order, then with 0; a registration answered 0 is kept.
inline Compiled Compile(std::string const& text, std::vector<int> const& results = {})
{
    TempFile file(text);
    Compiled compiled;
    std::size_t calls = 0;
    auto addCommand = [&](char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags) {
        int const result = calls < results.size() ? results[calls++] : 0;
        if (result == 0)
            compiled.commands.push_back(std::make_unique<CCmdSyntax>(id, parentId, root, flags));
        return result;
    };
    testing::internal::CaptureStderr();
    compiled.status = syntax::CompileSyntaxFile(file.Path(), addCommand);
    compiled.errors = testing::internal::GetCapturedStderr();
    return compiled;
}

// `text`, `count` times.
inline std::string Repeat(std::string const& text, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

// A stand-in for CCmdGen::AddCommand that drops every chain.
inline int DiscardCommand(char const*, char const*, CSymbolEntry* root, unsigned int)
{
    delete root;
    return 0;
}

// Compiles `text` and drops its commands; what the compiler prints is left on the stream
// (where the tests of the process's exit look for it).
inline int CompileQuietly(std::string const& text)
{
    TempFile file(text);
    return syntax::CompileSyntaxFile(file.Path(), DiscardCommand);
}

// Compiles the one command "A,B,<syntax>".
inline Compiled CompileCommand(std::string const& syntax) { return Compile("A,B," + syntax + "\n"); }

inline std::string Render(CSymbolEntry const* first, CSymbolEntry const* carrier = nullptr);

// One symbol: 'literal', ~ for an empty anchor, %name:type(argument)=default,
// %name(item,item=value), or {alternative|alternative}.
inline std::string RenderSymbol(CSymbolEntry const* symbol)
{
    if (auto const* literal = dynamic_cast<CSymbolString const*>(symbol))
        return "'" + std::string(literal->GetText()) + "'";
    if (auto const* group = dynamic_cast<CSymbolGroup const*>(symbol)) {
        std::string out = "{";
        for (int i = 0; i < group->GetAlternativeCount(); ++i)
            out += (i > 0 ? "|" : "") + Render(group->GetAlternative(i));
        return out + "}";
    }
    auto const* variable = dynamic_cast<CSymbolVar const*>(symbol);
    if (variable == nullptr)
        return "~";
    std::string out = "%" + std::string(variable->GetName());
    if (auto const* enumerated = dynamic_cast<CSymbolVarEnum const*>(symbol)) {
        out += "(";
        for (int i = 0; i < enumerated->GetItemCount(); ++i) {
            out += (i > 0 ? "," : "") + std::string(enumerated->GetItem(i));
            if (enumerated->GetItemValue(i) != i)
                out += "=" + std::to_string(enumerated->GetItemValue(i));
        }
        out += ")";
    } else {
        out += ":" + std::string(variable->GetTypeCode());
        if (variable->GetTypeArgument() != nullptr)
            out += "(" + std::string(variable->GetTypeArgument()) + ")";
    }
    if (variable->GetDefault() != nullptr)
        out += "=" + std::string(variable->GetDefault());
    return out;
}

// A chain hanging from `carrier` as text: its symbols, each with its optional part in []
// right after it; a symbol whose `prev` is not the symbol it hangs from is marked with !.
inline std::string Render(CSymbolEntry const* first, CSymbolEntry const* carrier)
{
    std::string out;
    for (CSymbolEntry const* symbol = first; symbol != nullptr; carrier = symbol, symbol = symbol->GetNext()) {
        out += std::string(symbol == first ? "" : " ") + (symbol->GetPrev() == carrier ? "" : "!");
        out += RenderSymbol(symbol);
        if (symbol->GetBranch() != nullptr)
            out += "[" + Render(symbol->GetBranch(), symbol) + "]";
    }
    return out;
}

// "id/parent/flags: chain" for each registered command, one per line.
inline std::string Describe(Compiled const& compiled)
{
    std::string out;
    for (auto const& command : compiled.commands) {
        char flags[16];
        std::snprintf(flags, sizeof flags, "%X", command->GetFlags());
        out += std::string(command->GetId()) + "/" + command->GetParentId() + "/" + flags + ": " +
               Render(command->GetRoot()) + "\n";
    }
    return out;
}

// The record's fields as "name=value name=value".
inline std::string Fields(CDbEntry const& record)
{
    std::string out;
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        if (char const* field = record.GetFieldByIndex(slot))
            out += (out.empty() ? "" : " ") + std::string(field) + "=" +
                   static_cast<char const*>(record.GetByIndex(slot));
    }
    return out;
}

// What the chain writes for `record`: the text, or "#code".
inline std::string Generated(CSymbolEntry* root, CDbEntry const& record, bool emptyOnMissing = false)
{
    CString text;
    int const result = root->GenerateChain(&record, text, emptyOnMissing);
    return result == 0 ? std::string(text) : "#" + std::to_string(result);
}

// What the command `syntax` writes for a record with `fields` (a null value: no such field).
inline std::string GenerateFrom(std::string const& syntax,
                                std::vector<std::pair<char const*, char const*>> const& fields,
                                bool emptyOnMissing = false)
{
    CDbEntry record;
    for (auto const& [field, value] : fields) {
        if (value != nullptr)
            record.Set(field, value);
    }
    return Generated(CompileCommand(syntax).Root(), record, emptyOnMissing);
}

}  // namespace quillset::test

#endif

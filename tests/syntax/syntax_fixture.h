// Helpers of the syntax suites: compiling syntax text through a stand-in for
// CCmdGen::AddCommand that records every registration, and showing symbol chains and
// records as short texts.
#ifndef QUILLSET_TESTS_SYNTAX_FIXTURE_H
#define QUILLSET_TESTS_SYNTAX_FIXTURE_H

#include <quillset/cmdsyntax.h>

#include "test_files.h"

#include <memory>
#include <string>
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
Compiled Compile(std::string const& text, std::vector<int> const& results = {});

// A chain as text: 'literal', ~ for an empty anchor, %name:type(argument)=default,
// %name(item,item=value), {alternative|alternative}, an optional part in [] right after
// its carrier; a symbol whose `prev` is not the symbol it hangs from is marked with !.
std::string Render(CSymbolEntry const* first);

// "id/parent/flags: chain" for each registered command, one per line.
std::string Describe(Compiled const& compiled);

// The record's fields as "name=value name=value".
std::string Fields(CDbEntry const& record);

// Compiles `syntax` as the syntax text of a command, matches `line` with it and generates
// the record back: "fields => text", or the matcher's result code.
std::string RoundTrip(std::string const& syntax, char const* line);

}  // namespace quillset::test

#endif

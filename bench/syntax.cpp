// Syntax files and symbols: compiling generated syntax files of 10^3 to 10^5 command lines
// (which must take time linear in the file's size), and matching and generating one
// command line with compiled syntaxes, from a short command to one of 30 symbols.
#include <quillset/cmdsyntax.h>

#include "syntax/syntax_compiler.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using quillset::syntax::CompileSyntaxFile;

// The kinds of command line a device's syntax file is made of, used in turn.
char const* const kCommandForms[] = {
    "Interface%d, , interface %%name\n",
    "Shutdown%d, Interface, [no ]shutdown\n",
    "Speed%d, Interface, speed {10|100|1000|auto}\n",
    "Desc%d, Interface, description %%{*text}\n",
    "Duplex%d, Interface, duplex %%mode(half,full,@auto)\n",
    "Address%d, Interface, ip address %%addr:ip %%mask:ip[ secondary]\n",
    "Route%d, , ip route %%net:ip %%mask:ip %%hop:ip[ %%distance:u=1][ name %%tag:s(^ )]\n",
    "// comment %d\n",
};

// A syntax file holding `text`, removed with the object.
class SyntaxFile {
public:
    explicit SyntaxFile(std::string const& text)
    {
        static int serial = 0;
        m_path = (std::filesystem::temp_directory_path() / ("quillset_bench_" + std::to_string(serial++))).string();
        std::FILE* file = std::fopen(m_path.c_str(), "w");
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
    ~SyntaxFile() { std::remove(m_path.c_str()); }
    char const* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

std::string GeneratedSyntax(int lines)
{
    std::string text;
    char line[256];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, kCommandForms[i % std::size(kCommandForms)], i);
        text += line;
    }
    return text;
}

int Discard(char const*, char const*, CSymbolEntry* root, unsigned int)
{
    delete root;
    return 0;
}

void BM_CompileSyntaxFile(benchmark::State& state)
{
    SyntaxFile const file(GeneratedSyntax(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(CompileSyntaxFile(file.Path(), Discard));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CompileSyntaxFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One compiled command, kept for the matching benchmarks.
std::unique_ptr<CCmdSyntax> CompileOne(std::string const& syntax)
{
    SyntaxFile const file("A, B," + syntax + "\n");
    std::unique_ptr<CCmdSyntax> compiled;
    CompileSyntaxFile(file.Path(), [&](char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags) {
        compiled = std::make_unique<CCmdSyntax>(id, parentId, root, flags);
        return 0;
    });
    return compiled;
}

// A command of 30 symbols: 15 keywords, each followed by a numeric value.
std::string LongSyntax()
{
    std::string syntax;
    for (int i = 0; i < 15; ++i)
        syntax += "k" + std::to_string(i) + " %v" + std::to_string(i) + ":u ";
    return syntax;
}

std::string LongLine()
{
    std::string line;
    for (int i = 0; i < 15; ++i)
        line += "k" + std::to_string(i) + " " + std::to_string(i * 100) + " ";
    return line;
}

struct MatchCase {
    std::string syntax;
    std::string line;
};

MatchCase const kMatchCases[] = {
    {"ip address %addr:ip %mask:ip[ secondary]", "ip address 10.1.2.3 255.255.255.0 secondary"},
    {"ip address %addr:ip %mask:ip[ secondary]", "description uplink to core"},
    {"description %text:s end", "description uplink to the core switch in rack 12 end"},
    {LongSyntax(), LongLine()},
};

void BM_MatchCommand(benchmark::State& state)
{
    MatchCase const& match = kMatchCases[state.range(0)];
    std::unique_ptr<CCmdSyntax> const syntax = CompileOne(match.syntax);
    CDbEntry record;
    for (auto _ : state)
        benchmark::DoNotOptimize(syntax->Parse(match.line.c_str(), &record));
    state.SetLabel(match.line.substr(0, 40));
}
BENCHMARK(BM_MatchCommand)->DenseRange(0, 3);

void BM_GenerateCommand(benchmark::State& state)
{
    MatchCase const& match = kMatchCases[state.range(0)];
    std::unique_ptr<CCmdSyntax> const syntax = CompileOne(match.syntax);
    CDbEntry record;
    syntax->Parse(match.line.c_str(), &record);
    CString text;
    for (auto _ : state)
        benchmark::DoNotOptimize(syntax->Generate(&record, text, false));
    state.SetLabel(match.line.substr(0, 40));
}
BENCHMARK(BM_GenerateCommand)->Arg(0)->Arg(2)->Arg(3);

// A command of n word variables: each variable keeps an undo entry for its own field, so
// the time per line grows with n, not with n squared.
void BM_MatchVariables(benchmark::State& state)
{
    std::string syntax, line;
    for (int i = 0; i < state.range(0); ++i) {
        syntax += (i ? " %v" : "%v") + std::to_string(i);
        line += (i ? " " : "") + std::to_string(i);
    }
    std::unique_ptr<CCmdSyntax> const compiled = CompileOne(syntax);
    CDbEntry record;
    for (auto _ : state)
        benchmark::DoNotOptimize(compiled->Parse(line.c_str(), &record));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MatchVariables)->RangeMultiplier(4)->Range(4, 256)->Complexity();

}  // namespace

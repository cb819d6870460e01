// The scaling goals: each input shape parsed at 10^5 and 10^6 lines (time per line must not
// grow with N), a syntax of 500 definitions against one of 50, tearing a store down against
// the parse that built it, deleting the children of one parent, and reading a store file.
// Lines per second are in the "lines/s" counter; compare the two sizes of one shape.
#include "shape_inputs.h"
#include "timing.h"

#include <quillset/quillset.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace {

using namespace quillset::bench;
using Clock = std::chrono::steady_clock;

std::unique_ptr<CCmdGen> GeneratorFor(std::string const& syntax)
{
    std::string const path = "quillset_bench_shape.syntax";
    WriteFile(path, syntax);
    auto gen = std::make_unique<CCmdGen>(path.c_str(), 64);
    std::remove(path.c_str());
    return gen;
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

int Size(benchmark::State const& state) { return static_cast<int>(state.range(0)); }

void BM_ParseCorpus(benchmark::State& state)
{
    TimeParse(state, *DialectGenerator(), CorpusLines(QUILLSET_CORPUS_DIR, Size(state)));
}

void BM_ParseAccessListPacked(benchmark::State& state) { TimeParse(state, *DialectGenerator(), AccessList(Size(state))); }

void BM_ParseUnknownLines(benchmark::State& state) { TimeParse(state, *DialectGenerator(), UnknownLines(Size(state))); }

void BM_ParseInterfaces(benchmark::State& state) { TimeParse(state, *DialectGenerator(), Interfaces(Size(state))); }

// One command of range(0) variables; a definition holds at most QS_MAX_DEFINITION_VARIABLES.
void BM_ParseWideCommand(benchmark::State& state)
{
    TimeParse(state, *GeneratorFor(WideSyntax(Size(state))), WideLine(Size(state)));
}

// range(0) definitions, 10^5 lines spread over them.
void BM_ParseDefinitions(benchmark::State& state)
{
    int const definitions = Size(state);
    TimeParse(state, *GeneratorFor(ManyDefinitionsSyntax(definitions)), ManyDefinitionsLines(definitions, 100000));
}

void BM_GenerateCorpus(benchmark::State& state)
{
    TimeGeneration(state, *DialectGenerator(), CorpusLines(QUILLSET_CORPUS_DIR, Size(state)));
}

// The time to destroy the store of a parse of interfaces; "of parse" is its share of the
// parse that built the store.
void BM_TeardownInterfaces(benchmark::State& state)
{
    auto const gen = DialectGenerator();
    CString const input = Interfaces(Size(state)).c_str();
    double parsing = 0, tearing = 0;
    for (auto _ : state) {
        auto db = std::make_unique<CDbObject>();
        auto const start = Clock::now();
        gen->ParseCommand(input, *db);
        parsing += Seconds(start);
        auto const teardown = Clock::now();
        db.reset();
        double const seconds = Seconds(teardown);
        tearing += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["of parse"] = tearing / parsing;
}

// A store holding one parent and N children of it.
std::unique_ptr<CDbObject> ParentWithChildren(int children, CDbEntry*& parent)
{
    auto db = std::make_unique<CDbObject>();
    parent = db->Create("Parent", nullptr);
    for (int i = 0; i < children; ++i)
        db->Create("Child", parent, "id", i, nullptr);
    return db;
}

// Deletes every child, first added first, then the rest of the store.
void BM_DeleteChildren(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        CDbEntry* parent;
        auto db = ParentWithChildren(Size(state), parent);
        state.ResumeTiming();
        while (CDbEntry* const child = parent->GetChild(0))
            db->Delete(child, false);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_TeardownChildren(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        CDbEntry* parent;
        auto db = ParentWithChildren(Size(state), parent);
        state.ResumeTiming();
        db.reset();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reads back the store file of a corpus-like configuration.
void BM_ReadDelimitedCorpus(benchmark::State& state)
{
    std::string const config = CorpusLines(QUILLSET_CORPUS_DIR, Size(state));
    std::string const path = "quillset_bench_store.txt";
    {
        CDbObject db;
        DialectGenerator()->ParseCommand(config.c_str(), db);
        db.WriteDelimitedFile(path.c_str());
    }
    for (auto _ : state) {
        auto db = std::make_unique<CDbObject>();
        db->ReadDelimitedFile(path.c_str(), false);
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    CountLines(state, config);
}

}  // namespace

#define QUILLSET_SHAPE_SIZES Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)

BENCHMARK(BM_ParseCorpus)->QUILLSET_SHAPE_SIZES;
BENCHMARK(BM_ParseAccessListPacked)->QUILLSET_SHAPE_SIZES;
BENCHMARK(BM_ParseUnknownLines)->QUILLSET_SHAPE_SIZES;
BENCHMARK(BM_ParseInterfaces)->QUILLSET_SHAPE_SIZES;
BENCHMARK(BM_ParseWideCommand)->Arg(QS_MAX_DEFINITION_VARIABLES / 10)->Arg(QS_MAX_DEFINITION_VARIABLES)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseDefinitions)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateCorpus)->QUILLSET_SHAPE_SIZES;
BENCHMARK(BM_TeardownInterfaces)->QUILLSET_SHAPE_SIZES->UseManualTime();
BENCHMARK(BM_DeleteChildren)->QUILLSET_SHAPE_SIZES;
BENCHMARK(BM_TeardownChildren)->QUILLSET_SHAPE_SIZES;
BENCHMARK(BM_ReadDelimitedCorpus)->QUILLSET_SHAPE_SIZES;

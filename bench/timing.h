// What the benchmark programs share: the dialect generator on the bundled syntax, and
// timing a parse or a generation with a lines-per-second counter.
#ifndef QUILLSET_BENCH_TIMING_H
#define QUILLSET_BENCH_TIMING_H

#include <quillset/quillset.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

namespace quillset::bench {

inline std::unique_ptr<CCmdGen> DialectGenerator()
{
    auto gen = std::make_unique<CCmdGen>(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 64);
    SetZynMode(gen.get());
    return gen;
}

inline void CountLines(benchmark::State& state, std::string const& text)
{
    auto const lines = std::count(text.begin(), text.end(), '\n');
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines) * state.iterations(), benchmark::Counter::kIsRate);
}

// Parses `text` into a new store per iteration; the store's teardown is not timed.
inline void TimeParse(benchmark::State& state, CCmdGen& gen, std::string const& text)
{
    if (text.empty()) {
        state.SkipWithError("no input (corpus folder missing?)");
        return;
    }
    CString const input = text.c_str();
    for (auto _ : state) {
        auto db = std::make_unique<CDbObject>();
        gen.ParseCommand(input, *db);
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    CountLines(state, text);
}

// Parses `text` once, then generates the configuration back per iteration.
inline void TimeGeneration(benchmark::State& state, CCmdGen& gen, std::string const& text)
{
    CDbObject db;
    gen.ParseCommand(text.c_str(), db);
    CString generated;
    for (auto _ : state)
        gen.GenerateCommand(db, generated);
    CountLines(state, std::string(generated));
}

}  // namespace quillset::bench

#endif

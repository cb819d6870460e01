// Parsing and generating a configuration of 10^4 to 10^6 lines with the bundled dialect
// syntax: interfaces with sub-commands, lines no syntax describes (kept as "_UNKNOWN"
// records) and "!" separators.
#include <quillset/quillset.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// `lines` lines (rounded to a whole block): a hostname and blocks of eleven lines.
std::string Configuration(int lines)
{
    std::string text = "hostname bench\n";
    for (int i = 0; i < lines / 11; ++i) {
        std::string const n = std::to_string(i);
        text += "interface GigabitEthernet" + std::to_string(i / 48) + "/" + std::to_string(i % 48) + "\n";
        text += " description access port " + n + "\n";
        text += " ip address 10." + std::to_string(i / 65536 % 256) + "." + std::to_string(i / 256 % 256) + "." +
                std::to_string(i % 256) + " 255.255.255.0\n";
        text += " ip access-group EDGE_IN in\n";
        text += " no ip proxy-arp\n";
        text += " vendor-knob 7\n";  // unknown: kept under the interface
        text += " speed 1000\n";
        text += " duplex full\n";
        text += i % 3 == 0 ? " shutdown\n" : " no shutdown\n";
        text += "vendor-option " + std::to_string(i % 250) + "\n";  // unknown at the top
        text += "!\n";
    }
    return text;
}

int LineCount(std::string const& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

std::unique_ptr<CCmdGen> DialectGenerator()
{
    auto gen = std::make_unique<CCmdGen>(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 64);
    SetZynMode(gen.get());
    return gen;
}

void BM_Parse(benchmark::State& state)
{
    CString const text = Configuration(static_cast<int>(state.range(0))).c_str();
    auto const gen = DialectGenerator();
    for (auto _ : state) {
        auto db = std::make_unique<CDbObject>();
        gen->ParseCommand(text, *db);
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(LineCount(std::string(text))) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_Generate(benchmark::State& state)
{
    std::string const config = Configuration(static_cast<int>(state.range(0)));
    auto const gen = DialectGenerator();
    CDbObject db;
    gen->ParseCommand(config.c_str(), db);
    CString text;
    for (auto _ : state)
        gen->GenerateCommand(db, text);
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(LineCount(std::string(text))) * state.iterations(), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_Parse)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);

// Diffing and remediating two configurations of 10^4 and 10^5 lines with the bundled
// syntax and rules: the second has one interface in fifty changed, removed or added.
// Parsing is done once, outside the measured loop.
#include "diff/config_diff.h"
#include "diff/remediation.h"

#include <quillset/quillset.h>

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

namespace {

// About `lines` lines: blocks of eight; `variant` changes, drops or adds every 50th block.
std::string Configuration(int lines, bool variant)
{
    std::string text = "hostname bench\n";
    for (int i = 0; i < lines / 8; ++i) {
        bool const touched = variant && i % 50 == 0;
        if (touched && i % 150 == 0)
            continue;  // removed
        std::string const n = std::to_string(i);
        text += "interface GigabitEthernet" + std::to_string(i / 48) + "/" + std::to_string(i % 48) + "\n";
        text += " description access port " + n + (touched ? " moved" : "") + "\n";
        text += " ip address 10." + std::to_string(i / 65536 % 256) + "." + std::to_string(i / 256 % 256) + "." +
                std::to_string(i % 256) + " 255.255.255.0\n";
        text += " ip access-group EDGE_IN in\n";
        text += " no ip proxy-arp\n";
        text += " speed 1000\n";
        text += i % 3 == 0 ? " shutdown\n" : " no shutdown\n";
        text += "logging host 192.0.2." + std::to_string(i % 250) + "\n";
    }
    if (variant)
        text += "interface Loopback9\n description added\n";
    return text;
}

struct Pair {
    CCmdGen gen{QUILLSET_SYNTAXES_DIR "/zyn.syntax", 64};
    quillset::diff::CommandModel model;
    CDbObject a;
    CDbObject b;

    explicit Pair(int lines)
    {
        SetZynMode(&gen);
        quillset::diff::Rules rules;
        quillset::diff::RulesError error;
        if (!quillset::diff::LoadRules(QUILLSET_SYNTAXES_DIR "/zyn.rules", rules, error) || !model.Build(gen.GetSyntax(), rules, error))
            throw std::runtime_error(error.message);
        gen.ParseCommand(Configuration(lines, false).c_str(), a);
        gen.ParseCommand(Configuration(lines, true).c_str(), b);
    }
};

void BM_Diff(benchmark::State& state)
{
    Pair const pair(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(quillset::diff::DiffStores(pair.model, pair.a, pair.b));
    state.counters["records"] = pair.a.GetEntryCount() + pair.b.GetEntryCount();
}

void BM_Remediate(benchmark::State& state)
{
    Pair const pair(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(quillset::diff::Remediate(pair.model, pair.a, pair.b));
}

BENCHMARK(BM_Diff)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Remediate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

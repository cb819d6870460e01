// Parsing and generating a configuration of 10^4 to 10^6 lines with the bundled dialect
// syntax: interfaces with sub-commands, lines no syntax describes (kept as "_UNKNOWN"
// records) and "!" separators.
#include "timing.h"

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

using namespace quillset::bench;

void BM_Parse(benchmark::State& state)
{
    TimeParse(state, *DialectGenerator(), Configuration(static_cast<int>(state.range(0))));
}

void BM_Generate(benchmark::State& state)
{
    TimeGeneration(state, *DialectGenerator(), Configuration(static_cast<int>(state.range(0))));
}

}  // namespace

BENCHMARK(BM_Parse)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);

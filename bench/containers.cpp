// Hash-table insert and lookup for 10^4 to 10^6 values: all keys distinct, and a few keys
// carrying every value (the shape of a store: many records of a few command IDs).
#include <quillset/hashtable.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kBuckets = 503;
constexpr int kDuplicatedKeys = 8;

std::vector<std::string> DistinctKeys(int n)
{
    std::vector<std::string> keys;
    keys.reserve(n);
    for (int i = 0; i < n; ++i)
        keys.push_back("interface" + std::to_string(i));
    return keys;
}

std::vector<std::string> DuplicatedKeys(int n)
{
    std::vector<std::string> keys;
    keys.reserve(n);
    for (int i = 0; i < n; ++i)
        keys.push_back("command" + std::to_string(i % kDuplicatedKeys));
    return keys;
}

std::unique_ptr<CHashTable<int>> Fill(std::vector<std::string> const& keys, int& value)
{
    auto table = std::make_unique<CHashTable<int>>(kBuckets);
    for (std::string const& key : keys)
        table->Add(key.c_str(), &value);
    return table;
}

void Insert(benchmark::State& state, std::vector<std::string> (*makeKeys)(int))
{
    std::vector<std::string> const keys = makeKeys(static_cast<int>(state.range(0)));
    int value = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Fill(keys, value));
    state.SetItemsProcessed(state.iterations() * keys.size());
}

void BM_InsertDistinct(benchmark::State& state) { Insert(state, DistinctKeys); }
void BM_InsertDuplicated(benchmark::State& state) { Insert(state, DuplicatedKeys); }

// Every distinct key once: each lookup hashes and scans its bucket's groups.
void BM_LookupDistinct(benchmark::State& state)
{
    std::vector<std::string> const keys = DistinctKeys(static_cast<int>(state.range(0)));
    int value = 0;
    auto const table = Fill(keys, value);
    for (auto _ : state) {
        for (std::string const& key : keys)
            benchmark::DoNotOptimize(table->Lookup(key.c_str(), 0));
    }
    state.SetItemsProcessed(state.iterations() * keys.size());
}

// Positions 0, 1, 2 ... of one key after the other: the pattern the lookup cache serves.
void BM_LookupDuplicatedInOrder(benchmark::State& state)
{
    int const n = static_cast<int>(state.range(0));
    int value = 0;
    auto const table = Fill(DuplicatedKeys(n), value);
    for (auto _ : state) {
        for (int k = 0; k < kDuplicatedKeys; ++k) {
            std::string const key = "command" + std::to_string(k);
            for (int p = 0; p < n / kDuplicatedKeys; ++p)
                benchmark::DoNotOptimize(table->Lookup(key.c_str(), p));
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// Alternating keys defeat the cache: each lookup costs a hash and a bucket scan, but not
// a walk over the key's values.
void BM_LookupDuplicatedAlternating(benchmark::State& state)
{
    int const n = static_cast<int>(state.range(0));
    std::vector<std::string> const keys = DuplicatedKeys(n);
    int value = 0;
    auto const table = Fill(keys, value);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i)
            benchmark::DoNotOptimize(table->Lookup(keys[i].c_str(), i / kDuplicatedKeys));
    }
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(BM_InsertDistinct)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertDuplicated)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupDistinct)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupDuplicatedInOrder)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupDuplicatedAlternating)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);

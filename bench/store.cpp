// Record store work that grows with the user's data, for N = 10^4 to 10^6 records of one
// name spread over 1,000 parents: adding with and without row packing, looking up every
// record by parent and position (as generation does), queries, a delimited file written and
// read back, and deleting every parent with its records.
#include <quillset/dbobject.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kParents = 1000;

struct Fixture {
    std::unique_ptr<CDbObject> store = std::make_unique<CDbObject>("bench");
    std::vector<CDbEntry*> parents;
};

// 1,000 "vlan" records, then N "port" records with a unique id, port i under vlan i % 1000.
Fixture MakeStore(int records, bool combine)
{
    Fixture fixture;
    for (int p = 0; p < kParents; ++p)
        fixture.parents.push_back(fixture.store->Create("vlan", "id", p, nullptr));
    CDbEntry port("port");
    for (int i = 0; i < records; ++i) {
        port.Set("id", i);
        port.Set("vlan", i % kParents);
        port.SetParent(fixture.parents[i % kParents]);
        fixture.store->AddEntry(port, combine);
    }
    return fixture;
}

// Destroying a large store takes a while; it is not what is measured.
void Discard(benchmark::State& state, Fixture& fixture)
{
    state.PauseTiming();
    fixture.store.reset();
    state.ResumeTiming();
}

void AddEntry(benchmark::State& state, bool combine)
{
    for (auto _ : state) {
        Fixture fixture = MakeStore(static_cast<int>(state.range(0)), combine);
        Discard(state, fixture);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_AddEntry(benchmark::State& state) { AddEntry(state, false); }
void BM_AddEntryPacking(benchmark::State& state) { AddEntry(state, true); }

// Select(name, parent, k) for k = 0, 1, 2 ... under every parent.
void BM_SelectByParent(benchmark::State& state)
{
    Fixture fixture = MakeStore(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        for (CDbEntry const* parent : fixture.parents) {
            for (int k = 0; fixture.store->Select("port", parent, k) != nullptr; ++k) {
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Every match of one condition by rising index, counts with and without a parent, and a
// query under each parent.
void BM_Query(benchmark::State& state)
{
    Fixture fixture = MakeStore(static_cast<int>(state.range(0)), false);
    CDbObject& store = *fixture.store;
    for (auto _ : state) {
        int found = 0;
        while (store.Select("port", found, "vlan", 7, nullptr) != nullptr)
            ++found;
        benchmark::DoNotOptimize(store.SelectCount("port", "vlan", "7", nullptr));
        for (CDbEntry const* parent : fixture.parents)
            benchmark::DoNotOptimize(store.Select("port", parent, "id", "-1", nullptr));
        for (CDbEntry* parent : fixture.parents)
            benchmark::DoNotOptimize(store.SelectCount("port", parent));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_WriteAndRead(benchmark::State& state)
{
    Fixture fixture = MakeStore(static_cast<int>(state.range(0)), false);
    std::string const path = "quillset_bench_store.txt";
    for (auto _ : state) {
        fixture.store->WriteDelimitedFile(path.c_str());
        Fixture loaded;
        loaded.store->ReadDelimitedFile(path.c_str(), false);
        Discard(state, loaded);
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Delete(parent, cascade) for every parent, which deletes every port.
void BM_DeleteCascade(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fixture fixture = MakeStore(static_cast<int>(state.range(0)), false);
        state.ResumeTiming();
        for (CDbEntry* parent : fixture.parents)
            fixture.store->Delete(parent, true);
        Discard(state, fixture);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

#define QUILLSET_STORE_SIZES RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)

BENCHMARK(BM_AddEntry)->QUILLSET_STORE_SIZES;
BENCHMARK(BM_AddEntryPacking)->QUILLSET_STORE_SIZES;
BENCHMARK(BM_SelectByParent)->QUILLSET_STORE_SIZES;
BENCHMARK(BM_Query)->QUILLSET_STORE_SIZES;
BENCHMARK(BM_WriteAndRead)->QUILLSET_STORE_SIZES;
BENCHMARK(BM_DeleteCascade)->QUILLSET_STORE_SIZES;

// Time to build the large generated disks with the document's own grow and connect edits.
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"

#include <benchmark/benchmark.h>

static void BM_HexDisk(benchmark::State& state) {
    for (auto _ : state) {
        CTesselDoc doc;
        benchmark::DoNotOptimize(BuildHexDisk(doc, static_cast<int>(state.range(0))));
        state.counters["nodes"] = doc.m_nodes.GetSize();
    }
}
BENCHMARK(BM_HexDisk)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

static void BM_RandomDisk(benchmark::State& state) {
    for (auto _ : state) {
        CTesselDoc doc;
        benchmark::DoNotOptimize(BuildRandomDisk(doc, static_cast<int>(state.range(0)), 1));
        state.counters["nodes"] = doc.m_nodes.GetSize();
    }
}
BENCHMARK(BM_RandomDisk)->Arg(300)->Arg(30000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// What checking a graph costs beside opening it: the structural check and the check that it
// is a triangulated disk on the collections (as saving and packing run them), the same check
// on a table of indices (as opening runs it), and the whole opening of the same document from
// its bytes, on the two million-node disks.
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "model/DiskCheck.h"
#include "model/GraphCheck.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Built once: a million-node disk takes a while to make.
const CTesselDoc& Disk(bool hex) {
    static std::unique_ptr<CTesselDoc> disks[2];
    std::unique_ptr<CTesselDoc>& disk = disks[hex ? 1 : 0];
    if (!disk) {
        disk = std::make_unique<CTesselDoc>();
        hex ? BuildHexDisk(*disk, MaxHexRings) : BuildRandomDisk(*disk, MaxRandomDiskNodes, 1);
    }
    return *disk;
}

void BM_StructureCheck(benchmark::State& state) {
    const CTesselDoc& doc = Disk(state.range(0) != 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckGraph(doc.m_nodes, doc.m_edges, nullptr));
    }
}

void BM_DiskCheck(benchmark::State& state) {
    const CTesselDoc& doc = Disk(state.range(0) != 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindDiskProblem(doc.m_nodes, doc.m_edges));
    }
}

// What opening adds: the same check on the table the loader records from the file's indices.
void BM_TableCheck(benchmark::State& state) {
    const CTesselDoc& doc = Disk(state.range(0) != 0);
    CGraphTable table;
    TabulateGraph(doc.m_nodes, doc.m_edges, table, nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindDiskProblem(table));
    }
}

void BM_OpenFromBytes(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes =
        const_cast<CTesselDoc&>(Disk(state.range(0) != 0)).SaveToBytes();
    for (auto _ : state) {
        CTesselDoc doc;
        std::string error;
        benchmark::DoNotOptimize(doc.LoadFromBytes(bytes, error));
    }
}

} // namespace

// 0: random disk of a million nodes, 1: hex disk of 577 rings.
BENCHMARK(BM_StructureCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiskCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFromBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Speed of the packing engine on generated disks: one SolveRadii, one Layout and one whole
// RunPacking, in creation order and after Node Randomize, next to the literal solver with six
// exponentials per angle. Run: make bench, or build-bench/bench/bench_packing.
#include "circles/CPCircle.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "packing/LiteralSolver.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace {

enum Graph { Hex10, Hex30, Hex100, Random30000 };
enum Order { Creation, Randomized };

const char* GraphName(int graph) {
    static const char* names[] = {"hex10", "hex30", "hex100", "random30000"};
    return names[graph];
}

// Each graph is built once and shared by the benchmarks that use it.
CTesselDoc& Document(int graph, int order) {
    static std::map<std::pair<int, int>, std::unique_ptr<CTesselDoc>> documents;
    std::unique_ptr<CTesselDoc>& doc = documents[{graph, order}];
    if (!doc) {
        doc = std::make_unique<CTesselDoc>();
        static const int rings[] = {10, 30, 100};
        if (graph == Random30000) {
            BuildRandomDisk(*doc, 30000, 1);
        } else {
            BuildHexDisk(*doc, rings[graph]);
        }
        if (order == Randomized) {
            doc->m_nodes.Randomize(MakeSeededRandom(1));
        }
    }
    return *doc;
}

// RunPacking as the algorithm is written, with the literal solver in place of ours.
void RunPackingLiteral(CTesselDoc& doc) {
    doc.m_circles.RemoveAll(doc.m_nodes);
    if (doc.m_topologyChanged) {
        doc.m_nodes.ResetRadii();
        doc.m_topologyChanged = 0;
    }
    SolveRadiiLiteral(doc.m_nodes);
    doc.m_nodes.Layout();
    doc.m_nodes.ApplyLayout(doc.GetPackingScale());
    for (CCPNode* node : doc.m_nodes.m_array) {
        doc.m_circles.Add(node->m_circle);
    }
    doc.SetModifiedFlag(true);
}

void Label(benchmark::State& state) {
    const CTesselDoc& doc = Document(int(state.range(0)), int(state.range(1)));
    state.SetLabel(std::string(GraphName(int(state.range(0)))) + "/" +
                   (state.range(1) == Creation ? "creation" : "randomized") + " " +
                   std::to_string(doc.m_nodes.GetSize()) + " nodes");
}

template <void (*Solve)(CCPNodeArray&)> void SolveFromUnitRadii(benchmark::State& state) {
    CTesselDoc& doc = Document(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        state.PauseTiming();
        doc.m_nodes.ResetRadii();
        state.ResumeTiming();
        Solve(doc.m_nodes);
    }
    Label(state);
}

void SolveOurs(CCPNodeArray& nodes) {
    nodes.SolveRadii();
}

void BM_SolveRadii(benchmark::State& state) {
    SolveFromUnitRadii<SolveOurs>(state);
}

void BM_SolveRadiiLiteral(benchmark::State& state) {
    SolveFromUnitRadii<SolveRadiiLiteral>(state);
}

void BM_Layout(benchmark::State& state) {
    CTesselDoc& doc = Document(int(state.range(0)), int(state.range(1)));
    doc.m_nodes.ResetRadii();
    doc.m_nodes.SolveRadii();
    int passes = 0;
    for (auto _ : state) {
        passes = doc.m_nodes.Layout();
    }
    state.counters["passes"] = passes;
    Label(state);
}

template <void (*Run)(CTesselDoc&)> void PackAfterAnEdit(benchmark::State& state) {
    CTesselDoc& doc = Document(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        doc.m_topologyChanged = 1; // every run starts from radii 1.0
        Run(doc);
    }
    Label(state);
}

void RunOurs(CTesselDoc& doc) {
    doc.RunPacking();
}

void BM_RunPacking(benchmark::State& state) {
    PackAfterAnEdit<RunOurs>(state);
}

void BM_RunPackingLiteral(benchmark::State& state) {
    PackAfterAnEdit<RunPackingLiteral>(state);
}

// Not a timing: whether our radii equal the literal ones after one run from radii 1.0, as
// the largest relative difference (0 when every radius is the same double).
void BM_RadiiAgreement(benchmark::State& state) {
    CTesselDoc& doc = Document(int(state.range(0)), int(state.range(1)));
    double largest = 0.0;
    for (auto _ : state) {
        doc.m_nodes.ResetRadii();
        doc.m_nodes.SolveRadii();
        std::vector<double> ours;
        for (const CCPNode* node : doc.m_nodes.m_array) {
            ours.push_back(node->m_circle->m_radius);
        }
        doc.m_nodes.ResetRadii();
        SolveRadiiLiteral(doc.m_nodes);
        for (std::size_t i = 0; i < ours.size(); ++i) {
            double literal = doc.m_nodes.m_array[i]->m_circle->m_radius;
            largest = std::max(largest, std::fabs(ours[i] - literal) / literal);
        }
    }
    state.counters["max_rel_diff"] = largest;
    Label(state);
}

void AllGraphs(benchmark::internal::Benchmark* b) {
    for (int graph : {Hex10, Hex30, Hex100, Random30000}) {
        for (int order : {Creation, Randomized}) {
            b->Args({graph, order});
        }
    }
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_SolveRadii)->Apply(AllGraphs);
BENCHMARK(BM_SolveRadiiLiteral)->Apply(AllGraphs);
BENCHMARK(BM_Layout)->Apply(AllGraphs);
BENCHMARK(BM_RunPacking)->Apply(AllGraphs);
BENCHMARK(BM_RunPackingLiteral)->Apply(AllGraphs);
BENCHMARK(BM_RadiiAgreement)->Apply(AllGraphs)->Iterations(1);

BENCHMARK_MAIN();

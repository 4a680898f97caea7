// Whether packings are sound at every size and threshold: packs generated disks as tessel-cli
// pack does and checks each result as a picture, then saves and reopens it. Not a timing and
// not part of make test (the large disks take minutes); run by hand:
//   build-bench/bench/check_packings            every case
//   build-bench/bench/check_packings --quick    the small ones
//   ... [--quick] sizes | thresholds             one of the two parts
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "packing/PackingErrors.h"
#include "support/PackingGeometry.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Graph {
    std::string name;
    bool hex;
    int size;
    unsigned seed;
};

bool Build(CTesselDoc& doc, const Graph& graph) {
    return graph.hex ? BuildHexDisk(doc, graph.size) : BuildRandomDisk(doc, graph.size, graph.seed);
}

bool Reopens(CTesselDoc& doc) {
    CTesselDoc copy;
    std::string error;
    std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    return copy.LoadFromBytes(bytes, error);
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// One run and twenty runs of Circle Packing at the built-in threshold.
bool CheckSizes(const std::vector<Graph>& graphs) {
    bool ok = true;
    std::printf("%-16s %5s %10s %5s %s\n", "graph", "runs", "error", "file", "geometry");
    for (const Graph& graph : graphs) {
        CTesselDoc doc;
        Build(doc, graph);
        auto start = std::chrono::steady_clock::now();
        for (int runs = 1; runs <= 20; ++runs) {
            doc.RunPacking();
            if (runs != 1 && runs != 20) {
                continue;
            }
            CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
            bool reopens = Reopens(doc);
            bool sound = g.unsound == 0 && g.unplacedNodes == 0 && reopens;
            ok = ok && sound;
            std::printf("%-16s %5d %10.3e %5s %s (%.1f s)%s\n", graph.name.c_str(), runs,
                        MeasurePackingErrors(doc.m_nodes).innerError, reopens ? "ok" : "FAIL",
                        g.Describe().c_str(), Seconds(start), sound ? "" : "  <-- FAILS");
            std::fflush(stdout);
        }
    }
    return ok;
}

// Packed at a threshold until the largest inner error is below `until` (or 20,000 runs).
bool CheckThresholds(const std::vector<Graph>& graphs) {
    bool ok = true;
    std::printf("\n%-16s %9s %9s %6s %10s %s\n", "graph", "threshold", "until", "runs", "error",
                "geometry");
    for (const Graph& graph : graphs) {
        for (double threshold : {1e-4, 1e-6, 1e-8, 1e-10, 1e-12, 1e-13}) {
            CTesselDoc doc;
            Build(doc, graph);
            CCPNode::m_threshold = threshold;
            double until = std::max(threshold, 1e-12);
            int runs = 0;
            double error = 0;
            do {
                doc.RunPacking();
                error = MeasurePackingErrors(doc.m_nodes).innerError;
            } while (++runs < 20000 && !(error < until));
            CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
            bool holds = g.Holds(1e-6, 1e-9) && Reopens(doc);
            ok = ok && holds;
            std::printf("%-16s %9.0e %9.0e %6d %10.3e %s%s\n", graph.name.c_str(), threshold, until,
                        runs, error, g.Describe().c_str(), holds ? "" : "  <-- FAILS");
            std::fflush(stdout);
        }
    }
    CCPNode::ResetDefaults();
    return ok;
}

std::vector<Graph> SizeCases(bool quick) {
    std::vector<Graph> graphs;
    for (int rings : {6, 30, 54, 100, 300}) {
        if (!quick || rings <= 54) {
            graphs.push_back({"hex " + std::to_string(rings), true, rings, 0});
        }
    }
    for (int nodes : {300, 10000, 30000, 200000}) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            if (!quick || nodes <= 10000) {
                graphs.push_back({"random " + std::to_string(nodes) + "/" + std::to_string(seed),
                                  false, nodes, seed});
            }
        }
    }
    return graphs;
}

} // namespace

int main(int argc, char** argv) {
    bool quick = false;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            quick = true;
        } else {
            only = argv[i];
        }
    }
    bool sizes = only == "thresholds" || CheckSizes(SizeCases(quick));
    bool thresholds = only == "sizes" || CheckThresholds({{"hex 6", true, 6, 0},
                                                          {"hex 30", true, 30, 0},
                                                          {"random 300", false, 300, 1},
                                                          {"random 3000", false, 3000, 1}});
    std::printf("\n%s\n", sizes && thresholds ? "all sound" : "SOME CASES FAIL");
    return sizes && thresholds ? 0 : 1;
}

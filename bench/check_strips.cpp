// How far long strips reach in doubles: packs 3-row strips to convergence and prints the
// smallest circle, how many circles are too small to place apart, and the time. Not a timing
// and not part of make test; run by hand:
//   build-bench/bench/check_strips [--save DIR]
// --save writes each strip as DIR/strip-COLUMNS[-flipped].tesl, so that another build's
// tessel-cli can pack the same files (`tessel-cli export FILE - --format txt --format-string
// ...`) for a comparison.
#include "document/TesselDoc.h"
#include "packing/ConvergedPacking.h"
#include "support/PackingGeometry.h"
#include "support/StripDisk.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    const std::string save = argc == 3 && std::strcmp(argv[1], "--save") == 0 ? argv[2] : "";
    std::printf("%-22s %7s %12s %10s %8s\n", "strip", "nodes", "smallest", "too small", "seconds");
    for (bool flipped : {false, true}) {
        for (int columns : {100, 300, 700, 1000, 1300, 2000}) {
            CTesselDoc doc;
            BuildStrip(doc, 3, columns, flipped);
            const std::string name =
                "strip-" + std::to_string(columns) + (flipped ? "-flipped" : "");
            if (!save.empty()) {
                std::string error;
                doc.OnSaveDocument(save + "/" + name + ".tesl", error);
            }
            auto start = std::chrono::steady_clock::now();
            CConvergedPacking outcome;
            std::string refusal;
            const bool packed = doc.PackToConvergence(1e-12, {}, outcome, &refusal);
            std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
            CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
            std::printf("%-22s %7d %12.3e %10d %8.3f %s\n", name.c_str(), doc.m_nodes.GetSize(),
                        g.smallestRadius, outcome.tooSmall, seconds.count(),
                        packed ? "" : refusal.c_str());
        }
    }
}

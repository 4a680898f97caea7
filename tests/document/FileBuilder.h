// Test helper: document files written by hand, record by record, to damage them on purpose.
#pragma once

#include "document/Archive.h"

#include <array>
#include <cstdint>
#include <vector>

struct CFileNode {
    double x = 0;
    double y = 0;
    std::vector<std::int32_t> edges;
    std::int32_t kind = 2;
};

struct CFileGraph {
    double extentX = 500;
    double extentY = 500;
    std::vector<CFileNode> nodes;
    std::vector<std::array<std::int32_t, 3>> edges; // start, end, interior
};

// The bytes the editor would write for that graph, every circle in the given style.
inline std::vector<std::uint8_t> EncodeFile(const CFileGraph& g,
                                            std::array<std::int32_t, 3> style = {0xFFFFFF, 0, 1}) {
    CArchive ar;
    ar.WriteF64(g.extentX);
    ar.WriteF64(g.extentY);
    ar.WriteI32(static_cast<std::int32_t>(g.nodes.size()));
    ar.WriteI32(static_cast<std::int32_t>(g.edges.size()));
    bool first = true;
    for (const CFileNode& node : g.nodes) {
        ar.WriteF64(node.x);
        ar.WriteF64(node.y);
        ar.WriteI32(static_cast<std::int32_t>(node.edges.size()));
        for (std::int32_t e : node.edges) {
            ar.WriteI32(e);
        }
        ar.WriteI32(node.kind);
        if (first) {
            ar.WriteU16(0xFFFF);
            ar.WriteU16(1);
            ar.WriteU16(9);
            ar.WriteChars("CCPCircle");
        } else {
            ar.WriteU16(0x8001);
        }
        first = false;
        for (std::int32_t v : style) {
            ar.WriteI32(v);
        }
    }
    for (const auto& edge : g.edges) {
        for (std::int32_t v : edge) {
            ar.WriteI32(v);
        }
    }
    for (std::int32_t v : style) {
        ar.WriteI32(v);
    }
    return ar.Bytes();
}

// A wheel: inner hub 0 and a rim of four outer nodes; spokes are edges 0-3, the rim 4-7.
inline CFileGraph Wheel() {
    CFileGraph g;
    g.nodes = {{0, 0, {0, 1, 2, 3}, 1},
               {100, 0, {4, 0, 7}, 0},
               {0, 100, {5, 1, 4}, 0},
               {-100, 0, {6, 2, 5}, 0},
               {0, -100, {7, 3, 6}, 0}};
    g.edges = {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}, {0, 4, 1},
               {1, 2, 0}, {2, 3, 0}, {3, 4, 0}, {4, 1, 0}};
    return g;
}

// Consistency check of a loaded graph's topology, before it replaces a document's graph.
#pragma once

#include "document/Archive.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A graph as indices: what a document file stores, without positions or styles.
struct CGraphTopology {
    std::vector<std::vector<std::int32_t>> nodeEdges;  // each node's edge indices, in list order
    std::vector<std::int32_t> nodeKinds;               // Outer 0, Inner 1, NotConnected 2
    std::vector<std::array<std::int32_t, 2>> edgeEnds; // start and end node of each edge
    std::vector<std::int32_t> edgeInterior;            // 0 boundary, 1 interior
};

// Checks what every edit relies on: indices in range; kinds 0 to 2 and flags 0 or 1; every
// edge joins two different nodes, no two edges join the same pair, and each edge stands once
// in the lists of exactly its two ends; consecutive neighbours of a node are joined (they
// bound a triangle), and an Inner node has at least three neighbours with its last and first
// neighbours joined too. The first violation found is recorded on `ar`; returns !ar.Failed().
bool CheckGraphTopology(const CGraphTopology& graph, CArchive& ar);

// The regular hyperbolic tiling {p,q} (p-gons, q at every vertex) around a central tile, as
// the triangles of its tiles each fanned from a node at its centre.
#pragma once

#include "model/TriangleGraph.h"

#include <cstdint>
#include <string>
#include <vector>

// The sizes a tiling takes: enough for every regular tiling a picture can show.
constexpr int MinTilingSides = 3;
constexpr int MaxTilingSides = 100;
constexpr int MaxTilingDepth = 100;

struct CTilingGraph {
    std::vector<CDPoint> points;      // in the unit disk: the centres and corners of the tiles
    std::vector<CTriangle> triangles; // the positive way round, as BuildTriangleGraph wants
};

// Empty when p and q make a hyperbolic tiling (1/p + 1/q < 1/2, both from MinTilingSides to
// MaxTilingSides) and depth lies from 1 to MaxTilingDepth; else the sentence that refuses
// them.
std::string FindTilingProblem(int p, int q, int depth);

// The tiles out to `depth` layers: layer 1 is the tile centred at the origin (with a corner
// straight up, at -y), layer k + 1 the tiles that share a corner with layers 1 to k. Point 0
// is the central tile's centre. Returns an empty string, or why nothing was made (the
// sizes, or more than maxNodes points), with the graph left empty.
std::string MakeRegularTiling(int p, int q, int depth, std::int64_t maxNodes, CTilingGraph& tiling);

// Refinement and growth of a triangulated disk: every triangle cut into four or six, or a new
// ring of boundary nodes around it. Each builds a new graph from the old one's triangles, so
// that the old graph stays as it was until the caller swaps the two.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CCPEdgeArray;
class CCPNodeArray;

enum class GraphGrowth {
    HexRefine,         // a node on every edge: every triangle into four
    BarycentricRefine, // a node on every edge and one in every triangle: into six
    BoundaryLayer,     // one new outer node per boundary edge; the old boundary becomes inner
};

// Asked between the stages of a growth (each a pass over the whole graph); true stops it.
using GrowthCancel = std::function<bool()>;

// Largest graph a refinement or a layer may make, as for the generated disks.
constexpr std::int64_t MaxGrownNodes = 1000000;

struct CGraphSize {
    std::int64_t nodes = 0;
    std::int64_t edges = 0;
    std::int64_t triangles = 0;
    std::int64_t boundary = 0; // boundary edges
};

// The counts of a graph that passes FindDiskProblem.
CGraphSize MeasureGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges);
// The counts after one growth: hex refine V + E nodes, 2E + 3F edges, 4F triangles and a
// boundary twice as long; barycentric V + E + F, 2E + 6F, 6F, 2B; a layer V + B, E + 3B,
// F + 2B, B.
CGraphSize SizeAfter(const CGraphSize& size, GraphGrowth growth);
// Empty when `times` growths keep within MaxGrownNodes, else the sentence that refuses them.
std::string FindGrowthLimit(const CGraphSize& size, GraphGrowth growth, int times);

// Fills the empty collections with the grown graph of nodes and edges, which must pass
// FindDiskProblem (a graph that does not is refused with that sentence). Old nodes keep
// their places and styles. A node on an edge stands at its midpoint and takes the style of
// the edge's end that comes first in the collection; a node in a triangle stands at its
// centroid and takes the style of its first corner in the collection; a layer's node stands
// outside its boundary edge (near enough that the drawing stays without crossings where the
// old one had none) and takes the style of the edge's start. Returns an empty string, or why
// nothing was built, with the collections left empty. When `cancelled` says so, it returns an
// empty string with the collections empty too: no growth leaves an empty graph otherwise.
std::string GrowGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, GraphGrowth growth,
                      CCPNodeArray& grownNodes, CCPEdgeArray& grownEdges,
                      const GrowthCancel& cancelled = {});

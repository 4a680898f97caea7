// Test helpers: the graph invariants every edit must keep, and a comparable picture of a graph.
#pragma once

#include <string>

class CCPEdgeArray;
class CCPNodeArray;

enum class Winding { Ignore, Check };

// An empty string when the graph is structurally sound and keeps the invariants of the model:
// every edge listed by exactly its two ends; consecutive neighbours forming triangles that
// every corner's fan agrees on, in the same turning sense (cyclic fans for inner nodes, open
// fans between two boundary edges otherwise); boundary edges oriented with the end as the
// start's first neighbour and the start as the end's last; kinds and interior flags as the
// recompute makes them. Otherwise a sentence naming the first break. With Winding::Check,
// the neighbours must also turn once positively around each inner node and less than a full
// turn around the others (edits that close fans far from where they were grown can break
// this in the model frame, so only hand-made and freshly grown graphs are asked for it).
std::string FindInvariantBreak(const CCPNodeArray& nodes, const CCPEdgeArray& edges,
                               Winding winding = Winding::Ignore);

// Positions, kinds, fans (as edge indices) and edges (as node indices) in one string, so that
// two states of a graph can be compared.
std::string DescribeGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges);

// The combinatorial check of a graph from outside (a document file, an import) and before
// every packing run: that it is one triangulated disk in the form the edits keep, so that
// nothing packs, draws or saves a graph that only looks like one.
#pragma once

#include <string>

class CCPEdgeArray;
class CCPNodeArray;
struct CGraphTable;

// Empty when the graph passes, else one sentence naming the node or edge and the first fault
// found, such as "node 17: its neighbours 4 and 9 are not joined". A graph passes when it is
// structurally sound (CheckGraph); every inner node has at least three neighbours and every
// other node at least two, none listed twice; every two consecutive neighbours of a fan (the
// last and the first too for an inner node) are joined and their triangle is listed in the
// same sense by all three corners; an open fan is not closed by the others' fans, and the
// kinds and interior flags are what the edits make them (Outer beside an inner node,
// NotConnected otherwise; interior exactly for edges between two triangles); every boundary
// edge runs from a node to its first neighbour; and the graph is one part with V - E + F = 1,
// that is a disk. An empty graph passes. Linear in the size of the graph.
std::string FindDiskProblem(const CCPNodeArray& nodes, const CCPEdgeArray& edges);
// The same on the graph's table, whose objects are known to be sound (a file's, as it is
// read): no address is looked up.
std::string FindDiskProblem(const CGraphTable& table);

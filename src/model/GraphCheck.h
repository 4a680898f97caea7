// The structural check a graph from outside (a document file) must pass before any edit,
// drawing or packing may touch it, on the graph as a table of indices.
#pragma once

#include <memory>
#include <string>
#include <vector>

class CCPEdgeArray;
class CCPNodeArray;

// A graph as index arrays: what the checks read. It is made from the collections, or, while
// a file is read, straight from the file's indices, which costs no look-up of addresses.
struct CGraphTable {
    std::vector<int> kind;         // per node
    std::vector<int> listStart{0}; // node i lists edges listEdges[listStart[i] ...
                                   // listStart[i + 1]), in its list's order
    std::vector<int> listEdges;    // edge indices
    std::vector<int> edgeData;     // per edge its start and end node indices and its interior
                                   // flag, side by side since the checks read them together

    int Nodes() const { return static_cast<int>(kind.size()); }
    int Edges() const { return static_cast<int>(edgeData.size() / 3); }
    int Start(int edge) const { return edgeData[3 * edge]; }
    int End(int edge) const { return edgeData[3 * edge + 1]; }
    int Interior(int edge) const { return edgeData[3 * edge + 2]; }
};

// Tabulates a graph whose objects are sound: no null node, edge or circle; no node, edge or
// circle held twice; every edge's ends and every listed edge in the collections. Otherwise
// false, with a sentence naming the first fault in problem (when given).
bool TabulateGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, CGraphTable& table,
                   std::string* problem);

// The fans of a sound table, as checking it finds them. Left uninitialised until the check
// writes them: a million-node graph's would otherwise be written twice.
struct CTableFans {
    std::unique_ptr<int[]> neighbours; // per list entry, the node across its edge
    std::unique_ptr<char[]> fromStart; // per list entry, whether the listing node is the start
    std::unique_ptr<int[]> places;     // per edge, its place in its start's list, then in its end's
};

// True when the table is sound: every kind Outer, Inner or NotConnected; every edge between
// two distinct nodes and listed once by each of them and by no other node. Otherwise false,
// with a sentence naming the first fault. Fills `fans` on the way when given.
bool CheckGraphTable(const CGraphTable& table, std::string* problem, CTableFans* fans = nullptr);

// Both of the above on the collections. Fans, orientation and derived states are not
// checked here (FindDiskProblem does): the edits cope with any of those.
bool CheckGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, std::string* problem);

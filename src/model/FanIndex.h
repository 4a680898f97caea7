// The graph of a node collection as plain index arrays: each node's kind and its neighbours
// in fan order, for the check of a graph and the solvers that run over a whole disk many
// times (or on another thread while the document stays untouched).
#pragma once

#include <string>
#include <vector>

class CCPNodeArray;

class CFanIndex {
public:
    // Indexes the nodes in collection order. A neighbour that is missing or outside the
    // collection makes it unusable, with the reason in Problem().
    explicit CFanIndex(const CCPNodeArray& nodes);

    bool Usable() const { return m_problem.empty(); }
    const std::string& Problem() const { return m_problem; }

    int Size() const { return static_cast<int>(m_kind.size()); }
    int Kind(int node) const { return m_kind[node]; }
    bool IsInner(int node) const { return m_kind[node] == 1; }
    int Degree(int node) const { return m_start[node + 1] - m_start[node]; }
    // Neighbour p of the node, p from 0 to Degree - 1, in fan order.
    int Neighbour(int node, int p) const { return m_neighbours[m_start[node] + p]; }
    // Position of the node's first neighbour in the flat neighbour list, for per-neighbour
    // tables that run parallel to it.
    int FanStart(int node) const { return m_start[node]; }
    int FanEntries() const { return static_cast<int>(m_neighbours.size()); }

private:
    std::vector<int> m_kind;
    std::vector<int> m_start;
    std::vector<int> m_neighbours;
    std::string m_problem;
};

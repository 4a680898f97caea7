// The combinatorial check of a triangulated disk, in a few linear passes over the table of the
// graph. A million-node graph has six million fan entries; the passes read them in order and
// touch other places at random as seldom as they can, since those reads are what costs, and
// run over two halves of the graph at once.
#include "model/DiskCheck.h"

#include "model/CPNode.h"
#include "model/GraphCheck.h"
#include "model/InHalves.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

std::string Node(int v) {
    return "node " + std::to_string(v);
}

std::string KindName(int kind) {
    return kind == Outer ? "outer" : kind == Inner ? "inner" : "not connected";
}

class CDiskCheck {
public:
    CDiskCheck(const CGraphTable& table, const CTableFans& fans) : m_table(table), m_fans(fans) {}

    std::string Run() const {
        std::string problem;
        std::string topology;
        const auto passes = [this, &problem] { problem = RunPasses(); };
        if (m_table.Nodes() < kItemsWorthASecondThread) {
            passes();
            return problem.empty() ? CheckTopology() : problem;
        }
        // The topology reads only what the structural check has found sound, so on a large
        // graph it is worked out beside the passes, and named only when they find nothing.
        RunBoth(passes, [this, &topology] { topology = CheckTopology(); });
        return problem.empty() ? topology : problem;
    }

private:
    // Each pass relies on the ones before it, and names the first fault in its order.
    std::string RunPasses() const {
        using Pass = std::string (CDiskCheck::*)(int) const;
        const std::pair<Pass, int> passes[] = {
            {&CDiskCheck::CheckDegree, m_table.Nodes()},
            {&CDiskCheck::FindRepeatedNeighbour, m_table.Nodes()},
            {&CDiskCheck::CheckFan, m_table.Nodes()},
            // A damaged fan also makes flags look wrong: the fan is the fault to name first.
            {&CDiskCheck::CheckEdge, m_table.Edges()},
        };
        for (const auto& [pass, count] : passes) {
            std::string problem = InHalves(count, [this, pass](int begin, int end) {
                for (int i = begin; i < end; ++i) {
                    if (std::string problem = (this->*pass)(i); !problem.empty()) {
                        return problem;
                    }
                }
                return std::string();
            });
            if (!problem.empty()) {
                return problem;
            }
        }
        return {};
    }

    bool IsInner(int v) const { return m_table.kind[v] == Inner; }
    int Degree(int v) const { return m_table.listStart[v + 1] - m_table.listStart[v]; }
    int First(int v) const { return m_table.listStart[v]; }
    int At(int v, int p) const { return m_fans.neighbours[First(v) + p]; }
    // The neighbour before or after position p in v's fan, or -1 past the end of an open fan.
    int Before(int v, int p) const {
        return p > 0 ? At(v, p - 1) : IsInner(v) ? At(v, Degree(v) - 1) : -1;
    }
    int After(int v, int p) const {
        return p + 1 < Degree(v) ? At(v, p + 1) : IsInner(v) ? At(v, 0) : -1;
    }
    // Where v stands in the fan of its neighbour p: the place of the entry's edge in the list
    // of its other end.
    int PositionAcross(int v, int p) const {
        const int at = First(v) + p;
        const std::size_t e = m_table.listEdges[at];
        return m_fans.places[2 * e + (m_fans.fromStart[at] ? 1 : 0)];
    }
    bool Joined(int a, int b) const {
        for (int p = 0; p < Degree(a); ++p) {
            if (At(a, p) == b) {
                return true;
            }
        }
        return false;
    }
    // Triangles in v's fan: one per consecutive pair, the closing one for an inner node.
    int Triangles(int v) const { return IsInner(v) ? Degree(v) : Degree(v) - 1; }

    std::string CheckDegree(int v) const {
        const int k = Degree(v);
        if (IsInner(v) && k < 3) {
            return Node(v) + " is inner but has only " + std::to_string(k) + " neighbours";
        }
        if (k < 2) {
            return Node(v) + (k == 0 ? " has no neighbours" : " has only one neighbour");
        }
        return {};
    }

    static std::string EdgeName(int e) { return "edge " + std::to_string(e); }

    // An edge lies between two triangles unless it ends an open fan; a boundary edge runs
    // from a node to its first neighbour.
    std::string CheckEdge(int e) const {
        const int start = m_table.Start(e);
        const int place = m_fans.places[2 * std::size_t(e)];
        const bool boundary = !IsInner(start) && (place == 0 || place == Degree(start) - 1);
        if (m_table.Interior(e) != (boundary ? 0 : 1)) {
            return EdgeName(e) + (boundary ? " lies on the boundary, but is marked interior"
                                           : " lies between two triangles, but is marked as a "
                                             "boundary edge");
        }
        if (boundary && place != 0) {
            return EdgeName(e) + " runs against the boundary's direction";
        }
        return {};
    }

    // A node that reaches one neighbour by two edges, named at the first entry that repeats
    // an earlier one. Read within the node's own list: a mark per node shared by the two
    // halves would be written by both.
    std::string FindRepeatedNeighbour(int v) const {
        const int repeat = Degree(v) <= kFewNeighbours ? FirstRepeatAmongFew(v) : FirstRepeat(v);
        if (repeat < 0) {
            return {};
        }
        return Node(v) + ": its neighbour " + std::to_string(At(v, repeat)) + " is listed twice";
    }

    // Up to this many neighbours, comparing each with those before it is quickest.
    static constexpr int kFewNeighbours = 16;

    int FirstRepeatAmongFew(int v) const {
        const int* list = &m_fans.neighbours[First(v)];
        const int k = Degree(v);
        for (int p = 1; p < k; ++p) {
            for (int q = 0; q < p; ++q) {
                if (list[q] == list[p]) {
                    return p;
                }
            }
        }
        return -1;
    }

    // The neighbours sorted with their places: every entry but the first of a run of equal
    // ones repeats, the earliest of them is the one to name.
    int FirstRepeat(int v) const {
        std::vector<std::pair<int, int>> sorted(Degree(v));
        for (int p = 0; p < Degree(v); ++p) {
            sorted[p] = {At(v, p), p};
        }
        std::sort(sorted.begin(), sorted.end());
        int first = -1;
        for (std::size_t i = 1; i < sorted.size(); ++i) {
            const bool repeats = sorted[i].first == sorted[i - 1].first;
            if (repeats && (first < 0 || sorted[i].second < first)) {
                first = sorted[i].second;
            }
        }
        return first;
    }

    // Each triangle (v, a, b) of v's fan must be (a, b, v) in a's fan and (b, v, a) in b's.
    // Asking only a suffices: b is asked the same of its own triangle (b, v, a) when b's fan
    // is read.
    std::string CheckFan(int v) const {
        const int k = Degree(v);
        for (int p = 0; p < Triangles(v); ++p) {
            const int a = At(v, p);
            const int b = At(v, p + 1 < k ? p + 1 : 0);
            if (Before(a, PositionAcross(v, p)) != b) {
                return DescribeTriangle(v, p);
            }
        }
        if (IsInner(v)) {
            return {};
        }
        if (After(At(v, 0), PositionAcross(v, 0)) == At(v, k - 1)) {
            return Node(v) + " is " + KindName(m_table.kind[v]) + ", but its fan is closed";
        }
        bool innerNeighbour = false;
        for (int p = 0; p < k; ++p) {
            innerNeighbour = innerNeighbour || IsInner(At(v, p));
        }
        const int kind = innerNeighbour ? Outer : NotConnected;
        if (m_table.kind[v] != kind) {
            return Node(v) + " is " + KindName(m_table.kind[v]) + ", but should be " +
                   KindName(kind) +
                   (innerNeighbour ? " beside an inner node" : " without an inner neighbour");
        }
        return {};
    }

    // What is wrong with the triangle after v's p-th neighbour.
    std::string DescribeTriangle(int v, int p) const {
        const int next = (p + 1) % Degree(v);
        const int a = At(v, p);
        const int b = At(v, next);
        const std::string pair = std::to_string(a) + " and " + std::to_string(b);
        if (!Joined(a, b)) {
            return Node(v) + ": its neighbours " + pair + " are not joined";
        }
        if (After(a, PositionAcross(v, p)) == b || Before(b, PositionAcross(v, next)) == a) {
            return Node(v) + ": its triangle with " + pair +
                   " is listed the other way round by its neighbours";
        }
        return Node(v) + ": its triangle with " + pair + " is missing from their fans";
    }

    // One part, whose boundary is one loop and whose Euler characteristic is 1: a disk.
    std::string CheckTopology() const {
        const int n = m_table.Nodes();
        if (n == 0) {
            return {};
        }
        if (const int stray = FindStrayNode(); stray >= 0) {
            return "the graph has " + std::to_string(CountParts()) +
                   " separate parts: " + Node(stray) + " is not joined to node 0";
        }
        std::int64_t triangles = 0;
        for (int v = 0; v < n; ++v) {
            triangles += Triangles(v);
        }
        const std::int64_t euler = n - std::int64_t{m_table.Edges()} + triangles / 3;
        const int loops = CountBoundaryLoops();
        if (loops == 0) {
            return "the graph has no boundary: every node is inner";
        }
        if (loops > 1) {
            return "the graph is not a disk: its boundary has " + std::to_string(loops) + " loops";
        }
        if (euler != 1) {
            return "the graph is not a disk: it has " + std::to_string((1 - euler) / 2) +
                   " handles";
        }
        return {};
    }

    // The parts as sets of nodes joined through edges, read in the table's order: the
    // parents stay within a few megabytes where a walk along the fans would jump through the
    // whole graph.
    std::vector<int> JoinParts() const {
        std::vector<int> parent(m_table.Nodes());
        for (int v = 0; v < m_table.Nodes(); ++v) {
            parent[v] = v;
        }
        auto root = [&](int v) {
            while (parent[v] != v) {
                v = parent[v] = parent[parent[v]];
            }
            return v;
        };
        for (int e = 0; e < m_table.Edges(); ++e) {
            const int a = root(m_table.Start(e));
            const int b = root(m_table.End(e));
            // The smaller root becomes the parent, so that node 0's part keeps the root 0.
            parent[std::max(a, b)] = std::min(a, b);
        }
        for (int v = 0; v < m_table.Nodes(); ++v) {
            parent[v] = root(v);
        }
        return parent;
    }

    // The first node that is not in node 0's part, or -1.
    int FindStrayNode() const {
        const std::vector<int> parts = JoinParts();
        for (int v = 0; v < m_table.Nodes(); ++v) {
            if (parts[v] != 0) {
                return v;
            }
        }
        return -1;
    }

    int CountParts() const {
        const std::vector<int> parts = JoinParts();
        int count = 0;
        for (int v = 0; v < m_table.Nodes(); ++v) {
            count += parts[v] == v;
        }
        return count;
    }

    // Every boundary node leads on to its first neighbour along the boundary.
    int CountBoundaryLoops() const {
        std::vector<char> seen(m_table.Nodes(), 0);
        int loops = 0;
        for (int start = 0; start < m_table.Nodes(); ++start) {
            // A node without neighbours (a fault the passes name) leads nowhere.
            if (IsInner(start) || seen[start] || Degree(start) == 0) {
                continue;
            }
            ++loops;
            for (int v = start; !seen[v]; v = At(v, 0)) {
                seen[v] = 1;
            }
        }
        return loops;
    }

    const CGraphTable& m_table;
    const CTableFans& m_fans;
};

// The structural check's sentence in the form of this check's: lower case, no full stop.
std::string AsClause(std::string sentence) {
    if (!sentence.empty()) {
        sentence[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(sentence[0])));
    }
    if (sentence.ends_with('.')) {
        sentence.pop_back();
    }
    return sentence;
}

} // namespace

std::string FindDiskProblem(const CGraphTable& table) {
    CTableFans fans;
    if (std::string problem; !CheckGraphTable(table, &problem, &fans)) {
        return AsClause(problem);
    }
    return CDiskCheck(table, fans).Run();
}

std::string FindDiskProblem(const CCPNodeArray& nodes, const CCPEdgeArray& edges) {
    CGraphTable table;
    if (std::string problem; !TabulateGraph(nodes, edges, table, &problem)) {
        return AsClause(problem);
    }
    return FindDiskProblem(table);
}

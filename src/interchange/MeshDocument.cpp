// From a mesh to a disk: its parts, its edges, the orientation of its faces, its boundary,
// and the plane it is drawn in.
#include "interchange/MeshDocument.h"

#include "interchange/ImportedGraph.h"
#include "interchange/TextLines.h"

#include <Eigen/Dense>
#include <algorithm>
#include <numeric>

namespace {

// "1,204": counts in messages as people read them.
std::string Thousands(std::int64_t n) {
    std::string digits = std::to_string(n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(std::size_t(at), ",");
    }
    return digits;
}

int Find(std::vector<int>& parent, int v) {
    while (parent[v] != v) {
        parent[v] = parent[parent[v]];
        v = parent[v];
    }
    return v;
}

// The triangles of the largest part (connected through shared corners), or a refusal.
bool ChoosePart(const CMesh& mesh, bool largest, std::vector<int>& kept, int& parts,
                std::vector<std::string>& notes, std::string& error) {
    std::vector<int> parent(mesh.vertices.size());
    std::iota(parent.begin(), parent.end(), 0);
    for (const CTriangle& t : mesh.triangles) {
        parent[Find(parent, t.b)] = Find(parent, t.a);
        parent[Find(parent, t.c)] = Find(parent, t.a);
    }
    std::vector<int> size(mesh.vertices.size(), 0);
    int best = -1;
    parts = 0;
    for (const CTriangle& t : mesh.triangles) {
        const int root = Find(parent, t.a);
        parts += size[root]++ == 0 ? 1 : 0;
        best = best < 0 || size[root] > size[best] ? root : best;
    }
    if (parts > 1 && !largest) {
        error = Thousands(parts) + " separate parts: the largest has " + Thousands(size[best]) +
                " triangles";
        return false;
    }
    if (parts > 1) {
        notes.push_back("the mesh has " + Thousands(parts) + " separate parts: the largest, of " +
                        Thousands(size[best]) + " triangles, was imported");
    }
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        if (Find(parent, mesh.triangles[i].a) == best) {
            kept.push_back(int(i));
        }
    }
    return true;
}

// One side of a triangle, its ends in the triangle's order.
struct CSide {
    int low, high; // the ends, sorted
    int triangle;
    bool forward; // the triangle runs from low to high
    bool operator<(const CSide& o) const {
        return low != o.low ? low < o.low : high != o.high ? high < o.high : triangle < o.triangle;
    }
};

class CMeshTopology {
public:
    CMeshTopology(const CMesh& mesh, const std::vector<int>& kept) : m_mesh(mesh), m_kept(kept) {}

    // Checks that every edge has at most two triangles and turns the faces to agree;
    // false with the fault.
    bool Orient(std::string& error);
    // Checks that the boundary is one loop and the surface a disk.
    bool CheckDisk(int vertices, std::string& error) const;
    bool Flipped(int k) const { return m_flipped[k]; }

private:
    std::string Vertex(int v) const { return std::to_string(v + m_mesh.firstNumber); }
    std::string Line(int k) const { return AtLine(m_mesh.triangleLines[m_kept[k]], ""); }

    const CMesh& m_mesh;
    const std::vector<int>& m_kept;
    std::vector<CSide> m_sides;
    std::vector<char> m_flipped;
};

bool CMeshTopology::Orient(std::string& error) {
    for (int k = 0; k < int(m_kept.size()); ++k) {
        const CTriangle& t = m_mesh.triangles[m_kept[k]];
        for (auto [a, b] : {std::pair{t.a, t.b}, std::pair{t.b, t.c}, std::pair{t.c, t.a}}) {
            m_sides.push_back({std::min(a, b), std::max(a, b), k, a < b});
        }
    }
    std::sort(m_sides.begin(), m_sides.end());
    std::vector<std::vector<std::pair<int, bool>>> across(m_kept.size()); // (triangle, same way)
    for (std::size_t i = 0; i < m_sides.size();) {
        std::size_t j = i;
        while (j < m_sides.size() && m_sides[j].low == m_sides[i].low &&
               m_sides[j].high == m_sides[i].high) {
            ++j;
        }
        if (j - i > 2) {
            error = AtLine(m_mesh.triangleLines[m_kept[m_sides[i + 2].triangle]],
                           "edge " + Vertex(m_sides[i].low) + "\u2013" + Vertex(m_sides[i].high) +
                               " belongs to " + std::to_string(j - i) + " triangles");
            return false;
        }
        if (j - i == 2) {
            const bool same = m_sides[i].forward == m_sides[i + 1].forward;
            across[m_sides[i].triangle].push_back({m_sides[i + 1].triangle, same});
            across[m_sides[i + 1].triangle].push_back({m_sides[i].triangle, same});
        }
        i = j;
    }
    // Each triangle turned to run against its neighbours across every shared edge.
    m_flipped.assign(m_kept.size(), 0);
    std::vector<char> seen(m_kept.size(), 0);
    std::vector<int> queue;
    for (int start = 0; start < int(m_kept.size()); ++start) {
        if (seen[start]) {
            continue;
        }
        seen[start] = 1;
        queue.assign(1, start);
        while (!queue.empty()) {
            const int k = queue.back();
            queue.pop_back();
            for (auto [other, same] : across[k]) {
                const char flip = char(m_flipped[k] ^ (same ? 1 : 0));
                if (!seen[other]) {
                    seen[other] = 1;
                    m_flipped[other] = flip;
                    queue.push_back(other);
                } else if (m_flipped[other] != flip) {
                    error = AtLine(m_mesh.triangleLines[m_kept[other]],
                                   "the mesh is not orientable: its faces cannot all turn the "
                                   "same way, as on a M\u00f6bius band");
                    return false;
                }
            }
        }
    }
    return true;
}

bool CMeshTopology::CheckDisk(int vertices, std::string& error) const {
    // The edges, and the boundary sides each from its start as its (turned) triangle runs.
    std::vector<std::pair<int, int>> boundary;
    std::int64_t edges = 0;
    for (std::size_t i = 0, j = 0; i < m_sides.size(); i = j) {
        while (j < m_sides.size() && m_sides[j].low == m_sides[i].low &&
               m_sides[j].high == m_sides[i].high) {
            ++j;
        }
        ++edges;
        if (j - i == 1) {
            const bool forward = m_sides[i].forward != bool(m_flipped[m_sides[i].triangle]);
            boundary.push_back(forward ? std::pair{m_sides[i].low, m_sides[i].high}
                                       : std::pair{m_sides[i].high, m_sides[i].low});
        }
    }
    if (boundary.empty()) {
        error = "the mesh is closed: it has no boundary, where a disk has one";
        return false;
    }
    std::sort(boundary.begin(), boundary.end());
    // Where the side ending at a vertex goes on; -1 when the boundary does not go on there.
    auto next = [&](int vertex) {
        auto found =
            std::lower_bound(boundary.begin(), boundary.end(), std::pair{vertex, INT32_MIN});
        return found != boundary.end() && found->first == vertex ? int(found - boundary.begin())
                                                                 : -1;
    };
    for (std::size_t i = 0; i < boundary.size(); ++i) {
        const bool twice = i > 0 && boundary[i].first == boundary[i - 1].first;
        if (twice || next(boundary[i].second) < 0) {
            error = "the boundary passes twice through vertex " +
                    Vertex(twice ? boundary[i].first : boundary[i].second);
            return false;
        }
    }
    std::vector<char> visited(boundary.size(), 0);
    int loops = 0;
    for (std::size_t i = 0; i < boundary.size(); ++i) {
        if (visited[i]) {
            continue;
        }
        ++loops;
        for (int at = int(i); !visited[at]; at = next(boundary[at].second)) {
            visited[at] = 1;
        }
    }
    if (loops > 1) {
        error = "the mesh has " + Thousands(loops) + " boundary loops, where a disk has one";
        return false;
    }
    const std::int64_t euler = vertices - edges + std::int64_t(m_kept.size());
    if (euler != 1) {
        error = "the mesh has one boundary loop but is no disk: V - E + F is " +
                std::to_string(euler) + ", not 1 (it has handles)";
        return false;
    }
    return true;
}

// The plane that fits the points best: its two axes, the first the direction of largest
// spread, turned so that faces running counter-clockwise about `normal` stay so seen in it.
void FitPlane(const std::vector<std::array<double, 3>>& points, const Eigen::Vector3d& normal,
              Eigen::Vector3d& xAxis, Eigen::Vector3d& yAxis) {
    Eigen::Vector3d mean = Eigen::Vector3d::Zero();
    for (const auto& p : points) {
        mean += Eigen::Vector3d(p[0], p[1], p[2]);
    }
    mean /= double(points.size());
    Eigen::Matrix3d spread = Eigen::Matrix3d::Zero();
    for (const auto& p : points) {
        const Eigen::Vector3d d = Eigen::Vector3d(p[0], p[1], p[2]) - mean;
        spread += d * d.transpose();
    }
    Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver(spread);
    xAxis = solver.eigenvectors().col(2);
    yAxis = solver.eigenvectors().col(1);
    if (xAxis.cross(yAxis).dot(normal) < 0) {
        yAxis = -yAxis;
    }
}

} // namespace

bool ImportMesh(CTesselDoc& doc, const CMesh& mesh, bool largest, std::vector<std::string>& notes,
                std::string& error) {
    if (mesh.triangles.empty()) {
        error = "the mesh has no faces";
        return false;
    }
    std::vector<int> kept;
    int parts = 0;
    if (!ChoosePart(mesh, largest, kept, parts, notes, error)) {
        return false;
    }
    CMeshTopology topology(mesh, kept);
    if (!topology.Orient(error)) {
        return false;
    }
    // The part's vertices in the file's order, numbered anew.
    std::vector<int> node(mesh.vertices.size(), -1), vertexOf;
    for (int k : kept) {
        const CTriangle& t = mesh.triangles[k];
        for (int v : {t.a, t.b, t.c}) {
            node[v] = 0;
        }
    }
    std::vector<std::array<double, 3>> positions;
    for (int v = 0; v < int(mesh.vertices.size()); ++v) {
        if (node[v] == 0) {
            node[v] = int(vertexOf.size());
            vertexOf.push_back(v);
            positions.push_back(mesh.vertices[v]);
        }
    }
    if (!topology.CheckDisk(int(vertexOf.size()), error)) {
        return false;
    }
    const std::size_t unused = mesh.vertices.size() - vertexOf.size();
    if (unused > 0 && parts == 1) {
        notes.push_back(Thousands(std::int64_t(unused)) + " vertices belong to no face and were "
                                                          "left out");
    }
    // Turned triangles, and their normals summed: the side the faces are seen from.
    std::vector<CTriangle> triangles;
    Eigen::Vector3d normal = Eigen::Vector3d::Zero();
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const CTriangle& t = mesh.triangles[kept[k]];
        CTriangle turned = topology.Flipped(int(k)) ? CTriangle{node[t.a], node[t.c], node[t.b]}
                                                    : CTriangle{node[t.a], node[t.b], node[t.c]};
        const auto at = [&](int v) {
            return Eigen::Vector3d(positions[v][0], positions[v][1], positions[v][2]);
        };
        normal += (at(turned.b) - at(turned.a)).cross(at(turned.c) - at(turned.a));
        triangles.push_back(turned);
    }
    Eigen::Vector3d xAxis, yAxis;
    FitPlane(positions, normal, xAxis, yAxis);
    // Seen from the faces' side with y up on the screen; the model's y points down, which
    // turns the faces the other way there.
    std::vector<CDPoint> points;
    for (const auto& p : positions) {
        const Eigen::Vector3d q(p[0], p[1], p[2]);
        points.emplace_back(q.dot(xAxis), -q.dot(yAxis));
    }
    for (CTriangle& t : triangles) {
        std::swap(t.b, t.c);
    }
    CImportedGraph graph;
    if (std::string problem = BuildImportedGraph(points, triangles, graph); !problem.empty()) {
        error = RenameNodes(problem, [&](int v) {
            return "vertex " + std::to_string(vertexOf[v] + mesh.firstNumber);
        });
        return false;
    }
    if (!mesh.ignored.empty()) {
        std::string names;
        for (const std::string& name : mesh.ignored) {
            names += (names.empty() ? "" : ", ") + name;
        }
        notes.push_back("statements not read: " + names);
    }
    InstallImportedGraph(doc, graph);
    return true;
}

// Flowers to triangles and back, and CirclePack's hyperbolic radii and centres to circles.
#include "interchange/CirclePackDocument.h"

#include "circles/CPCircle.h"
#include "interchange/CirclePackFile.h"
#include "interchange/ImportedGraph.h"
#include "interchange/TextLines.h"
#include "model/DiskCheck.h"
#include "packing/ConvergedPacking.h"

#include <cmath>
#include <numbers>
#include <unordered_map>

namespace {

constexpr double kTolerance = 1e-12;

// The flower as the model's fan: reversed, a closed one starting at the same petal.
std::vector<int> FanOfFlower(const std::vector<int>& flower) {
    const bool closed = flower.front() == flower.back();
    std::vector<int> fan(flower.rbegin(), flower.rend());
    if (closed) {
        fan.pop_back();
    }
    return fan;
}

// The inverse of FanOfFlower.
std::vector<int> FlowerOfFan(const std::vector<int>& fan, bool closed) {
    std::vector<int> flower(fan.rbegin(), fan.rend());
    if (closed) {
        flower.insert(flower.begin(), fan.front());
    }
    return flower;
}

// The checks name nodes from 0; the file numbers its vertices from 1.
std::string InFileTerms(const std::string& problem, const CCirclePackFile& file) {
    int first = -1;
    const std::string text = RenameNodes(
        problem, [](int v) { return "vertex " + std::to_string(v + 1); }, &first);
    return first >= 0 && std::size_t(first) < file.flowerLines.size()
               ? AtLine(file.flowerLines[first], text)
               : text;
}

// Each triangle once, from its smallest corner, turned into the model's sense.
bool FlowerTriangles(const CCirclePackFile& file, std::vector<CTriangle>& triangles,
                     std::string& error) {
    for (std::size_t v = 0; v < file.flowers.size(); ++v) {
        const std::vector<int>& flower = file.flowers[v];
        for (std::size_t i = 0; i + 1 < flower.size(); ++i) {
            const int a = flower[i], b = flower[i + 1];
            if (a == b) {
                error = AtLine(file.flowerLines[v], "vertex " + std::to_string(v + 1) +
                                                        " has the petal " + std::to_string(a + 1) +
                                                        " twice in a row");
                return false;
            }
            if (int(v) < a && int(v) < b) {
                triangles.push_back({int(v), b, a});
            }
        }
    }
    return true;
}

// Every node's fan made to start where its flower does; false (with the vertex's line) when
// the flowers do not describe the triangles their smallest corners gave.
bool MatchFlowers(const CCirclePackFile& file, CImportedGraph& graph, std::string& error) {
    for (std::size_t v = 0; v < file.flowers.size(); ++v) {
        const std::vector<int> fan = FanOfFlower(file.flowers[v]);
        const bool closed = file.flowers[v].front() == file.flowers[v].back();
        CCPNode* node = graph.nodes.m_array[v];
        if (closed && node->m_kind == Inner) {
            node->RotateToNeighbour(graph.nodes.m_array[fan.front()]);
        }
        bool same = closed == (node->m_kind == Inner) && node->GetEdgeCount() == int(fan.size());
        for (int i = 0; same && i < node->GetEdgeCount(); ++i) {
            same = node->GetNeighbour(i) == graph.nodes.m_array[fan[i]];
        }
        if (!same) {
            error = AtLine(file.flowerLines[v], "the flower of vertex " + std::to_string(v + 1) +
                                                    " does not agree with its petals' flowers");
            return false;
        }
    }
    return true;
}

// A circle of the file in the model's frame, or false when it gives no usable circle.
bool FileCircle(double radius, CDPoint centre, CDiskCircle& circle) {
    centre.Conjugate();
    const double distance = centre.Abs();
    if (radius > 0 && radius <= kHorocycleRadius) {
        if (!(distance < 1)) {
            return false;
        }
        circle = EuclideanCircle(centre, radius);
        return true;
    }
    const double euclid = -radius;
    if (!(euclid > 0 && euclid < 1 && distance > 0)) {
        return false; // a horocycle of unknown size or direction
    }
    const CDPoint touch = centre / distance;
    circle = {touch, touch * (1 - euclid), euclid};
    return true;
}

// The file's hyperbolic packing, or false when it has none that can be drawn as it is.
bool FilePacking(const CCirclePackFile& file, CConvergedPacking& packing) {
    const std::size_t n = file.flowers.size();
    if (file.geometry != PackGeometry::Hyperbolic || file.radii.size() != n ||
        file.centres.size() != n) {
        return false;
    }
    packing.radii.assign(n, 1.0);
    packing.circles.resize(n);
    for (std::size_t v = 0; v < n; ++v) {
        if (!FileCircle(file.radii[v], file.centres[v], packing.circles[v])) {
            return false;
        }
        if (file.radii[v] > 0) {
            packing.radii[v] = file.radii[v];
        }
    }
    packing.status = NewtonStatus::Converged;
    return true;
}

// Where the nodes go when the file has no hyperbolic packing: their circles' centres in
// the packing of the graph, or, for a graph that cannot be packed, a ring.
bool PackAnew(CImportedGraph& graph, const CancelCheck& cancelled, CConvergedPacking& packing,
              std::string& error) {
    std::string problem;
    const NewtonProgress progress = [&](int, double) { return !cancelled || !cancelled(); };
    if (graph.nodes.AllConnected() &&
        ComputeConvergedPacking(graph.nodes, kTolerance, progress, packing, problem)) {
        if (packing.status == NewtonStatus::Cancelled) {
            error = "the import was cancelled";
            return false;
        }
        return true;
    }
    packing = {};
    const int n = graph.nodes.GetSize();
    for (int v = 0; v < n; ++v) {
        const double angle = 2 * std::numbers::pi * v / n;
        graph.nodes.m_array[v]->Set(CDPoint(std::cos(angle), std::sin(angle)));
    }
    return true;
}

std::string GeometryNote(const CCirclePackFile& file, bool used) {
    if (used) {
        return {};
    }
    switch (file.geometry) {
    case PackGeometry::Euclidean:
        return "the file's packing is euclidean: its combinatorics were read, and packed anew";
    case PackGeometry::Spherical:
        return "the file's packing is spherical: its combinatorics were read, and packed anew";
    case PackGeometry::Hyperbolic:
        break;
    }
    return file.radii.empty()
               ? std::string()
               : "the file's radii and centres give no complete hyperbolic packing: packed anew";
}

} // namespace

bool ImportCirclePack(CTesselDoc& doc, std::string_view text, std::vector<std::string>& notes,
                      std::string& error, const CancelCheck& cancelled) {
    CCirclePackFile file;
    std::vector<CTriangle> triangles;
    if (!ReadCirclePackFile(text, file, error) || !FlowerTriangles(file, triangles, error)) {
        return false;
    }
    CImportedGraph graph;
    const std::vector<CDPoint> points(file.flowers.size());
    if (std::string problem = BuildImportedGraph(points, triangles, graph); !problem.empty()) {
        error = InFileTerms(problem, file);
        return false;
    }
    if (!MatchFlowers(file, graph, error)) {
        return false;
    }
    CConvergedPacking packing;
    const bool fromFile = FilePacking(file, packing);
    if (!fromFile && !PackAnew(graph, cancelled, packing, error)) {
        return false;
    }
    if (std::string note = GeometryNote(file, fromFile); !note.empty()) {
        notes.push_back(note);
    }
    if (!file.ignored.empty()) {
        std::string list;
        for (const std::string& name : file.ignored) {
            list += (list.empty() ? "" : ", ") + name;
        }
        notes.push_back("sections not read: " + list);
    }
    InstallImportedGraph(doc, graph);
    if (!packing.circles.empty()) {
        doc.ApplyConvergedPacking(packing);
        // The packing arrives with the file, not as an edit: an undo step for it would put
        // every node on one point, where the graph stood before its circles were placed.
        doc.History().Clear(doc);
    }
    return true;
}

namespace {

using CNodeNumbers = std::unordered_map<const CCPNode*, int>;

bool IsPacked(const CTesselDoc& doc) {
    return !doc.m_topologyChanged && doc.m_nodes.GetSize() > 0 &&
           doc.m_circles.GetCount() == doc.m_nodes.GetSize();
}

// A circle as CirclePack stores it: its actual hyperbolic radius and centre, or, for a
// horocycle (one touching the unit circle, or too large for CirclePack to read as finite),
// its Euclidean radius negated and the point where it touches.
void StoreCircle(const CCPCircle& circle, double& radius, CDPoint& centre) {
    const double reach = circle.m_euclidCentre.Abs() + circle.m_euclidRadius;
    if (circle.m_radius > kHorocycleRadius || reach >= 1 - kTolerance) {
        radius = -circle.m_euclidRadius;
        const double distance = circle.m_euclidCentre.Abs();
        centre = distance > 0 ? circle.m_euclidCentre / distance : CDPoint(0, 1);
    } else {
        radius = circle.m_radius;
        centre = circle.m_diskCentre;
    }
    centre.Conjugate();
}

// CirclePack centres its layout at alpha with gamma straight up: the inner node nearest the
// centre, and its neighbour highest on the screen.
void ChooseAlphaGamma(const CTesselDoc& doc, const CNodeNumbers& numbers, bool packed, int& alpha,
                      int& gamma) {
    alpha = 0;
    double best = INFINITY;
    for (int v = 0; v < doc.m_nodes.GetSize(); ++v) {
        const CCPNode* node = doc.m_nodes.m_array[v];
        const double distance = packed ? node->m_circle->m_diskCentre.Abs() : double(v);
        if (node->m_kind == Inner && distance < best) {
            best = distance;
            alpha = v;
        }
    }
    const CCPNode* centre = doc.m_nodes.m_array[alpha];
    gamma = numbers.at(centre->GetNeighbour(0));
    for (int i = 1; packed && i < centre->GetEdgeCount(); ++i) {
        const CCPNode* next = centre->GetNeighbour(i);
        if (next->m_circle->m_diskCentre.y < doc.GetNodeAt(gamma)->m_circle->m_diskCentre.y) {
            gamma = numbers.at(next);
        }
    }
}

} // namespace

std::string ExportCirclePack(const CTesselDoc& doc, const std::string& name, std::string& problem) {
    problem = FindDiskProblem(doc.m_nodes, doc.m_edges);
    if (problem.empty() && doc.m_nodes.GetSize() < 3) {
        problem = "the graph has fewer than three nodes";
    }
    if (!problem.empty()) {
        return {};
    }
    const bool packed = IsPacked(doc);
    CNodeNumbers numbers;
    for (int v = 0; v < doc.m_nodes.GetSize(); ++v) {
        numbers.emplace(doc.m_nodes.m_array[v], v);
    }
    CCirclePackFile file;
    file.geometry = PackGeometry::Hyperbolic;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        std::vector<int> fan;
        for (int i = 0; i < node->GetEdgeCount(); ++i) {
            fan.push_back(numbers.at(node->GetNeighbour(i)));
        }
        file.flowers.push_back(FlowerOfFan(fan, node->m_kind == Inner));
        if (packed) {
            file.radii.emplace_back();
            file.centres.emplace_back();
            StoreCircle(*node->m_circle, file.radii.back(), file.centres.back());
        }
    }
    int alpha = 0, gamma = 0;
    ChooseAlphaGamma(doc, numbers, packed, alpha, gamma);
    return WriteCirclePackFile(file, alpha, gamma, name);
}

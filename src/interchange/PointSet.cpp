// Point sets: the Delaunay triangulation of the points inside their convex hull, from CGAL's
// 2D Delaunay triangulation on exact predicates, so that duplicate, collinear and cocircular
// points give a valid triangulation without perturbing any point.
#include "interchange/ImportedGraph.h"
#include "interchange/MeshDocument.h"
#include "interchange/TextLines.h"

#include <CGAL/Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Triangulation_vertex_base_with_info_2.h>
#include <algorithm>
#include <numeric>

namespace {

using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using VertexBase = CGAL::Triangulation_vertex_base_with_info_2<int, Kernel>;
using Delaunay =
    CGAL::Delaunay_triangulation_2<Kernel, CGAL::Triangulation_data_structure_2<VertexBase>>;

// The most points a file may hold.
constexpr int kMaxPoints = 20000000;

bool ReadPoints(std::string_view text, std::vector<CDPoint>& points, std::string& error) {
    CTextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const std::vector<std::string_view> tokens = SplitTokens(line, '#');
        if (tokens.empty()) {
            continue;
        }
        double x = 0, y = 0;
        if (tokens.size() != 2 || !ReadReal(tokens[0], x) || !ReadReal(tokens[1], y)) {
            error = AtLine(lines.LineNumber(), "a point must be two numbers, x and y");
            return false;
        }
        if (points.size() == std::size_t(kMaxPoints)) {
            error = AtLine(lines.LineNumber(),
                           "the file holds more than " + std::to_string(kMaxPoints) + " points");
            return false;
        }
        points.emplace_back(x, y);
    }
    return true;
}

// The points without repeats, each where it first stood; how many repeats there were.
std::size_t Distinct(std::vector<CDPoint>& points) {
    std::vector<int> order(points.size());
    std::iota(order.begin(), order.end(), 0);
    auto key = [&](int i) { return std::pair{points[i].x, points[i].y}; };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    std::vector<char> repeated(points.size(), 0);
    for (std::size_t i = 1; i < order.size(); ++i) {
        repeated[order[i]] = key(order[i]) == key(order[i - 1]);
    }
    std::vector<CDPoint> kept;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!repeated[i]) {
            kept.push_back(points[i]);
        }
    }
    const std::size_t repeats = points.size() - kept.size();
    points.swap(kept);
    return repeats;
}

} // namespace

bool ImportPoints(CTesselDoc& doc, std::string_view text, std::vector<std::string>& notes,
                  std::string& error) {
    std::vector<CDPoint> points;
    if (!ReadPoints(text, points, error)) {
        return false;
    }
    if (const std::size_t repeats = Distinct(points); repeats > 0) {
        notes.push_back(std::to_string(repeats) + " repeated points were left out");
    }
    if (points.size() < 3) {
        error = "the file holds " + std::to_string(points.size()) +
                " distinct points: a triangulation needs three";
        return false;
    }
    std::vector<std::pair<Kernel::Point_2, int>> input;
    input.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        input.emplace_back(Kernel::Point_2(points[i].x, points[i].y), int(i));
    }
    Delaunay delaunay;
    delaunay.insert(input.begin(), input.end());
    if (delaunay.dimension() < 2) {
        error = "the points all lie on one line: they have no triangulation";
        return false;
    }
    // The file's y points up, the model's down: each triangle, counter-clockwise in the file,
    // is turned to run the model's positive way.
    std::vector<CTriangle> triangles;
    triangles.reserve(delaunay.number_of_faces());
    for (auto face = delaunay.finite_faces_begin(); face != delaunay.finite_faces_end(); ++face) {
        triangles.push_back(
            {face->vertex(0)->info(), face->vertex(2)->info(), face->vertex(1)->info()});
    }
    for (CDPoint& p : points) {
        p.y = -p.y;
    }
    CImportedGraph graph;
    if (std::string problem = BuildImportedGraph(points, triangles, graph); !problem.empty()) {
        error = "the triangulation is faulty: " + problem;
        return false;
    }
    InstallImportedGraph(doc, graph);
    return true;
}

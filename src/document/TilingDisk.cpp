// The tiling's points and triangles built into nodes and edges, checked, and put in place of
// the document's graph.
#include "document/TilingDisk.h"

#include "document/TesselDoc.h"
#include "model/DiskCheck.h"
#include "model/RegularTiling.h"

#include <algorithm>
#include <cmath>

namespace {

// The tiling's disk picture scaled so that its farthest point lies at nine tenths of the
// graph area's smaller half-size, as the generated disks are fitted.
void FitIntoGraphArea(const CTesselDoc& doc, std::vector<CDPoint>& points) {
    double reach = 0;
    for (const CDPoint& point : points) {
        reach = std::max(reach, std::hypot(point.x, point.y));
    }
    const double scale = reach > 0 ? 0.9 * std::min(doc.m_extentX, doc.m_extentY) / reach : 1;
    for (CDPoint& point : points) {
        point = point * scale;
    }
}

} // namespace

bool BuildTilingDisk(CTesselDoc& doc, int p, int q, int depth, std::string& problem) {
    CTilingGraph tiling;
    problem = MakeRegularTiling(p, q, depth, MaxGrownNodes, tiling);
    if (!problem.empty()) {
        return false;
    }
    FitIntoGraphArea(doc, tiling.points);
    CCPNodeArray nodes;
    CCPEdgeArray edges;
    problem = BuildTriangleGraph(tiling.points, tiling.triangles, nodes, edges);
    if (problem.empty()) {
        problem = FindDiskProblem(nodes, edges);
    }
    if (!problem.empty()) {
        nodes.RemoveAll(CCPCircleArray());
        edges.RemoveAll();
        return false;
    }
    doc.NewGraph(doc.GetViewRadius());
    doc.ReplaceGraph(nodes, edges, 0);
    return true;
}

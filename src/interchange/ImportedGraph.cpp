// Building, checking and installing imported graphs.
#include "interchange/ImportedGraph.h"

#include "document/TesselDoc.h"
#include "model/DiskCheck.h"

#include <algorithm>
#include <cmath>
#include <regex>

namespace {

// Centres the drawing on the graph area and scales it to 90 % of the area's smaller half
// side, the aspect kept, as the generated disks are drawn.
void FitIntoArea(CTesselDoc& doc) {
    if (doc.m_nodes.m_array.empty()) {
        return;
    }
    CDPoint low = *doc.m_nodes.m_array.front(), high = low;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        low = {std::min(low.x, node->x), std::min(low.y, node->y)};
        high = {std::max(high.x, node->x), std::max(high.y, node->y)};
    }
    const CDPoint middle = (low + high) * 0.5;
    const double reach = std::max(high.x - low.x, high.y - low.y) / 2;
    const double area = 0.9 * std::min(doc.m_extentX, doc.m_extentY);
    const double scale = reach > 0 && std::isfinite(reach) ? area / reach : 1;
    for (CCPNode* node : doc.m_nodes.m_array) {
        node->Set((*node - middle) * scale);
    }
}

} // namespace

std::string BuildImportedGraph(const std::vector<CDPoint>& points,
                               const std::vector<CTriangle>& triangles, CImportedGraph& graph) {
    std::string problem = BuildTriangleGraph(points, triangles, graph.nodes, graph.edges);
    if (problem.empty()) {
        problem = FindDiskProblem(graph.nodes, graph.edges);
    }
    if (!problem.empty()) {
        graph.edges.RemoveAll();
        CCPNodeArray discarded; // deletes the nodes and their circles
        discarded.m_array.swap(graph.nodes.m_array);
    }
    return problem;
}

std::string RenameNodes(const std::string& problem, const std::function<std::string(int)>& name,
                        int* first) {
    static const std::regex node("node (\\d+)");
    std::string text;
    auto last = problem.cbegin();
    for (std::sregex_iterator it(problem.begin(), problem.end(), node), end; it != end; ++it) {
        const int v = int(std::stol((*it)[1]));
        if (first && last == problem.cbegin()) {
            *first = v;
        }
        text.append(last, (*it)[0].first);
        text += name(v);
        last = (*it)[0].second;
    }
    text.append(last, problem.cend());
    return text;
}

void InstallImportedGraph(CTesselDoc& doc, CImportedGraph& graph) {
    doc.RemoveAll();
    doc.m_nodes.m_array.swap(graph.nodes.m_array);
    doc.m_edges.m_array.swap(graph.edges.m_array);
    doc.m_topologyChanged = 1;
    FitIntoArea(doc);
    doc.SetModifiedFlag(true);
}

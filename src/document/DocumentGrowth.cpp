// The document's refinement and growth commands: the grown graph is built beside the
// document's and swapped in whole.
#include "document/GraphSwapStep.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "model/DiskCheck.h"

#include <memory>

namespace {

int StepName(GraphGrowth growth) {
    switch (growth) {
    case GraphGrowth::HexRefine:
        return ids::kStepHexRefine;
    case GraphGrowth::BarycentricRefine:
        return ids::kStepBarycentricRefine;
    case GraphGrowth::BoundaryLayer:
        break;
    }
    return ids::kStepBoundaryLayer;
}

} // namespace

bool CTesselDoc::GrowGraph(GraphGrowth growth, int times, std::string& problem,
                           const GrowthCancel& cancelled) {
    problem = FindDiskProblem(m_nodes, m_edges);
    if (problem.empty() && times > 0) {
        problem = FindGrowthLimit(MeasureGraph(m_nodes, m_edges), growth, times);
    }
    if (!problem.empty() || times <= 0) {
        return false;
    }
    // Each growth reads the last one's graph; the first reads the document's.
    auto nodes = std::make_unique<CCPNodeArray>();
    auto edges = std::make_unique<CCPEdgeArray>();
    problem = ::GrowGraph(m_nodes, m_edges, growth, *nodes, *edges, cancelled);
    for (int i = 1; i < times && problem.empty() && nodes->GetSize() > 0; ++i) {
        auto nextNodes = std::make_unique<CCPNodeArray>();
        auto nextEdges = std::make_unique<CCPEdgeArray>();
        problem = ::GrowGraph(*nodes, *edges, growth, *nextNodes, *nextEdges, cancelled);
        nodes = std::move(nextNodes);
        edges = std::move(nextEdges);
    }
    // A cancelled growth leaves an empty graph.
    if (!problem.empty() || nodes->GetSize() == 0) {
        return false;
    }
    ReplaceGraph(*nodes, *edges, StepName(growth));
    return true;
}

void CTesselDoc::ReplaceGraph(CCPNodeArray& nodes, CCPEdgeArray& edges, int nameId) {
    const bool wasModified = m_modified;
    SetModifiedFlag(true);
    if (m_historyEnabled) {
        auto step = std::make_unique<CGraphSwapStep>(nameId, *this, nodes, edges);
        Record(std::move(step), wasModified);
        return;
    }
    m_nodes.RemoveAll(m_circles);
    m_edges.RemoveAll();
    m_circles.RemoveAll(m_nodes);
    std::swap(m_nodes.m_array, nodes.m_array);
    std::swap(m_edges.m_array, edges.m_array);
    m_topologyChanged = 1;
    RecomputeStates();
}

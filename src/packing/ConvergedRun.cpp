// The document's Pack to Convergence.
#include "circles/CPCircle.h"
#include "document/StateSteps.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "packing/ConvergedPacking.h"

bool CTesselDoc::PackToConvergence(double tolerance, const NewtonProgress& progress,
                                   CConvergedPacking& outcome, std::string* refusal) {
    if (!m_nodes.AllConnected()) {
        if (refusal) {
            *refusal = LoadString(ids::kPackingRefused);
        }
        return false;
    }
    std::string problem;
    if (!ComputeConvergedPacking(m_nodes, tolerance, progress, outcome, problem)) {
        if (refusal) {
            *refusal = problem;
        }
        return false;
    }
    if (outcome.status != NewtonStatus::Cancelled) {
        ApplyConvergedPacking(outcome);
    }
    return true;
}

void CTesselDoc::ApplyConvergedPacking(const CConvergedPacking& packing) {
    const bool wasModified = m_modified;
    std::unique_ptr<CEditStep> step =
        m_historyEnabled ? std::make_unique<CPackingStep>(ids::kStepPackToConvergence, *this)
                         : nullptr;
    ReleaseCircleList();
    for (std::size_t i = 0; i < m_nodes.m_array.size(); ++i) {
        CCPCircle* circle = m_nodes.m_array[i]->m_circle;
        circle->m_radius = packing.radii[i];
        circle->m_diskCentre = packing.circles[i].diskCentre;
        circle->m_euclidCentre = packing.circles[i].euclidCentre;
        circle->m_euclidRadius = packing.circles[i].euclidRadius;
    }
    m_topologyChanged = 0;
    m_nodes.ApplyLayout(GetPackingScale());
    for (CCPNode* node : m_nodes.m_array) {
        m_circles.Add(node->m_circle);
    }
    SetModifiedFlag(true);
    if (step) {
        Record(std::move(step), wasModified);
    }
}

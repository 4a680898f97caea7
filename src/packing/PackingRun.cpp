// The document's packing run and Node Randomize.
#include "document/StateSteps.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"

#include <algorithm>
#include <cmath>

double CTesselDoc::GetPackingScale() const {
    if (m_viewRadius && std::isfinite(*m_viewRadius) && *m_viewRadius >= 0) {
        return *m_viewRadius;
    }
    return std::max(0.0, std::min(m_extentX, m_extentY) - m_viewMargin);
}

bool CTesselDoc::RunPacking(std::string* refusal) {
    if (!m_nodes.AllConnected()) {
        if (refusal) {
            *refusal = LoadString(ids::kPackingRefused);
        }
        return false;
    }
    const bool wasModified = m_modified;
    std::unique_ptr<CEditStep> step =
        m_historyEnabled ? std::make_unique<CPackingStep>(ids::kStepCirclePacking, *this) : nullptr;
    ReleaseCircleList();
    if (m_topologyChanged) {
        m_nodes.ResetRadii();
        m_topologyChanged = 0;
    }
    m_nodes.SolveRadii();
    m_nodes.Layout();
    m_nodes.ApplyLayout(GetPackingScale());
    for (CCPNode* node : m_nodes.m_array) {
        if (node->m_circle) {
            m_circles.Add(node->m_circle);
        }
    }
    SetModifiedFlag(true);
    if (step) {
        Record(std::move(step), wasModified);
    }
    return true;
}

void CTesselDoc::RandomizeNodes() {
    const bool wasModified = m_modified;
    std::unique_ptr<CEditStep> step =
        m_historyEnabled ? std::make_unique<CNodeOrderStep>(ids::kStepNodeRandomize, *this)
                         : nullptr;
    m_nodes.Randomize();
    SetModifiedFlag(true);
    if (step) {
        Record(std::move(step), wasModified);
    }
}

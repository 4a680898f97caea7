// The document's packing run and Node Randomize.
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
    m_circles.RemoveAll(m_nodes);
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
    return true;
}

void CTesselDoc::RandomizeNodes() {
    m_nodes.Randomize();
    SetModifiedFlag(true);
}

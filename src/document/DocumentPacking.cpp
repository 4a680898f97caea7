// The document's packing commands: Circle Packing, Pack to Convergence and Node Randomize.
#include "circles/CPCircle.h"
#include "document/StateSteps.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "model/DiskCheck.h"
#include "packing/ConvergedPacking.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

// A drawing radius below a pixel (a margin as wide as the window, the extent of a damaged
// file) would place every node on the same spot and save the graph without its positions.
// The nodes then fill the graph area without the margin, and where even that is below a pixel
// they take a new document's frame; only the drawing of the circles shrinks with the view.
double CTesselDoc::GetPackingScale() const {
    constexpr double Pixel = 1.0;
    const double area = std::min(m_extentX, m_extentY);
    const double drawing = m_viewRadius ? *m_viewRadius : area - m_viewMargin;
    for (double radius : {drawing, area}) {
        if (std::isfinite(radius) && radius >= Pixel) {
            return radius;
        }
    }
    return DefaultViewRadius;
}

std::string CTesselDoc::FindPackingRefusal() const {
    if (std::string problem = FindDiskProblem(m_nodes, m_edges); !problem.empty()) {
        return "the graph is not a triangulated disk: " + problem;
    }
    return m_nodes.AllConnected() ? std::string() : LoadString(ids::kPackingRefused);
}

bool CTesselDoc::RunPacking(std::string* refusal, const PackingProgress& progress) {
    if (std::string problem = FindPackingRefusal(); !problem.empty()) {
        if (refusal) {
            *refusal = problem;
        }
        return false;
    }
    const bool wasModified = m_modified;
    // The state before the run: for undo, and to put back when the run stops early.
    std::unique_ptr<CEditStep> before =
        m_historyEnabled || progress
            ? std::make_unique<CPackingStep>(ids::kStepCirclePacking, *this)
            : nullptr;
    bool finished = false;
    try {
        finished = SolveAndLayOut(progress);
    } catch (const std::bad_alloc&) {
        if (before) {
            before->Undo(*this);
        }
        throw;
    }
    if (!finished) {
        before->Undo(*this);
        return false;
    }
    ReleaseCircleList();
    m_nodes.ApplyLayout(GetPackingScale());
    for (CCPNode* node : m_nodes.m_array) {
        if (node->m_circle) {
            m_circles.Add(node->m_circle);
        }
    }
    SetModifiedFlag(true);
    if (m_historyEnabled) {
        Record(std::move(before), wasModified);
    }
    return true;
}

bool CTesselDoc::SolveAndLayOut(const PackingProgress& progress) {
    if (m_topologyChanged) {
        m_nodes.ResetRadii();
        m_topologyChanged = 0;
    }
    // The layout is the last step; the solver reports the sweeps before it.
    const int steps = CCPNodeArray::m_sweeps + 1;
    if (!m_nodes.SolveRadii([&](int done) { return !progress || progress(done, steps); })) {
        return false;
    }
    m_nodes.Layout();
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

bool CTesselDoc::PackToConvergence(double tolerance, const NewtonProgress& progress,
                                   CConvergedPacking& outcome, std::string* refusal) {
    std::string problem = FindPackingRefusal();
    if (!problem.empty()) {
        if (refusal) {
            *refusal = problem;
        }
        return false;
    }
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

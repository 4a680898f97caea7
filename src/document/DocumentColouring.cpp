// The document's Colour By: which circles, counted from where, then one style step.
#include "document/StateSteps.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "model/DiskCheck.h"
#include "model/FanIndex.h"

#include <limits>
#include <string>
#include <unordered_set>

namespace {

// The node nearest the middle of the graph area: after a packing run, the circle nearest
// the centre of the disk.
int CentreNode(const CCPNodeArray& nodes) {
    int best = 0;
    for (int i = 1; i < nodes.GetSize(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        const CCPNode* held = nodes.m_array[best];
        if (node->x * node->x + node->y * node->y < held->x * held->x + held->y * held->y) {
            best = i;
        }
    }
    return best;
}

// Whether the circle list is the node circles of a packing run, in node order.
bool ListsEveryNode(const CTesselDoc& doc) {
    if (doc.m_circles.GetCount() != doc.m_nodes.GetSize()) {
        return false;
    }
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        if (doc.m_circles.GetAt(i) != doc.m_nodes.m_array[i]->m_circle) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CTesselDoc::ColourCircles(const ColourRequest& request, std::string& problem) {
    problem = !request.line && !request.inner ? "choose the line colour, the inner colour or both"
                                              : FindDiskProblem(m_nodes, m_edges);
    if (problem.empty() && request.how.by == ColourBy::Radius && !ListsEveryNode(*this)) {
        problem = "colouring by radius needs the circles of a packing run";
    }
    if (problem.empty() && request.from >= m_nodes.GetSize()) {
        problem = "there is no node " + std::to_string(request.from) + " in a graph of " +
                  std::to_string(m_nodes.GetSize()) + " nodes";
    }
    if (!problem.empty()) {
        return false;
    }
    const int n = m_nodes.GetSize();
    const std::unordered_set<const CCPCircle*> listed(m_circles.m_list.begin(),
                                                      m_circles.m_list.end());
    CColouringInput input;
    input.chosen.assign(n, 0);
    std::vector<int> selected;
    for (int i = 0; i < n; ++i) {
        const CCPCircle* circle = m_nodes.m_array[i]->m_circle;
        if (circle->m_selected) {
            selected.push_back(i);
        }
        input.chosen[i] = (!request.selectedOnly || circle->m_selected) &&
                          (!m_historyEnabled || listed.contains(circle));
    }
    if (request.from >= 0) {
        input.sources = {request.from};
    } else if (!request.selectedOnly && !selected.empty()) {
        input.sources = selected;
    } else {
        input.sources = {CentreNode(m_nodes)};
    }
    if (request.how.by == ColourBy::Radius) {
        for (const CCPNode* node : m_nodes.m_array) {
            input.radii.push_back(node->m_kind == Inner ? node->m_circle->m_radius
                                                        : std::numeric_limits<double>::infinity());
        }
    }
    std::vector<COLORREF> colours;
    problem = ColourNodes(CFanIndex(m_nodes), request.how, input, colours);
    if (!problem.empty()) {
        return false;
    }
    // The step records the circles it changes as a selection; the user's comes back after.
    std::vector<char> selection;
    for (const CCPCircle* circle : m_circles.m_list) {
        selection.push_back(char(circle->m_selected));
    }
    const int outerSelected = m_circles.m_outer.m_selected;
    m_circles.m_outer.m_selected = 0;
    for (int i = 0; i < n; ++i) {
        m_nodes.m_array[i]->m_circle->m_selected = input.chosen[i];
    }
    const bool wasModified = m_modified;
    std::unique_ptr<CEditStep> step =
        m_historyEnabled ? std::make_unique<CStyleStep>(ids::kStepColourBy, *this) : nullptr;
    for (int i = 0; i < n; ++i) {
        CCPCircle& circle = *m_nodes.m_array[i]->m_circle;
        if (input.chosen[i]) {
            circle.m_lineCol = request.line ? colours[i] : circle.m_lineCol;
            circle.m_innerCol = request.inner ? colours[i] : circle.m_innerCol;
        }
        circle.m_selected = 0;
    }
    for (std::size_t i = 0; i < selection.size(); ++i) {
        m_circles.m_list[i]->m_selected = selection[i];
    }
    for (int i : selected) {
        m_nodes.m_array[i]->m_circle->m_selected = 1;
    }
    m_circles.m_outer.m_selected = outerSelected;
    SetModifiedFlag(true);
    if (step) {
        Record(std::move(step), wasModified);
    }
    return true;
}

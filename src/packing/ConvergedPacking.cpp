// Pack to Convergence: solve, keep Circle Packing's boundary radii, lay out.
#include "packing/ConvergedPacking.h"

#include "circles/CPCircle.h"
#include "model/CPNodeArray.h"
#include "packing/AngleSum.h"
#include "packing/FanIndex.h"
#include "packing/FrameLayout.h"

#include <algorithm>
#include <cmath>

namespace {

int IndexOf(const CCPNodeArray& nodes, const CCPNode* node) {
    auto found = std::find(nodes.m_array.begin(), nodes.m_array.end(), node);
    return found == nodes.m_array.end() ? -1 : static_cast<int>(found - nodes.m_array.begin());
}

// Places v from the pair of consecutive placed neighbours with the smallest sum of
// generations, the earliest on ties, as Circle Packing chooses; false when there is none yet.
bool PlaceNode(const CFanIndex& fans, const std::vector<long double>& radii, int v,
               std::vector<int>& generation, std::vector<CWideCircle>& circles) {
    int k = fans.Degree(v);
    int pairs = fans.IsInner(v) ? k : k - 1;
    int bestA = -1;
    int bestB = -1;
    for (int i = 0; i < pairs; ++i) {
        int a = fans.Neighbour(v, i);
        int b = fans.Neighbour(v, (i + 1) % k);
        if (a == b || generation[a] < 0 || generation[b] < 0) {
            continue;
        }
        if (bestA < 0 || generation[a] + generation[b] < generation[bestA] + generation[bestB]) {
            bestA = a;
            bestB = b;
        }
    }
    if (bestA < 0) {
        return false;
    }
    circles[v] =
        PlaceFromPair(circles[bestA], radii[bestA], circles[bestB], radii[bestB], radii[v]);
    generation[v] = 1 + std::max(generation[bestA], generation[bestB]);
    return true;
}

// Circle Packing's search for a boundary radius, from 1, against the neighbours' radii as
// they stand; repeated until no boundary radius changes, since a neighbour that grows widens
// the angles of the node next to it.
void KeepBoundaryRadii(const CFanIndex& fans, std::vector<double>& radii) {
    std::vector<double> kept = radii;
    for (int i = 0; i < fans.Size(); ++i) {
        if (!fans.IsInner(i)) {
            kept[i] = 1.0;
        }
    }
    double threshold = EffectiveThreshold(CCPNode::m_threshold);
    CFanAngles fan;
    std::vector<double> neighbours;
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < fans.Size(); ++i) {
            if (fans.IsInner(i)) {
                continue;
            }
            neighbours.clear();
            for (int p = 0; p < fans.Degree(i); ++p) {
                neighbours.push_back(kept[fans.Neighbour(i, p)]);
            }
            fan.Prepare(neighbours, false);
            double r =
                SearchRadius(kept[i], threshold, [&](double x) { return fan.AngleSumError(x); });
            changed = changed || r != kept[i];
            kept[i] = r;
        }
    }
    radii = kept;
}

} // namespace

std::vector<CDiskCircle> LayOutPacking(const CCPNodeArray& nodes, const CFanIndex& fans,
                                       const std::vector<long double>& radii) {
    std::vector<CDiskCircle> narrow(fans.Size());
    const CCPNode* start = nodes.FindStartNode();
    int p = IndexOf(nodes, start);
    int q = start ? IndexOf(nodes, start->FindUpNeighbour()) : -1;
    if (p < 0 || q < 0 || p == q) {
        return narrow;
    }
    std::vector<CWideCircle> circles(fans.Size());
    std::vector<char> framed(fans.Size(), 0);
    std::vector<int> generation(fans.Size(), -1);
    std::vector<int> placed;
    if (LayOutByFrames(fans, radii, p, q, circles, framed)) {
        for (int v = 0; v < fans.Size(); ++v) {
            if (framed[v]) {
                generation[v] = 0;
                placed.push_back(v);
            }
        }
    } else {
        circles[p] = PlaceWideAtCentre(radii[p]);
        circles[q] = PlaceWideAlongY(radii[p], radii[q]);
        generation[p] = 0;
        generation[q] = 1;
        placed = {p, q};
    }
    // What frames cannot reach (a disk without inner nodes, or parts joined only through
    // boundary nodes) is placed from pairs, breadth first.
    placed.reserve(fans.Size());
    for (std::size_t head = 0; head < placed.size(); ++head) {
        int x = placed[head];
        for (int e = 0; e < fans.Degree(x); ++e) {
            int v = fans.Neighbour(x, e);
            if (generation[v] < 0 && PlaceNode(fans, radii, v, generation, circles)) {
                placed.push_back(v);
            }
        }
    }
    for (int v : placed) {
        narrow[v] = Narrow(circles[v]);
    }
    return narrow;
}

bool ComputeConvergedPacking(const CCPNodeArray& nodes, double tolerance,
                             const NewtonProgress& progress, CConvergedPacking& packing,
                             std::string& problem) {
    CFanIndex fans(nodes);
    if (!fans.Usable()) {
        problem = fans.Problem();
        return false;
    }
    std::vector<double> start(fans.Size());
    for (int i = 0; i < fans.Size(); ++i) {
        start[i] = nodes.m_array[i]->m_circle->m_radius;
    }
    CNewtonResult solved = SolveMaximalPacking(fans, start, tolerance, progress);
    packing.status = solved.status;
    packing.iterations = solved.iterations;
    packing.error = solved.error;
    if (solved.status == NewtonStatus::Cancelled) {
        return true;
    }
    packing.circles = LayOutPacking(nodes, fans, solved.radii);
    auto unplaced = std::find_if(packing.circles.begin(), packing.circles.end(),
                                 [](const CDiskCircle& c) { return !(c.euclidRadius > 0); });
    if (unplaced != packing.circles.end()) {
        problem = "node " + std::to_string(unplaced - packing.circles.begin()) +
                  " cannot be laid out: the graph is not a triangulated disk";
        return false;
    }
    packing.radii.assign(solved.radii.begin(), solved.radii.end());
    KeepBoundaryRadii(fans, packing.radii);
    return true;
}

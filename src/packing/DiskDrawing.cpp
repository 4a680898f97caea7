// The lattice drawing by a walk over the fans, the barycentric one by a Cholesky solve.
#include "packing/DiskDrawing.h"

#include "model/FanIndex.h"
#include "packing/SparseCholesky.h"

#include <cmath>
#include <numbers>

namespace {

// From this many unknowns CHOLMOD's supernodal factor pays off.
constexpr int SupernodalFrom = 200000;

// The outer nodes in their order around the disk, the interior on the left: an outer node's
// fan runs from the next boundary node to the one before it. Empty unless every outer node
// lies on that one cycle.
std::vector<int> BoundaryCycle(const CFanIndex& fans) {
    int outer = 0;
    int first = -1;
    for (int i = 0; i < fans.Size(); ++i) {
        if (!fans.IsInner(i)) {
            ++outer;
            first = first < 0 ? i : first;
        }
    }
    std::vector<int> cycle;
    for (int v = first; v >= 0 && int(cycle.size()) < outer;) {
        cycle.push_back(v);
        v = fans.Degree(v) > 0 ? fans.Neighbour(v, 0) : -1;
        if (v == first || (v >= 0 && fans.IsInner(v))) {
            break;
        }
    }
    if (int(cycle.size()) != outer || outer < 3) {
        cycle.clear();
    }
    return cycle;
}

} // namespace

bool DrawOnLattice(const CFanIndex& fans, int centre, std::vector<CDPoint>& points) {
    points.clear();
    if (centre < 0 || centre >= fans.Size() || !fans.IsInner(centre)) {
        return false;
    }
    std::vector<CDPoint> place(fans.Size());
    std::vector<char> placed(fans.Size(), 0);
    std::vector<int> queue = {centre};
    placed[centre] = 1;
    double reach = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int v = queue[head];
        const int k = fans.Degree(v);
        if (k != 6) {
            return false;
        }
        // The direction of neighbour 0: 0 at the centre, otherwise read from a placed one.
        double start = 0;
        for (int p = 0; p < k && v != centre; ++p) {
            const int w = fans.Neighbour(v, p);
            if (placed[w]) {
                const CDPoint d = place[w] - place[v];
                start = d.Arg() - p * std::numbers::pi / 3;
                break;
            }
        }
        for (int p = 0; p < k; ++p) {
            const int w = fans.Neighbour(v, p);
            const double angle = start + p * std::numbers::pi / 3;
            const CDPoint at = place[v] + CDPoint(std::cos(angle), std::sin(angle));
            if (placed[w]) {
                if (at.Distance(place[w]) > 1e-6) {
                    return false; // not a piece of the lattice
                }
                continue;
            }
            place[w] = at;
            placed[w] = 1;
            reach = std::max(reach, at.Abs());
            if (fans.IsInner(w)) {
                queue.push_back(w);
            }
        }
    }
    for (char p : placed) {
        if (!p) {
            return false;
        }
    }
    for (CDPoint& p : place) {
        p = p / reach;
    }
    points = std::move(place);
    return true;
}

bool DrawBarycentric(const CFanIndex& fans, std::vector<CDPoint>& points) {
    points.clear();
    const std::vector<int> cycle = BoundaryCycle(fans);
    if (cycle.empty()) {
        return false;
    }
    std::vector<CDPoint> place(fans.Size());
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        const double angle = 2 * std::numbers::pi * double(i) / double(cycle.size());
        place[cycle[i]] = CDPoint(std::cos(angle), std::sin(angle));
    }
    std::vector<int> unknown(fans.Size(), -1);
    std::vector<int> node;
    for (int i = 0; i < fans.Size(); ++i) {
        if (fans.IsInner(i)) {
            unknown[i] = int(node.size());
            node.push_back(i);
        }
    }
    const int n = int(node.size());
    if (n > 0) {
        std::vector<Eigen::Triplet<double, int>> entries;
        entries.reserve(fans.FanEntries() / 2 + n);
        Eigen::VectorXd bx = Eigen::VectorXd::Zero(n);
        Eigen::VectorXd by = Eigen::VectorXd::Zero(n);
        for (int v = 0; v < n; ++v) {
            const int i = node[v];
            entries.emplace_back(v, v, double(fans.Degree(i)));
            for (int p = 0; p < fans.Degree(i); ++p) {
                const int w = fans.Neighbour(i, p);
                if (unknown[w] < 0) {
                    bx[v] += place[w].x;
                    by[v] += place[w].y;
                } else if (unknown[w] < v) {
                    entries.emplace_back(v, unknown[w], -1.0);
                }
            }
        }
        CSparseCholesky::Matrix lower(n, n);
        lower.setFromTriplets(entries.begin(), entries.end());
        lower.makeCompressed();
        CSparseCholesky cholesky;
        cholesky.Analyze(lower, n >= SupernodalFrom);
        if (!cholesky.Factorize(lower)) {
            return false;
        }
        const Eigen::VectorXd x = cholesky.Solve(bx);
        const Eigen::VectorXd y = cholesky.Solve(by);
        for (int v = 0; v < n; ++v) {
            place[node[v]] = CDPoint(x[v], y[v]);
        }
    }
    points = std::move(place);
    return true;
}

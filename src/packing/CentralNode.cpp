// The double sweep over the inner circles, by Dijkstra's shortest paths.
#include "packing/CentralNode.h"

#include "model/FanIndex.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

namespace {

struct CSweep {
    std::vector<double> distance; // infinite for nodes the sweep does not reach
    std::vector<int> previous;    // the node each shortest path comes from, or -1
    int farthest = -1;
};

CSweep Sweep(const CFanIndex& fans, const std::vector<double>& radii, int source) {
    const double infinite = std::numeric_limits<double>::infinity();
    CSweep sweep{std::vector<double>(fans.Size(), infinite), std::vector<int>(fans.Size(), -1),
                 source};
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    sweep.distance[source] = 0;
    queue.push({0, source});
    while (!queue.empty()) {
        auto [d, v] = queue.top();
        queue.pop();
        if (d > sweep.distance[v]) {
            continue;
        }
        sweep.farthest = v;
        for (int p = 0; p < fans.Degree(v); ++p) {
            const int w = fans.Neighbour(v, p);
            const double through = d + radii[v] + radii[w];
            if (fans.IsInner(w) && through < sweep.distance[w]) {
                sweep.distance[w] = through;
                sweep.previous[w] = v;
                queue.push({through, w});
            }
        }
    }
    return sweep;
}

} // namespace

int FindCentralNode(const CFanIndex& fans, const std::vector<long double>& wideRadii, int start) {
    const std::vector<double> radii(wideRadii.begin(), wideRadii.end());
    const CSweep fromStart = Sweep(fans, radii, start);
    const CSweep across = Sweep(fans, radii, fromStart.farthest);
    const double length = across.distance[across.farthest];
    int middle = across.farthest;
    for (int v = across.farthest; v >= 0; v = across.previous[v]) {
        if (std::max(across.distance[v], length - across.distance[v]) <
            std::max(across.distance[middle], length - across.distance[middle])) {
            middle = v;
        }
    }
    const double startReach = fromStart.distance[fromStart.farthest];
    const CSweep fromMiddle = Sweep(fans, radii, middle);
    const double middleReach = fromMiddle.distance[fromMiddle.farthest];
    // Rounding alone never moves the centre away from where Circle Packing starts.
    return middleReach < startReach * (1 - 1e-9) ? middle : start;
}

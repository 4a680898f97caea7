// Node colourings: each kind of colouring gives every chosen node a number, a place in a
// gradation or an index into the palette.
#include "model/NodeColouring.h"

#include "circles/ColorHsv.h"
#include "model/FanIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Places in [0, 1] from values, the smallest chosen value at 0 and the largest at 1; an
// infinite value is at 1, and so is everything when all finite values are equal.
std::vector<double> Spread(const std::vector<double>& values, const std::vector<char>& chosen) {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (chosen[i] && std::isfinite(values[i])) {
            low = std::min(low, values[i]);
            high = std::max(high, values[i]);
        }
    }
    std::vector<double> places(values.size(), 1.0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::isfinite(values[i]) && high > low) {
            places[i] = (values[i] - low) / (high - low);
        } else if (std::isfinite(values[i])) {
            places[i] = 0.0;
        }
    }
    return places;
}

// Edges from the nearest source, breadth first over the whole graph.
std::vector<double> Rings(const CFanIndex& fans, const std::vector<int>& sources) {
    std::vector<double> rings(fans.Size(), std::numeric_limits<double>::infinity());
    std::vector<int> queue;
    for (int source : sources) {
        if (rings[source] != 0) {
            rings[source] = 0;
            queue.push_back(source);
        }
    }
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const int v = queue[next];
        for (int p = 0; p < fans.Degree(v); ++p) {
            const int x = fans.Neighbour(v, p);
            if (rings[x] > rings[v] + 1) {
                rings[x] = rings[v] + 1;
                queue.push_back(x);
            }
        }
    }
    return rings;
}

// The chosen nodes in smallest-last order: each in turn the node with the fewest chosen
// neighbours left, kept in buckets by that count.
std::vector<int> SmallestLast(const CFanIndex& fans, const std::vector<char>& chosen) {
    const int n = fans.Size();
    std::vector<int> left(n, 0);
    int most = 0;
    for (int v = 0; v < n; ++v) {
        for (int p = 0; chosen[v] && p < fans.Degree(v); ++p) {
            left[v] += chosen[fans.Neighbour(v, p)] ? 1 : 0;
        }
        most = std::max(most, left[v]);
    }
    std::vector<std::vector<int>> buckets(most + 1);
    for (int v = 0; v < n; ++v) {
        if (chosen[v]) {
            buckets[left[v]].push_back(v);
        }
    }
    std::vector<char> taken(n, 0);
    std::vector<int> order;
    for (int low = 0; low <= most;) {
        if (buckets[low].empty()) {
            ++low;
            continue;
        }
        const int v = buckets[low].back();
        buckets[low].pop_back();
        if (taken[v] || left[v] != low) {
            continue; // an entry left behind when the node's count fell
        }
        taken[v] = 1;
        order.push_back(v);
        for (int p = 0; p < fans.Degree(v); ++p) {
            const int x = fans.Neighbour(v, p);
            if (chosen[x] && !taken[x]) {
                buckets[--left[x]].push_back(x);
                low = std::min(low, left[x]);
            }
        }
    }
    std::reverse(order.begin(), order.end());
    return order;
}

// Palette indices, each node the first that none of its coloured chosen neighbours has.
std::vector<int> ProperIndices(const CFanIndex& fans, const std::vector<char>& chosen, int& used) {
    std::vector<int> index(fans.Size(), -1);
    used = 0;
    std::vector<char> taken;
    for (int v : SmallestLast(fans, chosen)) {
        taken.assign(fans.Degree(v) + 1, 0);
        for (int p = 0; p < fans.Degree(v); ++p) {
            const int c = index[fans.Neighbour(v, p)];
            if (c >= 0 && c < int(taken.size())) {
                taken[c] = 1;
            }
        }
        index[v] = int(std::find(taken.begin(), taken.end(), 0) - taken.begin());
        used = std::max(used, index[v] + 1);
    }
    return index;
}

COLORREF Gradation(const CColouring& how, double place) {
    if (place <= 0) {
        return how.from;
    }
    if (place >= 1) {
        return how.to;
    }
    return Interpolate(RgbToHsv(how.from), RgbToHsv(how.to), place);
}

std::string ColourProper(const CFanIndex& fans, const CColouring& how, const CColouringInput& input,
                         std::vector<COLORREF>& colours) {
    for (std::size_t i = 0; i < how.palette.size(); ++i) {
        if (std::find(how.palette.begin(), how.palette.begin() + i, how.palette[i]) !=
            how.palette.begin() + i) {
            return "the palette has the same colour twice";
        }
    }
    int used = 0;
    const std::vector<int> index = ProperIndices(fans, input.chosen, used);
    if (used > int(how.palette.size())) {
        return "a proper colouring of these circles needs " + std::to_string(used) +
               " colours; the palette has " + std::to_string(how.palette.size());
    }
    for (int v = 0; v < fans.Size(); ++v) {
        if (input.chosen[v]) {
            colours[v] = how.palette[index[v]];
        }
    }
    return {};
}

} // namespace

std::string ColourNodes(const CFanIndex& fans, const CColouring& how, const CColouringInput& input,
                        std::vector<COLORREF>& colours) {
    const int n = fans.Size();
    if (std::find(input.chosen.begin(), input.chosen.end(), 1) == input.chosen.end()) {
        return "no circle is chosen";
    }
    colours.resize(n, 0);
    if (how.by == ColourBy::Proper) {
        return ColourProper(fans, how, input, colours);
    }
    std::vector<double> values(n, 0.0);
    if (how.by == ColourBy::Rings) {
        if (input.sources.empty()) {
            return "rings need a circle to count from";
        }
        values = Rings(fans, input.sources);
    } else if (how.by == ColourBy::Degree) {
        for (int v = 0; v < n; ++v) {
            values[v] = fans.Degree(v);
        }
    } else {
        values = input.radii;
    }
    const std::vector<double> places = Spread(values, input.chosen);
    for (int v = 0; v < n; ++v) {
        if (input.chosen[v]) {
            colours[v] = Gradation(how, places[v]);
        }
    }
    return {};
}

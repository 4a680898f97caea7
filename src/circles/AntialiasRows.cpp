// The fast rasterisers: inner spans filled in one go, the certified edge colour on the edge
// band only, and for a whole list each picture row drawn for all its circles in turn.
#include "circles/Antialias.h"
#include "circles/CoverageEstimate.h"
#include "circles/DibBuffer.h"
#include "geometry/DPoint.h"

#include <algorithm>
#include <numeric>

namespace {

// The integers x in [lo, hi] where pass(x) holds form one run around cx (the distance to
// the centre only grows away from it); guess is an estimate of the run's half width.
template <class Pass>
bool FindRun(double cx, double guess, long long lo, long long hi, Pass pass, long long& a,
             long long& b) {
    if (lo > hi) {
        return false;
    }
    long long m = std::clamp(static_cast<long long>(RoundHalfAway(cx)), lo, hi);
    if (!pass(m)) {
        return false;
    }
    double g = std::isfinite(guess) && guess > 0 ? guess : 0;
    b = std::clamp(static_cast<long long>(std::floor(cx + g)), m, hi);
    while (b < hi && pass(b + 1)) {
        ++b;
    }
    while (!pass(b)) {
        --b;
    }
    a = std::clamp(static_cast<long long>(std::ceil(cx - g)), lo, m);
    while (a > lo && pass(a - 1)) {
        --a;
    }
    while (!pass(a)) {
        ++a;
    }
    return true;
}

double HalfChord(double r, double dy) {
    return std::sqrt(std::max(0.0, r * r - dy * dy));
}

// A circle ready to be drawn row by row: its pixel box clipped to the image, and the
// distances that part the inner colour, the edge band and the untouched pixels.
struct RowCircle {
    AaCircle c;
    long long x0 = 0;
    long long x1 = -1;
    long long y0 = 0;
    long long y1 = -1;
    double inside = 0; // d <= inside: the inner colour
    double reach = 0;  // d < reach: an edge pixel
};

// False when the circle touches no pixel the image holds.
bool Prepare(const CDibBuffer& image, const AaCircle& c, RowCircle& p) {
    AaBox box;
    if (!image.HasBitmap() || !AaBoundingBox(c, box)) {
        return false;
    }
    long long ox = image.OriginX(), oy = image.OriginY();
    p.c = c;
    p.x0 = std::max(box.xmin, -ox);
    p.x1 = std::min(box.xmax, image.Width() - 1 - ox);
    p.y0 = std::max(box.ymin, -oy);
    p.y1 = std::min(box.ymax, image.Height() - 1 - oy);
    p.inside = c.radius - c.thickness / 2 - kPixelRadius;
    p.reach = kPixelRadius + (c.radius + c.thickness / 2);
    return p.x0 <= p.x1 && p.y0 <= p.y1;
}

// Row y of the circle (pixel coordinates, within its clipped box).
void DrawRow(CDibBuffer& image, const RowCircle& p, long long y) {
    const AaCircle& c = p.c;
    long long ox = image.OriginX();
    double dy = double(y) - c.y;
    auto dist = [&](long long x) { return PixelDistance(double(x) - c.x, dy); };
    long long ia = 0, ib = -1, ea = 0, eb = -1;
    bool hasInner = FindRun(
        c.x, HalfChord(p.inside, dy), p.x0, p.x1, [&](long long x) { return dist(x) <= p.inside; },
        ia, ib);
    bool hasEdge = FindRun(
        c.x, HalfChord(p.reach, dy), p.x0, p.x1, [&](long long x) { return dist(x) < p.reach; }, ea,
        eb);
    int row = int(y + image.OriginY());
    if (hasInner) {
        image.FillSpan(row, int(ia + ox), int(ib + ox + 1), c.innerCol);
    }
    if (!hasEdge) {
        return;
    }
    std::uint8_t* bits = image.Row(row);
    for (long long x = ea; x <= eb; ++x) {
        if (hasInner && x >= ia && x <= ib) {
            x = ib;
            continue;
        }
        std::uint8_t* pixel = bits + 3 * (x + ox);
        WriteBgr(pixel, FastEdgeColor(c, dist(x), ReadBgr(pixel)));
    }
}

// Rows [rowBegin, rowEnd) of the picture (no origin), each drawn for the circles of list
// that cross it, in list order; byStart lists the circles by their first row.
void DrawRows(CDibBuffer& image, const std::vector<RowCircle>& list,
              const std::vector<std::size_t>& byStart, int rowBegin, int rowEnd) {
    std::vector<std::size_t> active;
    std::size_t next = 0;
    for (int row = rowBegin; row < rowEnd; ++row) {
        long long y = row - image.OriginY();
        bool added = false;
        for (; next < byStart.size() && list[byStart[next]].y0 <= y; ++next) {
            active.push_back(byStart[next]);
            added = true;
        }
        std::erase_if(active, [&](std::size_t i) { return list[i].y1 < y; });
        if (added) {
            std::sort(active.begin(), active.end());
        }
        for (std::size_t i : active) {
            DrawRow(image, list[i], y);
        }
    }
}

} // namespace

void RasteriseCircle(CDibBuffer& image, const AaCircle& c) {
    RowCircle p;
    if (!Prepare(image, c, p)) {
        return;
    }
    for (long long y = p.y0; y <= p.y1; ++y) {
        DrawRow(image, p, y);
    }
}

void RasteriseCircles(CDibBuffer& image, const std::vector<AaCircle>& circles) {
    std::vector<RowCircle> list;
    for (const AaCircle& c : circles) {
        RowCircle p;
        if (Prepare(image, c, p)) {
            list.push_back(p);
        }
    }
    std::vector<std::size_t> byStart(list.size());
    std::iota(byStart.begin(), byStart.end(), std::size_t(0));
    std::stable_sort(byStart.begin(), byStart.end(),
                     [&](std::size_t a, std::size_t b) { return list[a].y0 < list[b].y0; });
    DrawRows(image, list, byStart, 0, image.Height());
}

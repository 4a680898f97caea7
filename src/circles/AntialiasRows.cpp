// The fast rasterisers: inner spans filled in one go, the certified edge colour on the edge
// band only, and for a whole list the picture's rows shared among threads.
#include "circles/Antialias.h"
#include "circles/CoverageEstimate.h"
#include "circles/DibBuffer.h"
#include "geometry/DPoint.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <thread>

namespace {

// Whether a pixel's distance d = sqrt(q) from a circle's centre is below a limit, decided on
// the squared distance q alone wherever that is certain: the square root is correctly
// rounded, so q more than a relative 1e-12 from the limit's square cannot round across it.
struct DistanceLimit {
    double limit = 0;
    bool inclusive = false; // d <= limit, else d < limit
    double below = -1;      // q < below: within
    double above = -1;      // q > above: beyond

    DistanceLimit() = default;
    DistanceLimit(double l, bool incl) : limit(l), inclusive(incl) {
        if (limit >= 0) {
            below = limit * limit * (1 - 1e-12);
            above = limit * limit * (1 + 1e-12);
        }
    }
    bool Within(double q) const {
        if (q < below) {
            return true;
        }
        if (q > above) {
            return false;
        }
        double d = std::sqrt(q);
        return inclusive ? d <= limit : d < limit;
    }
};

// A circle ready to be drawn a row at a time: its pixel box clipped to the image, the column
// nearest its centre, and the distances that part the inner colour, the edge band and the
// untouched pixels.
struct RowCircle {
    AaCircle c;
    long long x0 = 0;
    long long x1 = -1;
    long long y0 = 0;
    long long y1 = -1;
    long long mid = 0;
    DistanceLimit inside; // the inner colour
    DistanceLimit reach;  // an edge pixel, unless inside
    FastEdge edge;
};

// The circle's box clipped to the image; false when it touches no pixel the image holds.
bool Clip(const CDibBuffer& image, const AaCircle& c, RowCircle& p) {
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
    return p.x0 <= p.x1 && p.y0 <= p.y1;
}

// The rest of the circle's constants, once it is to be drawn.
void MakeReady(RowCircle& p) {
    const AaCircle& c = p.c;
    p.mid = std::clamp(static_cast<long long>(RoundHalfAway(c.x)), p.x0, p.x1);
    p.inside = {c.radius - c.thickness / 2 - kPixelRadius, true};
    p.reach = {kPixelRadius + (c.radius + c.thickness / 2), false};
    p.edge = FastEdge(c);
}

// The columns [a, b] of row dy (from the centre) whose pixels lie within limit: one run
// around the centre column, since the distance only grows away from it.
bool FindRun(const RowCircle& p, double dy, const DistanceLimit& limit, long long& a,
             long long& b) {
    double cx = p.c.x, dy2 = dy * dy;
    auto pass = [&](long long x) {
        double dx = double(x) - cx;
        return limit.Within(dx * dx + dy2);
    };
    if (!pass(p.mid)) {
        return false;
    }
    // The half chord guesses the ends; the steps below correct any guess.
    double g = std::sqrt(std::max(0.0, limit.limit * limit.limit - dy2));
    g = std::isfinite(g) ? g : 0;
    b = std::clamp(static_cast<long long>(cx + g), p.mid, p.x1);
    while (b < p.x1 && pass(b + 1)) {
        ++b;
    }
    while (!pass(b)) {
        --b;
    }
    a = std::clamp(static_cast<long long>(cx - g), p.x0, p.mid);
    while (a > p.x0 && pass(a - 1)) {
        --a;
    }
    while (!pass(a)) {
        ++a;
    }
    return true;
}

// The edge pixel at column x (picture coordinates) of a row whose coverage is `alpha`, or
// null for an opaque picture.
void DrawEdgePixel(const RowCircle& p, std::uint8_t* bits, float* alpha, long long x, double d) {
    std::uint8_t* pixel = bits + 3 * x;
    if (p.c.filled && (!alpha || alpha[x] == 1.0f)) {
        WriteBgr(pixel, p.edge.Color(d, ReadBgr(pixel)));
        return;
    }
    CoveredPixel result = EdgeOver(p.c, d, {ReadBgr(pixel), alpha ? double(alpha[x]) : 1.0});
    WriteBgr(pixel, result.color);
    if (alpha) {
        alpha[x] = float(result.alpha);
    }
}

// Row y of the circle (pixel coordinates, within its clipped box).
void DrawRow(CDibBuffer& image, const RowCircle& p, long long y) {
    const AaCircle& c = p.c;
    long long ox = image.OriginX();
    double dy = double(y) - c.y;
    long long ia = 0, ib = -1, ea = 0, eb = -1;
    bool hasInner = FindRun(p, dy, p.inside, ia, ib);
    int row = int(y + image.OriginY());
    float* alpha = image.HasAlpha() ? image.AlphaRow(row) : nullptr;
    if (hasInner && c.filled) {
        image.FillSpan(row, int(ia + ox), int(ib + ox + 1), c.innerCol);
        if (alpha) {
            std::fill(alpha + ia + ox, alpha + ib + ox + 1, 1.0f);
        }
    }
    if (!FindRun(p, dy, p.reach, ea, eb)) {
        return; // a negative width can leave inner pixels without an edge band
    }
    std::uint8_t* bits = image.Row(row);
    for (long long x = ea; x <= eb; ++x) {
        if (hasInner && x >= ia && x <= ib) {
            x = ib; // the inner run lies within the edge run, or covers it
            continue;
        }
        DrawEdgePixel(p, bits, alpha, x + ox, PixelDistance(double(x) - c.x, dy));
    }
}

// The picture is drawn in blocks of this many rows, each for all the circles crossing it in
// turn while its pixels are in the cache (64 rows of a picture 8000 pixels wide take 1.5 MB).
// Each block is drawn whole by one thread, so the bytes never depend on the threads.
constexpr int kBlockRows = 64;

// Rows [top, bottom) of the picture (no origin) for the circle.
void DrawCircleRows(CDibBuffer& image, const AaCircle& c, long long top, long long bottom) {
    RowCircle p;
    if ((!c.filled && !(c.thickness > 0)) || !Clip(image, c, p)) {
        return; // an open circle without a line draws nothing
    }
    MakeReady(p);
    long long oy = image.OriginY();
    for (long long y = std::max(p.y0, top - oy); y <= std::min(p.y1, bottom - 1 - oy); ++y) {
        DrawRow(image, p, y);
    }
}

using Blocks = std::vector<std::vector<std::size_t>>;

// For each block of rows, the circles crossing it, in list order.
Blocks CirclesByBlock(const CDibBuffer& image, const std::vector<AaCircle>& circles) {
    Blocks blocks((std::size_t(image.Height()) + kBlockRows - 1) / kBlockRows);
    long long oy = image.OriginY();
    for (std::size_t i = 0; i < circles.size(); ++i) {
        RowCircle p;
        if (Clip(image, circles[i], p)) {
            for (long long b = (p.y0 + oy) / kBlockRows; b <= (p.y1 + oy) / kBlockRows; ++b) {
                blocks[std::size_t(b)].push_back(i);
            }
        }
    }
    return blocks;
}

// Blocks part, part + parts, ... of the picture.
void DrawPart(CDibBuffer& image, const std::vector<AaCircle>& circles, const Blocks& blocks,
              std::optional<COLORREF> background, int part, int parts) {
    for (std::size_t b = std::size_t(part); b < blocks.size(); b += std::size_t(parts)) {
        long long top = (long long)b * kBlockRows;
        long long bottom = std::min<long long>(top + kBlockRows, image.Height());
        for (long long y = top; background && y < bottom; ++y) {
            image.FillSpan(int(y), 0, image.Width(), *background);
            if (image.HasAlpha()) {
                std::fill_n(image.AlphaRow(int(y)), image.Width(), 0.0f);
            }
        }
        for (std::size_t i : blocks[b]) {
            DrawCircleRows(image, circles[i], top, bottom);
        }
    }
}

} // namespace

void RasteriseCircle(CDibBuffer& image, const AaCircle& c) {
    DrawCircleRows(image, c, 0, image.Height());
}

void RasteriseCircles(CDibBuffer& image, const std::vector<AaCircle>& circles, int threads,
                      std::optional<COLORREF> background) {
    Blocks blocks = CirclesByBlock(image, circles);
    int parts = int(std::clamp<std::size_t>(std::size_t(std::max(threads, 1)), 1,
                                            std::max<std::size_t>(blocks.size(), 1)));
    std::vector<std::thread> helpers;
    int started = 1;
    try {
        for (; started < parts; ++started) {
            helpers.emplace_back(DrawPart, std::ref(image), std::cref(circles), std::cref(blocks),
                                 background, started, parts);
        }
    } catch (const std::exception&) {
        // No thread to spare: the parts left are drawn here.
    }
    DrawPart(image, circles, blocks, background, 0, parts);
    for (int part = started; part < parts; ++part) {
        DrawPart(image, circles, blocks, background, part, parts);
    }
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

int AntialiasThreads() {
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

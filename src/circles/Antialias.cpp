// Pixel coverage, the brightness-corrected blend and the fast circle rasteriser.
#include "circles/Antialias.h"

#include "circles/DibBuffer.h"
#include "geometry/DPoint.h"

#include <algorithm>
#include <numbers>

namespace {

constexpr double kRho = kPixelRadius;

// Area of the segment cut from the unit-area pixel disk by a straight edge at signed
// distance t·ρ from its centre, as a fraction of the disk.
double SegmentFraction(double t) {
    if (t >= 1) {
        return 0;
    }
    if (t <= -1) {
        return 1;
    }
    // sin(acos t) = sqrt(1 - t²): one inverse cosine per pixel and no sine.
    return (std::acos(t) - t * std::sqrt(1 - t * t)) / std::numbers::pi;
}

double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

// The share of the pixel disk inside a disk of radius d whose centre lies re away, for the
// cosines c1 (at the pixel's centre) and c2 (at the other centre) of the two-disk lens.
double Lens(double d, double c1, double c2) {
    c2 = std::clamp(c2, -1.0, 1.0); // rounding may carry it just past the end
    double s1 = std::acos(c1) - c1 * std::sqrt(1 - c1 * c1);
    double s2 = std::acos(c2) - c2 * std::sqrt(1 - c2 * c2);
    return Clamp01((s2 * d * d / (kRho * kRho) + s1) / std::numbers::pi);
}

// The edge lies wholly inside the pixel disk: what lies beyond it is the disk minus the
// circle.
double SmallCircleInsidePixel(double re) {
    return Clamp01(1 - (re / kRho) * (re / kRho));
}

double NearCoverage(double re, double d) {
    if (d <= kRho) {
        if (d == 0) {
            return re >= kRho ? 0 : SmallCircleInsidePixel(re);
        }
        double c2 = (re * re + d * d - kRho * kRho) / (2 * re * d);
        if (c2 >= 1) {
            return 0;
        }
        if (c2 <= -1) {
            return SmallCircleInsidePixel(re);
        }
    }
    double c1 = (re * re + kRho * kRho - d * d) / (2 * kRho * re);
    if (c1 >= 1) {
        return 0;
    }
    if (c1 <= -1) {
        return 1;
    }
    return Lens(d, c1, (re * re + d * d - kRho * kRho) / (2 * re * d));
}

// RoundHalfAway for the non-negative channel values, without the library call and without
// a branch: the conversion truncates and v - i is exact, so the result is the same.
unsigned Channel(double v) {
    auto i = static_cast<long long>(v);
    bool up = v - double(i) >= 0.5;
    return (unsigned(i) + unsigned(up)) & 0xFFu;
}

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

} // namespace

double CoverageBeyond(double re, double d) {
    if (!(re > 0)) {
        return 1; // a line wider than the circle: the inner edge has vanished
    }
    if (d > kFarFactor * kRho) {
        return SegmentFraction((re - d) / kRho);
    }
    return NearCoverage(re, d);
}

COLORREF Blend(COLORREF a, COLORREF b, double x) {
    // The formula gives exactly a at 0 and b at 1 (k is then 1); most edge pixels are such.
    if (x == 0) {
        return a;
    }
    if (x == 1) {
        return b;
    }
    double w = 1 - x;
    double ar = GetRValue(a), ag = GetGValue(a), ab = GetBValue(a);
    double br = GetRValue(b), bg = GetGValue(b), bb = GetBValue(b);
    double r = w * ar + x * br;
    double g = w * ag + x * bg;
    double bl = w * ab + x * bb;
    double m = std::max(r, std::max(g, bl));
    double target = w * std::max(ar, std::max(ag, ab)) + x * std::max(br, std::max(bg, bb));
    double k = m > 0 ? (target + m) / 2 / m : 0;
    return MakeRgb(Channel(r * k), Channel(g * k), Channel(bl * k));
}

COLORREF EdgeColor(const AaCircle& c, double d, COLORREF bg) {
    double rin = c.radius - c.thickness / 2;
    double rout = c.radius + c.thickness / 2;
    double fo = CoverageBeyond(rout, d);
    if (c.thickness > 0) {
        COLORREF u = Blend(c.lineCol, bg, fo);
        return Blend(c.innerCol, u, CoverageBeyond(rin, d));
    }
    return Blend(c.innerCol, bg, fo);
}

bool AaBoundingBox(const AaCircle& c, AaBox& box) {
    constexpr double kLimit = 4.0e15; // far beyond any picture, well inside long long
    double reach = c.radius + kRho + c.thickness + 1;
    double lo[2] = {c.x - reach, c.y - reach};
    double hi[2] = {c.x + reach, c.y + reach};
    for (int i = 0; i < 2; ++i) {
        if (!(std::abs(lo[i]) < kLimit && std::abs(hi[i]) < kLimit)) {
            return false;
        }
    }
    box = {static_cast<long long>(lo[0]), static_cast<long long>(hi[0]),
           static_cast<long long>(lo[1]), static_cast<long long>(hi[1])};
    return true;
}

void RasteriseCircle(CDibBuffer& image, const AaCircle& c) {
    AaBox box;
    if (!image.HasBitmap() || !AaBoundingBox(c, box)) {
        return;
    }
    // Only pixels the image holds can change: clip the box to it.
    long long ox = image.OriginX(), oy = image.OriginY();
    long long x0 = std::max(box.xmin, -ox), x1 = std::min(box.xmax, image.Width() - 1 - ox);
    long long y0 = std::max(box.ymin, -oy), y1 = std::min(box.ymax, image.Height() - 1 - oy);
    double inside = c.radius - c.thickness / 2 - kRho;  // d <= inside: the inner colour
    double reach = kRho + (c.radius + c.thickness / 2); // d < reach: an edge pixel
    for (long long y = y0; y <= y1; ++y) {
        double dy = double(y) - c.y;
        auto dist = [&](long long x) { return PixelDistance(double(x) - c.x, dy); };
        long long ia = 0, ib = -1, ea = 0, eb = -1;
        bool hasInner = FindRun(
            c.x, HalfChord(inside, dy), x0, x1, [&](long long x) { return dist(x) <= inside; }, ia,
            ib);
        bool hasEdge = FindRun(
            c.x, HalfChord(reach, dy), x0, x1, [&](long long x) { return dist(x) < reach; }, ea,
            eb);
        int row = int(y + oy);
        if (hasInner) {
            image.FillSpan(row, int(ia + ox), int(ib + ox + 1), c.innerCol);
        }
        if (!hasEdge) {
            continue;
        }
        std::uint8_t* bits = image.Row(row);
        for (long long x = ea; x <= eb; ++x) {
            if (hasInner && x >= ia && x <= ib) {
                x = ib;
                continue;
            }
            std::uint8_t* p = bits + 3 * (x + ox);
            WriteBgr(p, EdgeColor(c, dist(x), ReadBgr(p)));
        }
    }
}

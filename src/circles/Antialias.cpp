// Pixel coverage, the brightness-corrected blend and the edge colour, exactly as the
// reference rasteriser uses them.
#include "circles/Antialias.h"

#include "circles/CoverageFormula.h"

#include <algorithm>

namespace {

// RoundHalfAway for the non-negative channel values, without the library call and without
// a branch: the conversion truncates and v - i is exact, so the result is the same.
unsigned Channel(double v) {
    auto i = static_cast<long long>(v);
    bool up = v - double(i) >= 0.5;
    return (unsigned(i) + unsigned(up)) & 0xFFu;
}

} // namespace

double CoverageBeyond(double re, double d) {
    coverage::ExactArea area;
    return coverage::Beyond(re, d, area);
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

CoveredPixel EdgeOver(const AaCircle& c, double d, CoveredPixel under) {
    double rout = c.radius + c.thickness / 2;
    double fo = CoverageBeyond(rout, d);
    // A layer of colour x covers all of the pixel but `beyond`; what lay there before shows
    // through that share, in the proportion it covered.
    auto layer = [&under](COLORREF x, double beyond) {
        double alpha = 1 - beyond * (1 - under.alpha);
        if (alpha > 0) {
            under.color = Blend(x, under.color, beyond * under.alpha / alpha);
        }
        under.alpha = alpha;
    };
    if (c.thickness > 0) {
        double fi = CoverageBeyond(c.radius - c.thickness / 2, d);
        if (c.filled) {
            layer(c.lineCol, fo);
            layer(c.innerCol, fi);
        } else {
            layer(c.lineCol, 1 - (fi - fo)); // the ring between the two edges
        }
    } else if (c.filled) {
        layer(c.innerCol, fo);
    }
    return under;
}

bool AaBoundingBox(const AaCircle& c, AaBox& box) {
    constexpr double kLimit = 4.0e15; // far beyond any picture, well inside long long
    double reach = c.radius + kPixelRadius + c.thickness + 1;
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

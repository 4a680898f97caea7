// Conversions between 0x00BBGGRR colours and hue, saturation, value.
#include "circles/ColorHsv.h"

#include "geometry/DPoint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

CHsv RgbToHsv(COLORREF color) {
    double r = GetRValue(color);
    double g = GetGValue(color);
    double b = GetBValue(color);
    double v = std::max({r, g, b});
    double delta = v - std::min({r, g, b});
    CHsv hsv;
    hsv.v = v;
    hsv.s = v == 0 ? 0 : delta / v;
    if (delta == 0) {
        hsv.h = -1;
        return hsv;
    }
    double h = 0;
    if (v == r) {
        h = (g - b) / delta;
    } else if (v == g) {
        h = (b - r) / delta + 2;
    } else {
        h = (r - g) / delta + 4;
    }
    h *= 60;
    hsv.h = h < 0 ? h + 360 : h;
    return hsv;
}

namespace {

unsigned Channel(double value) {
    return static_cast<unsigned>(static_cast<std::int64_t>(RoundHalfAway(value)) & 0xFF);
}

} // namespace

COLORREF HsvToRgb(const CHsv& hsv) {
    double v = hsv.v;
    if (hsv.h < 0) {
        return MakeRgb(Channel(v), Channel(v), Channel(v));
    }
    double h = hsv.h / 60;
    double i = std::floor(h);
    double f = h - i;
    double p = v * (1 - hsv.s);
    double q = v * (1 - hsv.s * f);
    double t = v * (1 - hsv.s * (1 - f));
    double r = v, g = p, b = q;
    switch (static_cast<int>(i)) {
    case 0:
        r = v, g = t, b = p;
        break;
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    default:
        break;
    }
    return MakeRgb(Channel(r), Channel(g), Channel(b));
}

namespace {

double InterpolateHue(double h1, double h2, double t) {
    if (h1 < 0 && h2 < 0) {
        return -1;
    }
    if (h1 < 0) {
        return h2;
    }
    if (h2 < 0) {
        return h1;
    }
    if (std::abs(h1 - h2) <= 180) {
        return (1 - t) * h1 + t * h2;
    }
    // Travel the shorter way round: lift the smaller hue by a full turn.
    if (h1 <= h2) {
        h1 += 360;
    } else {
        h2 += 360;
    }
    double h = (1 - t) * h1 + t * h2;
    return h >= 360 ? h - 360 : h;
}

} // namespace

COLORREF Interpolate(const CHsv& start, const CHsv& end, double t) {
    CHsv mixed;
    mixed.h = InterpolateHue(start.h, end.h, t);
    mixed.s = (1 - t) * start.s + t * end.s;
    mixed.v = (1 - t) * start.v + t * end.v;
    return HsvToRgb(mixed);
}

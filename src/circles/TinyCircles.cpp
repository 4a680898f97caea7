// Circles below a pixel blended into the pixel under their centres.
#include "circles/TinyCircles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The share of a pixel that a disk of radius r covers, when the disk lies within the pixel.
double DiskShare(double r) {
    return r > 0 ? std::min(1.0, std::numbers::pi * r * r) : 0.0;
}

} // namespace

void BlendTinyCircles(const CCPCircleArray& circles, PixelRows pixels, double originX,
                      double originY, double scale, double widthScale) {
    for (const CCPCircle* c : circles.m_list) {
        const double r = scale * c->m_euclidRadius;
        if (!(r > 0) || !IsBelowPixel(r)) {
            continue;
        }
        const double x = std::floor(originX + scale * c->m_euclidCentre.x + 0.5);
        const double y = std::floor(originY + scale * c->m_euclidCentre.y + 0.5);
        if (!(x >= 0 && y >= 0 && x < pixels.width && y < pixels.height)) {
            continue;
        }
        // The line is centred on the edge, as the antialiased drawing has it: so small a
        // circle is mostly line, and its line reaches well beyond its radius.
        const double halfLine = c->m_thickness > 0 ? widthScale * c->m_thickness / 2 : 0.0;
        const double whole = DiskShare(r + halfLine);
        const double inside = DiskShare(r - halfLine);
        const COLORREF line = c->m_lineCol;
        const COLORREF inner = c->m_innerCol;
        const unsigned lineBytes[3] = {GetBValue(line), GetGValue(line), GetRValue(line)};
        const unsigned innerBytes[3] = {GetBValue(inner), GetGValue(inner), GetRValue(inner)};
        std::uint8_t* pixel =
            pixels.top + std::ptrdiff_t(y) * pixels.rowStep + std::ptrdiff_t(x) * pixels.pixelBytes;
        for (int channel = 0; channel < 3; ++channel) {
            const double mixed = pixel[channel] * (1 - whole) +
                                 lineBytes[channel] * (whole - inside) +
                                 innerBytes[channel] * inside;
            pixel[channel] = std::uint8_t(std::clamp(std::lround(mixed), 0L, 255L));
        }
    }
}

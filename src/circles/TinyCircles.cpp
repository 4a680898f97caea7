// Circles below a pixel blended into the pixel under their centres.
#include "circles/TinyCircles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void BlendTinyCircles(const CCPCircleArray& circles, PixelRows pixels, double originX,
                      double originY, double scale) {
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
        const double share = std::min(1.0, std::numbers::pi * r * r);
        const COLORREF colour = c->m_thickness > 0 ? c->m_lineCol : c->m_innerCol;
        const unsigned over[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
        std::uint8_t* pixel =
            pixels.top + std::ptrdiff_t(y) * pixels.rowStep + std::ptrdiff_t(x) * pixels.pixelBytes;
        for (int channel = 0; channel < 3; ++channel) {
            const double under = pixel[channel];
            pixel[channel] = std::uint8_t(std::lround(under + (over[channel] - under) * share));
        }
    }
}

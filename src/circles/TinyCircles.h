// Circles below a pixel across, shown on a screen as the share of the pixel each one covers:
// far cheaper than rasterising a million of them, and about as dark.
#pragma once

#include "circles/CPCircleArray.h"

#include <cstddef>
#include <cstdint>

// Rows of pixels with blue, green and red in their first three bytes (a 24-bit DIB, or a
// 32-bit image in memory order), row y starting at top + y * rowStep.
struct PixelRows {
    std::uint8_t* top = nullptr;
    std::ptrdiff_t rowStep = 0;
    int width = 0;
    int height = 0;
    int pixelBytes = 3;
};

// Each listed circle below a pixel across (IsBelowPixel) darkens the pixel under its centre,
// placed at origin + scale * centre, by the share of the pixel it covers, in its line's colour
// (a line a pixel wide covers all of so small a circle) or, without a line, its inner colour.
// Larger circles and pixels outside the rows are left alone.
void BlendTinyCircles(const CCPCircleArray& circles, PixelRows pixels, double originX,
                      double originY, double scale);

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

// Each listed circle below a pixel across (IsBelowPixel) shades the pixel under its centre,
// placed at origin + scale * centre, by the shares of the pixel its line and its inside cover,
// as a pixel of the antialiased drawing would be (its line widthScale times as wide), all
// within that one pixel. Larger circles and pixels outside the rows are left alone.
void BlendTinyCircles(const CCPCircleArray& circles, PixelRows pixels, double originX,
                      double originY, double scale, double widthScale = 1.0);

// Exact-coverage antialiasing of circles into a CDibBuffer: pixel coverage, colour blending
// and the circle rasteriser.
#pragma once

#include "geometry/Color.h"

#include <cmath>
#include <optional>
#include <vector>

class CDibBuffer;

// Every pixel is a disk of this radius (area exactly 1) around its integer coordinates.
inline constexpr double kPixelRadius = 0.5641895835477563;
// Beyond this many pixel radii from a circle's centre its edge counts as a straight line.
inline constexpr double kFarFactor = 20.0;

// One circle as the rasteriser sees it, in pixels: centre, radius, line width (as stored,
// even when not positive) and colours.
struct AaCircle {
    double x = 0;
    double y = 0;
    double radius = 0;
    double thickness = 0;
    COLORREF lineCol = 0;
    COLORREF innerCol = 0x00FFFFFF;
    bool filled = true; // false: the line alone, the inside left as it was
};

// The fraction, in [0, 1], of a pixel disk whose centre lies d from a circle's centre that
// lies beyond the circle's edge of radius re.
double CoverageBeyond(double re, double d);

// Colour a weighted towards b by x (0 gives a, 1 gives b), with its brightness pulled back
// towards the blend of the two colours' brightnesses.
COLORREF Blend(COLORREF a, COLORREF b, double x);

// The distance from a circle's centre to a pixel, computed the one way every rasteriser
// here must share so that their images agree byte for byte.
inline double PixelDistance(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

// The colour of a pixel on the edge band of c at distance d, over the colour bg.
COLORREF EdgeColor(const AaCircle& c, double d, COLORREF bg);

// A pixel's colour and the share of it that is covered (its alpha).
struct CoveredPixel {
    COLORREF color = 0;
    double alpha = 0;
};

// The pixel at distance d from c's centre after c is drawn over `under`: c's line and fill
// each cover their share of the pixel, laid over what covered it before. Over an opaque
// pixel (alpha 1) a filled circle gives EdgeColor's colour.
CoveredPixel EdgeOver(const AaCircle& c, double d, CoveredPixel under);

// Draws c antialiased over what the image holds. Writes only pixels that the image holds and
// the circle touches; the result equals RasteriseCircleReference byte for byte.
void RasteriseCircle(CDibBuffer& image, const AaCircle& c);
// Draws the circles in order, as RasteriseCircle on each would. Up to threads threads share
// the rows of the picture; the image is the same for any number. With a background the
// picture is first set to it, as Fill would, but a block of rows at a time just before its
// circles are drawn, while the block is in the cache. An image with a coverage plane starts
// transparent and gathers each circle's coverage there: where a pixel is already opaque its
// colour is the one the image without the plane gets.
void RasteriseCircles(CDibBuffer& image, const std::vector<AaCircle>& circles, int threads = 1,
                      std::optional<COLORREF> background = std::nullopt);
// The threads worth giving RasteriseCircles here: the processor's, at most 8.
int AntialiasThreads();

// The same drawing pixel by pixel over the circle's whole bounding box, through GetPixel and
// SetPixel: slow and simple, kept as the measure the fast one is tested against.
void RasteriseCircleReference(CDibBuffer& image, const AaCircle& c);

// The pixels a circle may touch: its bounding box, inclusive. False when the circle's
// numbers are not finite or too large to address pixels; nothing is drawn then.
struct AaBox {
    long long xmin = 0;
    long long xmax = -1;
    long long ymin = 0;
    long long ymax = -1;
};
bool AaBoundingBox(const AaCircle& c, AaBox& box);

// The document's picture on a printed page: what a mode shows, as vectors at the device's
// resolution, fitted to the page with a margin, without selection marks or zoom.
#pragma once

#include <QRect>

class CTesselDoc;
class QPainter;

// The room kept free inside the page, in points.
constexpr double kPageMarginPoints = 18.0;

// Draws into `page` (device units of the painter). Circle mode draws the circles in their own
// styles as the exports do; graph mode the circles' outlines, the edges and the nodes, where
// `viewRadius` is the drawing radius that ties the circles to the graph. Line widths and node
// squares are in points (a screen pixel's length on a page), whatever the device's resolution.
void PaintPage(QPainter& painter, const QRect& page, const CTesselDoc& doc, int mode,
               double viewRadius);

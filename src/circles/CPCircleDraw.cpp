// Drawing circles: one ellipse per circle in the four draw modes, and antialiased rasterising.
#include "circles/Antialias.h"
#include "circles/CPCircle.h"
#include "circles/CPCircleArray.h"
#include "circles/DrawSurface.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounded as every pixel position is, and kept one short of the 32-bit limit so that the
// excluded right and bottom edges still fit.
std::int32_t DeviceCoordinate(double v) {
    double r = RoundHalfAway(v);
    if (std::isnan(r)) {
        return 0;
    }
    return std::int32_t(std::clamp(r, double(INT32_MIN), double(INT32_MAX - 1)));
}

AaCircle Antialiased(const CCPCircle& c, double scale, double widthScale = 1.0) {
    return {scale * c.m_euclidCentre.x,
            scale * c.m_euclidCentre.y,
            scale * c.m_euclidRadius,
            widthScale * c.m_thickness,
            c.m_lineCol,
            c.m_innerCol};
}

void DrawOverlay(CDrawSurface& dc, const SurfaceCircle& shape) {
    dc.SelectBrush(SurfaceBrush::CrossHatch(SelectionHatchColor));
    dc.SelectPen(SurfacePen::Null());
    dc.SetTransparentBackground(true);
    dc.SetRasterOp(RasterOp::XorPen);
    dc.Circle(shape);
}

void SelectOwnStyle(CDrawSurface& dc, const CCPCircle& c, bool filled) {
    if (c.m_thickness <= 0) {
        dc.SelectPen(SurfacePen::Null());
    } else {
        dc.SelectPen(SurfacePen::Solid(c.m_thickness, c.m_lineCol));
    }
    dc.SelectBrush(filled ? SurfaceBrush::Solid(c.m_innerCol) : SurfaceBrush::Null());
}

// One circle in one mode, hatched as a selected circle when `hatched` is set; without
// `filled` its own style draws the outline alone.
void DrawCircle(CDrawSurface& dc, const CCPCircle& c, double scale, DrawMode mode,
                COLORREF background, bool hatched, bool filled = true) {
    // Most of a million circles are below a pixel: they are left out before their rectangle
    // is worked out.
    if (dc.IsScreen() && IsBelowPixel(scale * c.m_euclidRadius)) {
        return;
    }
    const SurfaceCircle shape{scale * c.m_euclidCentre.x, scale * c.m_euclidCentre.y,
                              scale * c.m_euclidRadius, c.GetEllipseRect(scale)};
    if (!dc.IsVisible(shape.rect, c.m_thickness)) {
        return;
    }
    dc.SaveState();
    switch (mode) {
    case DrawBack:
        dc.SelectPen(SurfacePen::Solid(0, BackModeColor));
        dc.SelectBrush(SurfaceBrush::Solid(background));
        dc.Circle(shape);
        break;
    case DrawPlain:
        SelectOwnStyle(dc, c, filled);
        dc.Circle(shape);
        break;
    case DrawSelection:
        if (hatched) {
            DrawOverlay(dc, shape);
        }
        break;
    default: // DrawNormal, and any unknown mode
        SelectOwnStyle(dc, c, filled);
        dc.Circle(shape);
        if (hatched) {
            DrawOverlay(dc, shape);
        }
        break;
    }
    dc.RestoreState();
}

} // namespace

IntRect CCPCircle::GetEllipseRect(double scale) const {
    double x = scale * m_euclidCentre.x, y = scale * m_euclidCentre.y;
    double r = scale * m_euclidRadius;
    return {DeviceCoordinate(x - r), DeviceCoordinate(y - r), DeviceCoordinate(x + r) + 1,
            DeviceCoordinate(y + r) + 1};
}

void CCPCircle::Draw(CDrawSurface& dc, double scale, DrawMode mode, COLORREF background) const {
    DrawCircle(dc, *this, scale, mode, background, m_selected != 0);
}

void CCPCircle::DrawAntialiased(CDibBuffer& image, double scale) const {
    RasteriseCircle(image, Antialiased(*this, scale));
}

void CCPCircleArray::Draw(CDrawSurface& dc, double scale, DrawMode mode, COLORREF background,
                          OuterFill outerFill) const {
    if (mode == DrawSelection && m_outer.m_selected) {
        // The hatch over the whole disk, then XORed away again inside every circle that is
        // not selected: what DrawNormal shows, where opaque circles cover the outer hatch.
        m_outer.Draw(dc, scale, DrawSelection);
        for (const CCPCircle* circle : m_list) {
            DrawCircle(dc, *circle, scale, DrawSelection, background, circle->m_selected == 0);
        }
        return;
    }
    DrawCircle(dc, m_outer, scale, mode, background, m_outer.m_selected != 0,
               outerFill == OuterFill::Filled);
    for (const CCPCircle* circle : m_list) {
        circle->Draw(dc, scale, mode, background);
    }
}

void CCPCircleArray::DrawAntialiased(CDibBuffer& image, double scale,
                                     std::optional<COLORREF> background, OuterFill outerFill,
                                     double widthScale, Sizes sizes) const {
    std::vector<AaCircle> circles;
    circles.reserve(m_list.size() + 1);
    circles.push_back(Antialiased(m_outer, scale, widthScale));
    circles.front().filled = outerFill == OuterFill::Filled;
    for (const CCPCircle* circle : m_list) {
        if (sizes == Sizes::All || !IsBelowPixel(scale * circle->m_euclidRadius)) {
            circles.push_back(Antialiased(*circle, scale, widthScale));
        }
    }
    RasteriseCircles(image, circles, AntialiasThreads(), background);
}

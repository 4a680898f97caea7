// The Qt backend of the drawing surface.
#include "view/QtSurface.h"

#include <QPaintEngine>
#include <QPainter>
#include <algorithm>

QColor ToQColor(COLORREF c) {
    return QColor(int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c)));
}

namespace {

QPen ToQPen(const SurfacePen& pen, double width) {
    if (pen.style == PenStyle::Null) {
        return QPen(Qt::NoPen);
    }
    // Width 0 is Qt's one-pixel cosmetic pen too.
    QPen qpen(ToQColor(pen.color), width);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    return qpen;
}

QBrush ToQBrush(const SurfaceBrush& brush) {
    switch (brush.style) {
    case BrushStyle::Null:
        return QBrush(Qt::NoBrush);
    case BrushStyle::CrossHatch:
        return QBrush(ToQColor(brush.color), Qt::DiagCrossPattern);
    case BrushStyle::Solid:
        break;
    }
    return QBrush(ToQColor(brush.color));
}

// A one-pixel outline of one pixel's rectangle draws nothing, of two by two pixels those
// four pixels, whatever the brush: the same pixels as Qt's ellipse without its cost, which a
// graph of a million circles pays hundreds of thousands of times a frame. False for any
// other ellipse, which is drawn as one.
bool DrawTinyOutline(QPainter& painter, const IntRect& rect, const SurfacePen& pen,
                     double penWidth) {
    if (pen.style != PenStyle::Solid || penWidth > 1 || rect.Width() != rect.Height() ||
        rect.Width() > 2) {
        return false;
    }
    if (rect.Width() == 2) {
        painter.fillRect(QRect(rect.left, rect.top, 2, 2), ToQColor(pen.color));
    }
    return true;
}

} // namespace

CQtSurface::CQtSurface(QPainter& painter, double penScale)
    : m_painter(painter), m_base(painter.transform()), m_penScale(penScale),
      m_raster(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster),
      m_exactCircles(painter.device() != nullptr && painter.device()->devicePixelRatioF() != 1.0) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    // Hatch gaps in opaque mode show the background colour of a fresh device context.
    m_painter.setBackground(QBrush(Qt::white));
    Apply(State());
}

void CQtSurface::Apply(const SurfaceState& state) {
    const SurfaceState* was = m_applied ? &*m_applied : nullptr;
    if (!was || was->pen != state.pen) {
        m_painter.setPen(ToQPen(state.pen, PenWidth(state.pen)));
    }
    if (!was || was->brush != state.brush) {
        m_painter.setBrush(ToQBrush(state.brush));
    }
    if (!was || was->transparentBackground != state.transparentBackground) {
        m_painter.setBackgroundMode(state.transparentBackground ? Qt::TransparentMode
                                                                : Qt::OpaqueMode);
    }
    if (!was || was->rasterOp != state.rasterOp) {
        bool xorPen = state.rasterOp == RasterOp::XorPen && m_raster;
        m_painter.setCompositionMode(xorPen ? QPainter::RasterOp_SourceXorDestination
                                            : QPainter::CompositionMode_SourceOver);
    }
    if (!was || was->origin != state.origin) {
        m_painter.setTransform(QTransform::fromTranslate(state.origin.x, state.origin.y) * m_base);
    }
    m_applied = state;
}

double CQtSurface::PenWidth(const SurfacePen& pen) const {
    return m_penScale == 1.0 ? pen.width : std::max(1, pen.width) * m_penScale;
}

void CQtSurface::DoEllipse(const IntRect& rect, const SurfaceState& state) {
    if (state.rasterOp == RasterOp::NoOp || rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    // Qt puts a one-pixel outline right of and below its path, so the path runs through the
    // first and last pixel of the rectangle and the ellipse ends at right - 1, bottom - 1.
    // Without a pen the fill alone spans the whole rectangle.
    const bool pen = state.pen.style != PenStyle::Null;
    Apply(state);
    // Only on a bitmap of one device pixel a pixel: a vector device keeps its ellipses.
    if (m_raster && !m_exactCircles && state.rasterOp == RasterOp::CopyPen &&
        DrawTinyOutline(m_painter, rect, state.pen, PenWidth(state.pen))) {
        return;
    }
    DrawEllipse(
        QRectF(rect.left, rect.top, rect.Width() - (pen ? 1 : 0), rect.Height() - (pen ? 1 : 0)),
        state);
}

void CQtSurface::DoCircle(const SurfaceCircle& circle, const SurfaceState& state) {
    if (!m_exactCircles) {
        DoEllipse(circle.rect, state);
        return;
    }
    if (state.rasterOp == RasterOp::NoOp || !(circle.radius > 0)) {
        return;
    }
    // Centred on the middle of the unit the whole-unit ellipse is centred on.
    const double r = circle.radius;
    Apply(state);
    DrawEllipse(QRectF(circle.x + 0.5 - r, circle.y + 0.5 - r, 2 * r, 2 * r), state);
}

void CQtSurface::DrawEllipse(const QRectF& path, const SurfaceState& state) {
    const bool pen = state.pen.style != PenStyle::Null;
    const double width = PenWidth(state.pen);
    if (pen && width > 1 && width >= std::min(path.width(), path.height())) {
        // A pen as wide as the ellipse covers all of its inside, as the pixel-coverage drawing
        // and PostScript show it. Qt's stroker leaves a hole there instead, and nothing at all
        // for widths in the thousands: fill the pen's outer edge in the pen's colour.
        const double half = width / 2;
        m_painter.save();
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(ToQColor(state.pen.color));
        m_painter.drawEllipse(path.adjusted(-half, -half, half, half));
        m_painter.restore();
        return;
    }
    m_painter.drawEllipse(path);
}

void CQtSurface::DoLine(IntPoint from, IntPoint to, const SurfaceState& state) {
    if (state.rasterOp == RasterOp::NoOp) {
        return;
    }
    Apply(state);
    // With a flat cap the end point itself stays undrawn.
    m_painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void CQtSurface::DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) {
    // A plain fill: the raster operation does not apply.
    SurfaceState plain = state;
    plain.rasterOp = RasterOp::CopyPen;
    Apply(plain);
    m_painter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}

void CQtSurface::DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) {
    if (state.rasterOp == RasterOp::NoOp) {
        return;
    }
    Apply(state);
    m_painter.fillRect(QRect(point.x, point.y, 1, 1), ToQColor(color));
}

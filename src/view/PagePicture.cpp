// Printing the document's picture.
#include "view/PagePicture.h"

#include "document/TesselDoc.h"
#include "model/HotSpot.h"
#include "view/QtSurface.h"
#include "view/TesselView.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

constexpr double kPointsPerInch = 72.0;

// The box of the graph and of the disk it is tied to, in document units.
struct Box {
    CDPoint lo;
    CDPoint hi;
};

Box GraphBox(const CTesselDoc& doc, double viewRadius) {
    Box box{CDPoint(-viewRadius, -viewRadius), CDPoint(viewRadius, viewRadius)};
    for (const CCPNode* node : doc.m_nodes.m_array) {
        box.lo = CDPoint(std::min(box.lo.x, node->x), std::min(box.lo.y, node->y));
        box.hi = CDPoint(std::max(box.hi.x, node->x), std::max(box.hi.y, node->y));
    }
    return box;
}

void PaintCircles(CQtSurface& surface, const QRectF& room, const CTesselDoc& doc, double points) {
    // The outer circle's line stays inside the room.
    const double line = std::max(1, doc.m_circles.m_outer.m_thickness) * points;
    const double radius = std::min(room.width(), room.height()) / 2 - line;
    if (radius > 0) {
        doc.m_circles.Draw(surface, radius, DrawPlain);
    }
}

void PaintGraph(CQtSurface& surface, const QRectF& room, const CTesselDoc& doc, double viewRadius,
                double points) {
    // Half a node square and a pixel on every side of the box.
    const double marks = (CHotSpot::m_size + 1) * points;
    const Box box = GraphBox(doc, viewRadius);
    const double width = box.hi.x - box.lo.x;
    const double height = box.hi.y - box.lo.y;
    const double zoom =
        std::min((room.width() - 2 * marks) / width, (room.height() - 2 * marks) / height);
    if (!(zoom > 0) || !std::isfinite(zoom)) {
        return;
    }
    const CDPoint middle = (box.lo + box.hi) * 0.5;
    const CViewTransform view = CViewTransform::ForPicture(zoom, middle * -zoom, points);
    const IntPoint origin = surface.State().origin;
    const IntPoint pan = view.Pan().ToPoint();
    surface.SetOrigin({origin.x + pan.x, origin.y + pan.y});
    // The graph-mode outlines on paper: filled white, not with the screen's background.
    doc.m_circles.Draw(surface, viewRadius * zoom, DrawBack, 0x00FFFFFF);
    surface.SetOrigin(origin);
    doc.m_edges.Draw(surface, view);
    doc.m_nodes.Draw(surface, view);
}

} // namespace

void PaintPage(QPainter& painter, const QRect& page, const CTesselDoc& doc, int mode,
               double viewRadius) {
    const QPaintDevice* device = painter.device();
    const double dpi = device != nullptr && device->logicalDpiX() > 0 ? device->logicalDpiX() : 96;
    const double points = dpi / kPointsPerInch;
    const double margin = kPageMarginPoints * points;
    const QRectF room = QRectF(page).adjusted(margin, margin, -margin, -margin);
    if (room.width() <= 0 || room.height() <= 0) {
        return;
    }
    painter.save();
    CQtSurface surface(painter, points);
    const QPointF centre = room.center();
    surface.SetOrigin({qRound(centre.x()), qRound(centre.y())});
    if (mode == GraphMode) {
        PaintGraph(surface, room, doc, viewRadius, points);
    } else {
        PaintCircles(surface, room, doc, points);
    }
    painter.restore();
}

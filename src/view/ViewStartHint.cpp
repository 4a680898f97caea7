// The hints over the picture's top edge: how to start on a new document, and in circle mode
// that no circles have been computed yet.
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QPainter>

namespace {

constexpr int kHintMargin = 8;  // between the box and the view's edges
constexpr int kHintPadding = 6; // between the box and its text

} // namespace

void CTesselView::ShowStartHint(bool shown) {
    m_startHint = shown;
    update();
}

bool CTesselView::StartHintShown() const {
    // The editor records every edit of the document, so an empty history means none yet; an
    // edit undone still counts, since the user has found out how to start.
    return m_startHint && m_mode == GraphMode && m_document.History().Count() == 0;
}

bool CTesselView::NoCirclesHintShown() const {
    return m_mode == CircleMode && m_document.m_circles.GetCount() == 0;
}

void CTesselView::PaintHints(QPainter& painter) const {
    if (StartHintShown()) {
        PaintHint(painter, ids::kStartHint);
    } else if (NoCirclesHintShown()) {
        PaintHint(painter, ids::kNoCirclesHint);
    }
}

void CTesselView::PaintHint(QPainter& painter, int textId) const {
    const QString text = QString::fromStdString(LoadString(textId));
    const QRect room = rect().adjusted(kHintMargin + kHintPadding, kHintMargin + kHintPadding,
                                       -kHintMargin - kHintPadding, -kHintMargin - kHintPadding);
    if (text.isEmpty() || room.width() <= 0 || room.height() <= 0) {
        return;
    }
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRect bounds = painter.fontMetrics().boundingRect(room, flags, text);
    const QRect box = bounds.adjusted(-kHintPadding, -kHintPadding, kHintPadding, kHintPadding);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(QColor(0xFF, 0xFF, 0xE8, 0xE8));
    painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(room, flags, text);
    painter.restore();
}

// The view's zoom and pan: the wheel, the zoom commands, panning with the middle button,
// with Space held, and with the arrow keys.
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// One wheel notch or one Ctrl+plus.
constexpr double kZoomStep = 1.25;
// A wheel notch as Qt counts it (eighths of a degree).
constexpr double kNotch = 120.0;
constexpr int kPanStepsPerWindow = 8;

} // namespace

void CTesselView::ZoomIn() {
    ZoomAt(QPoint(width() / 2, height() / 2), kZoomStep);
}

void CTesselView::ZoomOut() {
    ZoomAt(QPoint(width() / 2, height() / 2), 1.0 / kZoomStep);
}

void CTesselView::ZoomToFit() {
    m_transform.Reset();
    TransformChanged();
}

void CTesselView::ZoomAt(QPoint client, double factor) {
    m_transform.ZoomAbout(CDPoint(CenterPoint(client)), factor);
    TransformChanged();
}

void CTesselView::PanByStep(int dx, int dy) {
    const double step = std::max(1, std::min(width(), height()) / kPanStepsPerWindow);
    // The picture moves against the arrow, as the window looks further that way.
    m_transform.PanBy(CDPoint(-std::clamp(dx, -1, 1) * step, -std::clamp(dy, -1, 1) * step));
    TransformChanged();
}

void CTesselView::TransformChanged() {
    m_transform.ClampPan(std::max(m_document.m_extentX, m_document.m_extentY));
    InvalidateView(true);
    emit ZoomChanged(m_transform.Zoom());
    emit CommandsChanged();
}

void CTesselView::wheelEvent(QWheelEvent* event) {
    // A drag in progress keeps the picture still under it.
    if (m_captured || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    ZoomAt(event->position().toPoint(), std::pow(kZoomStep, event->angleDelta().y() / kNotch));
    event->accept();
}

bool CTesselView::StartPan(QMouseEvent* event) {
    const bool middle = event->button() == Qt::MiddleButton;
    const bool spaceLeft = event->button() == Qt::LeftButton && m_spaceHeld;
    if (m_captured || m_panning || !(middle || spaceLeft)) {
        return false;
    }
    m_panning = true;
    m_panFrom = event->position().toPoint();
    UpdateCursor();
    return true;
}

void CTesselView::EndPan() {
    m_panning = false;
    UpdateCursor();
}

void CTesselView::UpdateCursor() {
    if (m_panning) {
        setCursor(Qt::ClosedHandCursor);
    } else if (m_spaceHeld) {
        setCursor(Qt::OpenHandCursor);
    } else if (m_moveDrag) {
        setCursor(Qt::ClosedHandCursor);
    } else if (m_moveTool) {
        setCursor(Qt::SizeAllCursor);
    } else {
        unsetCursor();
    }
}

bool CTesselView::OnPanKey(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            m_spaceHeld = true;
            UpdateCursor();
        }
        return true;
    }
    // The arrows pan only while there is somewhere to pan to.
    if (IsZoomed() && event->modifiers() == Qt::NoModifier) {
        const int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
        const int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
        if (dx != 0 || dy != 0) {
            PanByStep(dx, dy);
            return true;
        }
    }
    return false;
}

void CTesselView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_spaceHeld = false;
        UpdateCursor();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void CTesselView::focusOutEvent(QFocusEvent* event) {
    // The release of Space goes elsewhere once the focus has gone.
    m_spaceHeld = false;
    UpdateCursor();
    QWidget::focusOutEvent(event);
}

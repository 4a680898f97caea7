// The view's own keys: Delete acts as a right click at the pointer, Esc cancels a gesture or
// clears the circle selection.
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QKeyEvent>

void CTesselView::keyPressEvent(QKeyEvent* event) {
    if (OnPanKey(event)) {
        return;
    }
    // With a modifier the key belongs to someone else (a shortcut, the window system).
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
        OnDeleteKey();
        break;
    case Qt::Key_Escape:
        OnEscapeKey();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CTesselView::OnDeleteKey() {
    // Not during a drag: the dragged node would be deleted from under the hand.
    if (m_mode != GraphMode || m_captured || !m_pointer) {
        return;
    }
    const CDPoint p = m_transform.ToDocument(CDPoint(CenterPoint(*m_pointer)));
    m_document.ClickDelete(p, m_transform.PixelSize());
    InvalidateView(false);
    emit CommandsChanged();
    // Something else is under the pointer now.
    emit HintChanged(QString::fromStdString(m_document.GetHintText(p, m_transform.PixelSize())));
}

void CTesselView::OnEscapeKey() {
    if (m_panning) {
        EndPan();
        return;
    }
    if (m_moveDrag) {
        CancelMoveDrag();
        return;
    }
    if (m_moveTool) {
        SetMoveTool(false);
        return;
    }
    if (m_captured) {
        CancelGesture();
        return;
    }
    if (m_mode != CircleMode) {
        return;
    }
    ResetGradationMode();
    m_document.m_circles.SelectAll(0, true);
    AnnounceSelectionStyle();
    InvalidateView(false);
    emit CommandsChanged();
}

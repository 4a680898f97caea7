// The view in circle mode: selection, rubber bands, gradations, the selection's style and its
// edits, and the commands of circle mode.
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "document/ViewSettings.h"
#include "view/TesselView.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr QRgb kRubberBandColor = 0x7FBFFF;
constexpr int kRubberBandWidth = 2;
constexpr int kRubberBandEdgeAlpha = 160;

bool TogglesSelection(Qt::KeyboardModifiers keys) {
    return (keys & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
}

} // namespace

CDPoint CTesselView::DiskPoint(IntPoint screen) const {
    return m_transform.ToDocument(CDPoint(screen)) / m_radius;
}

void CTesselView::SetGradationTargets(bool line, bool inner) {
    m_gradationLine = line;
    m_gradationInner = inner;
}

void CTesselView::ResetGradationMode() {
    m_gradationMode = GradNone;
    emit GradationModeChanged(GradNone);
}

void CTesselView::AnnounceSelectionStyle() {
    if (m_mode == GraphMode) {
        emit SelectionStyleUnavailable();
        return;
    }
    CCPCircle style;
    const int flags = m_document.m_circles.GetCommonStyle(style);
    emit SelectionStyleChanged(style, flags);
}

void CTesselView::ApplyStyleToSelection(const CCPCircle& style, int flags) {
    // The circle bar edits one attribute at a time; the step is named after it.
    const int nameId = flags == StyleInnerColor  ? ids::kStepInnerColor
                       : flags == StyleLineColor ? ids::kStepLineColor
                       : flags == StyleLineWidth ? ids::kStepLineWidth
                                                 : ids::kStepPasteCircle;
    ApplyStyle(style, flags, nameId);
}

void CTesselView::ApplyStyle(const CCPCircle& style, int flags, int nameId) {
    m_document.ApplyStyleToSelection(style, flags, nameId);
    InvalidateView(true);
    emit CommandsChanged();
}

void CTesselView::OnCircleClick(IntPoint p, Qt::KeyboardModifiers keys) {
    ResetGradationMode();
    if (m_radius <= 0.0) {
        return;
    }
    const CDPoint q = DiskPoint(p);
    CCPCircleArray& circles = m_document.m_circles;
    if (!TogglesSelection(keys)) {
        circles.SelectAll(0, true);
    }
    if (CCPCircle* hit = circles.HitTest(q, true)) {
        hit->m_selected = TogglesSelection(keys) ? !hit->m_selected : 1;
    }
    AnnounceSelectionStyle();
    InvalidateView(false);
}

void CTesselView::SelectInRect(IntPoint a, IntPoint b, Qt::KeyboardModifiers keys) {
    if (m_radius <= 0.0) {
        return;
    }
    CCPCircleArray& circles = m_document.m_circles;
    if (!TogglesSelection(keys)) {
        circles.SelectAll(0, true);
    }
    circles.ToggleInRect(DiskPoint(a), DiskPoint(b));
    AnnounceSelectionStyle();
    InvalidateView(false);
}

void CTesselView::LayGradation(IntPoint a, IntPoint b) {
    if (m_radius <= 0.0 || a == b) {
        return;
    }
    CGradation request;
    request.startColor = m_settings.GraStartCol;
    request.start = DiskPoint(a);
    request.endColor = m_settings.GraEndCol;
    request.end = DiskPoint(b);
    request.applyLine = m_gradationLine ? 1 : 0;
    request.applyInner = m_gradationInner ? 1 : 0;
    request.kind = m_gradationMode;
    request.snap = m_settings.GraSnap;
    m_document.ApplyGradation(request);
    AnnounceSelectionStyle();
    InvalidateView(true);
    emit CommandsChanged();
}

void CTesselView::DrawRubberBand(IntPoint to) {
    // An empty shape leaves no mark worth showing.
    if (to == m_pressPoint) {
        return;
    }
    const Band band{m_pressPoint, to, m_gradationMode != GradNone};
    const auto shown = std::find(m_bands.begin(), m_bands.end(), band);
    if (shown != m_bands.end()) {
        m_bands.erase(shown);
    } else {
        m_bands.push_back(band);
    }
    // Only the bands change, so the next paint keeps the picture as it is.
    if (!m_bandsOnly) {
        m_bandsOnly = !testAttribute(Qt::WA_PendingUpdate);
    }
    update();
}

void CTesselView::PaintRubberBands(QPainter& painter) const {
    if (m_bands.empty()) {
        return;
    }
    painter.save();
    painter.translate(width() / 2, height() / 2);
    painter.setBrush(Qt::NoBrush);
    // An exclusive-or pen vanishes on the selection's hatch, itself drawn that way: the band
    // is drawn opaque over a dark edge instead, which the next paint of the picture removes
    // just as well.
    const auto draw = [&painter, this](const QPen& pen) {
        painter.setPen(pen);
        for (const Band& band : m_bands) {
            if (band.line) {
                painter.drawLine(band.from.x, band.from.y, band.to.x, band.to.y);
            } else {
                const int left = std::min(band.from.x, band.to.x);
                const int top = std::min(band.from.y, band.to.y);
                painter.drawRect(left, top, std::abs(band.to.x - band.from.x),
                                 std::abs(band.to.y - band.from.y));
            }
        }
    };
    draw(QPen(QColor(0, 0, 0, kRubberBandEdgeAlpha), kRubberBandWidth + 2));
    draw(QPen(QColor(kRubberBandColor), kRubberBandWidth));
    painter.restore();
}

void CTesselView::OnSelectAll() {
    if (m_mode != CircleMode) {
        return;
    }
    m_document.m_circles.SelectAll(1, false);
    AnnounceSelectionStyle();
    InvalidateView(false);
}

void CTesselView::OnSelectInverse() {
    if (m_mode != CircleMode) {
        return;
    }
    m_document.m_circles.InvertSelection();
    AnnounceSelectionStyle();
    InvalidateView(false);
}

void CTesselView::OnCopyCircle() {
    if (m_mode == CircleMode) {
        m_copiedFlags = m_document.m_circles.GetCommonStyle(m_copiedStyle);
    }
}

void CTesselView::OnPasteCircle() {
    if (m_mode == CircleMode) {
        ApplyStyle(m_copiedStyle, m_copiedFlags, ids::kStepPasteCircle);
        // Unlike a style edit handed in, a paste changes the style that was announced.
        AnnounceSelectionStyle();
    }
}

void CTesselView::OnAntialiasing() {
    m_settings.CircleAntialiasing = m_settings.CircleAntialiasing != 0 ? 0 : 1;
    if (m_settings.CircleAntialiasing != 0) {
        CreateAaImage(m_offscreen.size());
    }
    InvalidateView(true);
}

void CTesselView::OnGraphScaleDown() {
    m_document.ScaleDownGraph(m_settings.GraphResizeRate);
    InvalidateView(false);
    emit CommandsChanged();
}

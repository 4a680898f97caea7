// The view: coordinate frames, off-screen painting and the mouse state machine.
#include "view/TesselView.h"

#include "circles/SpanSurface.h"
#include "circles/TinyCircles.h"
#include "document/TesselDoc.h"
#include "document/ViewSettings.h"
#include "model/CPEdge.h"
#include "model/HotSpot.h"
#include "view/BusyCursor.h"
#include "view/QtSurface.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

CTesselView::CTesselView(CTesselDoc& document, CViewSettings& settings, QWidget* parent)
    : QWidget(parent), m_document(document), m_settings(settings) {
    // Painting covers every pixel, so nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A click takes the keys from the circle bar's width box, which keeps its editing keys
    // (Ctrl+A, Ctrl+C, Ctrl+V...) while it has them, so that they reach the commands again.
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
}

CTesselView::~CTesselView() {
    m_document.SetViewRadius(std::nullopt);
}

double CTesselView::DrawingRadius(int width, int height, int margin) {
    const double radius = std::min(width, height) * 0.5 - margin;
    return radius < 0.0 ? 0.0 : radius;
}

IntPoint CTesselView::CenterPoint(QPoint client) const {
    return {client.x() - width() / 2, client.y() - height() / 2};
}

CDPoint CTesselView::DocumentPoint(QPoint client) const {
    return m_transform.ToDocument(CDPoint(CenterPoint(client)));
}

void CTesselView::UpdateRadius() {
    m_radius = DrawingRadius(width(), height(), m_settings.Margin);
    m_document.SetViewRadius(m_radius);
    m_document.SetViewMargin(m_settings.Margin);
}

void CTesselView::OnInitialUpdate() {
    m_document.SetGraphExtent(width() * 0.5, height() * 0.5);
    m_transform.Reset();
    emit ZoomChanged(m_transform.Zoom());
    // The circle bar showed the last document's selection, which is gone.
    AnnounceSelectionStyle();
    InvalidateView(true);
}

void CTesselView::InvalidateView(bool markDirty) {
    m_bandsOnly = false;
    if (markDirty) {
        m_aaDirty = true;
    }
    update();
}

void CTesselView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    OnSize();
}

QImage CTesselView::MakeOffscreen() const {
    // As many pixels as the screen has under the window, so that a screen of more than one
    // device pixel per pixel shows the picture sharp instead of scaled up.
    const qreal ratio = devicePixelRatioF();
    QImage image(qRound(width() * ratio), qRound(height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

void CTesselView::OnSize() {
    if (m_documentBusy) {
        m_sizePending = true;
        update();
        return;
    }
    m_offscreen = MakeOffscreen();
    UpdateRadius();
    m_document.SetGraphExtent(width() * 0.5, height() * 0.5);
    if (m_settings.CircleAntialiasing != 0) {
        CreateAaImage(m_offscreen.size());
    }
    InvalidateView(true);
}

void CTesselView::CreateAaImage(QSize pixels) {
    m_aaImage.Create(pixels.width(), pixels.height());
    m_aaDirty = true;
}

void CTesselView::SetMode(int mode) {
    m_mode = mode;
    m_document.m_circles.SelectAll(0, true);
    ResetGradationMode();
    AnnounceSelectionStyle();
    InvalidateView(true);
}

void CTesselView::CancelGesture() {
    if (m_moveDrag) {
        CancelMoveDrag();
        return;
    }
    if (!m_captured) {
        return;
    }
    m_captured = false;
    if (m_dragNode != nullptr) {
        *m_dragNode = m_dragFrom;
        m_dragNode = nullptr;
    }
    m_bands.clear();
    InvalidateView(false);
}

void CTesselView::OnDocumentRestored() {
    AnnounceSelectionStyle();
    InvalidateView(true);
    emit CommandsChanged();
}

bool CTesselView::CanRunPacking() const {
    return m_document.m_nodes.AllConnected();
}

// Painting -------------------------------------------------------------------------------

void CTesselView::SetDocumentBusy(bool busy) {
    m_documentBusy = busy;
    if (!busy && m_sizePending) {
        m_sizePending = false;
        OnSize();
    }
}

void CTesselView::paintEvent(QPaintEvent*) {
    if (m_documentBusy) {
        // The last picture, and the background where the window has grown since.
        QPainter window(this);
        window.fillRect(rect(), ToQColor(m_settings.BGColor));
        window.drawImage(0, 0, m_offscreen);
        return;
    }
    if (m_offscreen.deviceIndependentSize() != QSizeF(size()) ||
        m_offscreen.devicePixelRatio() != devicePixelRatioF()) {
        m_offscreen = MakeOffscreen();
        m_bandsOnly = false;
    }
    // A repaint of the picture removes the rubber bands; moving a band only redraws them.
    if (!m_bandsOnly) {
        m_bands.clear();
        Paint(m_offscreen);
    }
    m_bandsOnly = false;
    QPainter window(this);
    window.drawImage(0, 0, m_offscreen);
    PaintRubberBands(window);
    PaintHints(window);
}

void CTesselView::Paint(QImage& target) {
    if (m_moveDrag && m_mode == CircleMode && target.format() == QImage::Format_RGB32) {
        PaintDragFrame(target);
        return;
    }
    // In pixels of the window; the painter maps them onto the image's device pixels.
    const QSize logical = target.deviceIndependentSize().toSize();
    const int w = logical.width();
    const int h = logical.height();
    if (DrawsGraphInRuns(target)) {
        CSpanSurface surface(reinterpret_cast<std::uint32_t*>(target.bits()), w, h,
                             target.bytesPerLine() / 4);
        surface.FillRect({0, 0, w, h}, m_settings.BGColor);
        DrawPicture(surface, w, h, DrawBack);
        return;
    }
    QPainter painter(&target);
    CQtSurface surface(painter);
    surface.FillRect({0, 0, w, h}, m_settings.BGColor);
    const bool antialiased =
        m_mode == CircleMode && (m_settings.CircleAntialiasing != 0 || ShowsCoverage(target));
    if (antialiased) {
        PaintAaImage(painter, target);
    }
    const DrawMode drawMode = m_mode == GraphMode ? DrawBack
                              : antialiased       ? DrawSelection
                                                  : DrawNormal;
    DrawPicture(surface, w, h, drawMode);
}

bool CTesselView::DrawsGraphInRuns(const QImage& target) const {
    // Wide edges need the painter's wide lines; a high-density screen keeps the painter's
    // scaling of the squares.
    return m_mode == GraphMode && m_document.m_nodes.m_array.size() >= kDenseGraph &&
           target.format() == QImage::Format_RGB32 && target.devicePixelRatio() == 1.0 &&
           CCPEdge::m_thickness <= 1;
}

void CTesselView::DrawPicture(CDrawSurface& surface, int w, int h, DrawMode drawMode) const {
    surface.SetVisibleArea({0, 0, w, h});
    const IntPoint oldOrigin = surface.State().origin;
    const IntPoint centre{w / 2, h / 2};
    const IntPoint pan = m_transform.Pan().ToPoint();
    surface.SetOrigin({centre.x + pan.x, centre.y + pan.y});
    m_document.m_circles.Draw(surface, m_radius * m_transform.Zoom(), drawMode, m_settings.BGColor);
    if (m_mode == GraphMode) {
        // The nodes and edges take the whole transform themselves, so that their squares and
        // lines keep their size on screen.
        CViewTransform view = m_transform;
        view.SetWindow(w * 0.5, h * 0.5);
        surface.SetOrigin(centre);
        m_document.m_edges.Draw(surface, view);
        DrawNodes(surface, view, w, h);
    }
    surface.SetOrigin(oldOrigin);
}

void CTesselView::PaintDragFrame(QImage& target) const {
    // In device pixels throughout, as the antialiasing image is.
    const double ratio = target.devicePixelRatio();
    const int w = target.width();
    const int h = target.height();
    CSpanSurface surface(reinterpret_cast<std::uint32_t*>(target.bits()), w, h,
                         target.bytesPerLine() / 4, ratio);
    surface.FillRect({0, 0, w, h}, m_settings.BGColor);
    surface.SetVisibleArea({0, 0, w, h});
    const QSize logical = target.deviceIndependentSize().toSize();
    const CDPoint pan = m_transform.Pan();
    surface.SetOrigin({qRound((logical.width() / 2 + pan.x) * ratio),
                       qRound((logical.height() / 2 + pan.y) * ratio)});
    const double scale = m_radius * m_transform.Zoom() * ratio;
    m_document.m_circles.Draw(surface, scale, DrawNormal, m_settings.BGColor);
    // The surface leaves out circles below a pixel across; they shade their pixels instead.
    const IntPoint origin = surface.State().origin;
    BlendTinyCircles(m_document.m_circles,
                     {target.bits(), target.bytesPerLine(), target.width(), target.height(), 4},
                     origin.x, origin.y, scale, ratio);
}

void CTesselView::DrawNodes(CDrawSurface& surface, const CViewTransform& view, int w, int h) const {
    const std::vector<CCPNode*>& nodes = m_document.m_nodes.m_array;
    // Far below a pixel apart, many nodes' squares fall on the same pixels: a square that a
    // later node's square covers exactly (the same corner) would not show, and is left out.
    // Small graphs are drawn whole.
    if (nodes.size() < kDenseGraph || w <= 0 || h <= 0) {
        m_document.m_nodes.Draw(surface, view);
        return;
    }
    const double half = CHotSpot::m_size * view.MarkScale();
    const auto cellOf = [&](const CCPNode* node) -> std::ptrdiff_t {
        const CDPoint screen = view.ToScreen(*node);
        const IntPoint corner = CDPoint(screen.x - half, screen.y - half).ToPoint();
        const long long x = corner.x + w / 2;
        const long long y = corner.y + h / 2;
        return x >= 0 && x < w && y >= 0 && y < h ? std::ptrdiff_t(y * w + x) : -1;
    };
    std::vector<std::int32_t> lastAt(std::size_t(w) * std::size_t(h), -1);
    std::vector<std::ptrdiff_t> cells(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        cells[i] = cellOf(nodes[i]);
        if (cells[i] >= 0) {
            lastAt[std::size_t(cells[i])] = std::int32_t(i);
        }
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::ptrdiff_t cell = cells[i];
        if (cell < 0 || lastAt[std::size_t(cell)] == std::int32_t(i)) {
            nodes[i]->Draw(surface, view);
        }
    }
}

bool CTesselView::ShowsCoverage(const QImage& target) const {
    // Circles a pixel or two across cannot be drawn as outlines: they vanish below a pixel,
    // and their lines merge into black above it. When many of them show, the picture is what
    // the antialiased export makes of them, the pixels' coverage.
    constexpr double kSmallest = 3.0; // device pixels across
    const CCPCircleArray& circles = m_document.m_circles;
    const double scale = m_radius * m_transform.Zoom() * target.devicePixelRatio();
    const double limit = kSmallest / (2.0 * scale);
    std::size_t small = 0;
    for (const CCPCircle* circle : circles.m_list) {
        small += circle->m_euclidRadius < limit;
    }
    return small > 0 && small >= circles.m_list.size() / 10;
}

void CTesselView::PaintAaImage(QPainter& painter, const QImage& target) {
    if (!m_aaImage.HasBitmap() || m_aaImage.Width() != target.width() ||
        m_aaImage.Height() != target.height()) {
        CreateAaImage(target.size());
    }
    m_aaImage.SetOutsideColor(m_settings.BGColor);
    const double ratio = target.devicePixelRatio();
    if (m_aaDirty) {
        // In device pixels throughout: the centre, the pan, the scale and the line widths.
        const QSize logical = target.deviceIndependentSize().toSize();
        const CDPoint pan = m_transform.Pan();
        m_aaImage.SetOrigin(qRound((logical.width() / 2 + pan.x) * ratio),
                            qRound((logical.height() / 2 + pan.y) * ratio));
        // A fraction of a second for a million circles, more on a large zoomed window.
        const CBusyCursor busy;
        const double scale = m_radius * m_transform.Zoom() * ratio;
        // The antialiasing setting matches the export exactly; the coverage shown on its own
        // blends the circles below a pixel cheaply, most of a million of them.
        const bool exact = m_settings.CircleAntialiasing != 0;
        m_document.m_circles.DrawAntialiased(
            m_aaImage, scale, m_settings.BGColor, CCPCircleArray::OuterFill::Filled, ratio,
            exact ? CCPCircleArray::Sizes::All : CCPCircleArray::Sizes::AbovePixel);
        if (!exact) {
            BlendTinyCircles(m_document.m_circles,
                             {m_aaImage.Row(0), -std::ptrdiff_t(m_aaImage.Stride()),
                              m_aaImage.Width(), m_aaImage.Height(), 3},
                             m_aaImage.OriginX(), m_aaImage.OriginY(), scale, ratio);
        }
        m_aaDirty = false;
    }
    QImage image(m_aaImage.Width(), m_aaImage.Height(), QImage::Format_BGR888);
    for (int y = 0; y < m_aaImage.Height(); ++y) {
        std::copy_n(m_aaImage.Row(y), m_aaImage.Width() * 3, image.scanLine(y));
    }
    image.setDevicePixelRatio(ratio);
    painter.drawImage(0, 0, image);
}

// Mouse ----------------------------------------------------------------------------------

void CTesselView::mousePressEvent(QMouseEvent* event) {
    m_pointer = event->position().toPoint();
    if (StartPan(event)) {
        return;
    }
    // In the move tool a left press never edits, whether or not there is a packing to move.
    if (m_moveTool && event->button() == Qt::LeftButton) {
        StartMoveDrag(event);
        return;
    }
    const IntPoint p = CenterPoint(*m_pointer);
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(p);
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown();
    }
}

void CTesselView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_panning) {
        if ((event->buttons() & (Qt::LeftButton | Qt::MiddleButton)) == 0) {
            EndPan();
        }
        return;
    }
    if (m_moveDrag) {
        if (event->button() == Qt::LeftButton) {
            FinishMoveDrag();
        }
        return;
    }
    const IntPoint p = CenterPoint(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        OnLButtonUp(p, event->modifiers());
    } else if (event->button() == Qt::RightButton) {
        OnRButtonUp(p);
    }
}

void CTesselView::mouseMoveEvent(QMouseEvent* event) {
    m_pointer = event->position().toPoint();
    if (m_radius > 0.0) {
        const CDPoint disk = DiskPoint(CenterPoint(*m_pointer));
        emit PointerMoved(true, disk.x, disk.y);
    }
    if (m_panning) {
        m_transform.PanBy(CDPoint(m_pointer->x() - m_panFrom.x(), m_pointer->y() - m_panFrom.y()));
        m_panFrom = *m_pointer;
        TransformChanged();
        return;
    }
    if (m_moveDrag) {
        DragMove(*m_pointer);
        return;
    }
    OnMouseMove(*m_pointer, (event->buttons() & Qt::LeftButton) != 0);
}

void CTesselView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    m_pointer.reset();
    emit PointerMoved(false, 0.0, 0.0);
}

void CTesselView::OnLButtonDown(IntPoint p) {
    m_moved = false;
    m_captured = true;
    m_dragNode = m_mode == GraphMode
                     ? m_document.m_nodes.HitTest(m_transform.ToDocument(CDPoint(p)),
                                                  m_transform.PixelSize())
                     : nullptr;
    if (m_dragNode != nullptr) {
        m_dragFrom = *m_dragNode;
    }
    m_pressPoint = p;
    m_lastPoint = p;
}

CDPoint CTesselView::ClampedDocumentPoint(IntPoint screen) const {
    CDPoint p = m_transform.ToDocument(CDPoint(screen));
    m_document.ClampToExtent(p);
    return p;
}

IntPoint CTesselView::ClampedScreenPoint(IntPoint screen) const {
    return m_transform.ToScreen(ClampedDocumentPoint(screen)).ToPoint();
}

void CTesselView::OnMouseMove(QPoint client, bool leftHeld) {
    m_moved = true;
    IntPoint p = CenterPoint(client);
    if (m_mode != GraphMode) {
        if (leftHeld && m_captured) {
            p = ClampedScreenPoint(p);
            DrawRubberBand(m_lastPoint);
            DrawRubberBand(p);
            m_lastPoint = p;
        }
        return;
    }
    if (leftHeld && m_captured) {
        if (m_dragNode != nullptr) {
            m_dragNode->Set(ClampedDocumentPoint(p));
            InvalidateView(false);
        }
        return;
    }
    emit HintChanged(QString::fromStdString(
        m_document.GetHintText(m_transform.ToDocument(CDPoint(p)), m_transform.PixelSize())));
}

void CTesselView::OnLButtonUp(IntPoint p, Qt::KeyboardModifiers keys) {
    if (m_captured) {
        m_captured = false;
        if (m_mode != GraphMode) {
            if (!m_moved) {
                OnCircleClick(p, keys);
            } else {
                p = ClampedScreenPoint(p);
                DrawRubberBand(m_lastPoint);
                if (m_gradationMode == GradNone) {
                    SelectInRect(m_pressPoint, p, keys);
                } else {
                    LayGradation(m_pressPoint, p);
                }
            }
        } else {
            if (!m_moved) {
                m_document.ClickAdd(m_transform.ToDocument(CDPoint(p)), m_transform.PixelSize());
                InvalidateView(false);
            } else if (m_dragNode != nullptr) {
                m_dragNode->Set(ClampedDocumentPoint(p));
                m_document.RecordNodeMove(m_dragNode, m_dragFrom);
                InvalidateView(true);
            }
        }
    }
    m_dragNode = nullptr;
    emit CommandsChanged();
}

void CTesselView::OnRButtonDown() {
    m_moved = false;
    m_captured = true;
    if (m_mode == CircleMode) {
        ResetGradationMode();
    }
}

void CTesselView::OnRButtonUp(IntPoint p) {
    if (!m_captured) {
        return;
    }
    m_captured = false;
    if (m_mode == GraphMode && !m_moved) {
        m_document.ClickDelete(m_transform.ToDocument(CDPoint(p)), m_transform.PixelSize());
        InvalidateView(false);
    }
    emit CommandsChanged();
}

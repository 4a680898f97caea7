// CTesselView: the one view of the document. It maps the window onto the graph and the
// disk, paints through an off-screen image and turns mouse gestures into document edits;
// what the rest of the window should show it announces through signals.
#pragma once

#include "circles/CPCircle.h"
#include "circles/DibBuffer.h"
#include "geometry/IntGeometry.h"
#include "geometry/ViewTransform.h"

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

class CCPNode;
class CDrawSurface;
class CTesselDoc;
struct CViewSettings;

enum ViewMode { GraphMode = 1, CircleMode = 2 };
constexpr int GradNone = 0;

class CTesselView : public QWidget {
    Q_OBJECT

public:
    CTesselView(CTesselDoc& document, CViewSettings& settings, QWidget* parent = nullptr);
    ~CTesselView() override;

    CTesselDoc& Document() const { return m_document; }
    double Radius() const { return m_radius; }
    int Mode() const { return m_mode; }
    bool AaDirty() const { return m_aaDirty; }

    // Half the smaller client side less the margin, never negative.
    static double DrawingRadius(int width, int height, int margin);
    // A client point in the centred frame: the client size is halved towards zero.
    IntPoint CenterPoint(QPoint client) const;
    // The document point shown at a client point.
    CDPoint DocumentPoint(QPoint client) const;

    // Zoom and pan (src/view/ViewZoom.cpp): a view transform only; the document, the exports
    // and printing never see it. Hit squares and bands keep their size on screen.
    const CViewTransform& Transform() const { return m_transform; }
    bool IsZoomed() const { return !m_transform.IsIdentity(); }
    bool CanZoomIn() const { return m_transform.Zoom() < CViewTransform::kMaxZoom; }
    bool CanZoomOut() const { return m_transform.Zoom() > CViewTransform::kMinZoom; }
    // One zoom step about the window's centre.
    void ZoomIn();
    void ZoomOut();
    // The whole disk in the window again, as a document opens.
    void ZoomToFit();
    // Zooms by factor about a client point, which keeps showing the same document point.
    void ZoomAt(QPoint client, double factor);
    // Pans by a step (an eighth of the window) in the direction of (dx, dy), each -1, 0 or 1:
    // for the arrow keys.
    void PanByStep(int dx, int dy);

    // Follows the client size: off-screen image, drawing radius, graph extent, antialiasing
    // image, repaint. The window system's size changes come here; the application calls it
    // once before the window is first shown.
    void OnSize();
    // Fits the graph to the window when a document is shown.
    void OnInitialUpdate();
    // Asks for a repaint without erasing; markDirty says the circles may have changed.
    void InvalidateView(bool markDirty);
    // Recomputes the drawing radius from the client size and the margin.
    void UpdateRadius();
    // The Graph and Circle commands: the mode, no selection, selection dragging.
    void SetMode(int mode);
    // Ends a drag or rubber band without its effect: a dragged node goes back to where the
    // press found it. Before the document changes under the view (undo, redo).
    void CancelGesture();
    // The document was taken back or forth under the view: repaint everything and announce
    // the selection's style and the commands.
    void OnDocumentRestored();

    // The first-run hint (src/view/ViewStartHint.cpp): a few lines over the picture on a new
    // document saying how to start. Shown in graph mode until the first edit of the document.
    void ShowStartHint(bool shown);
    bool StartHintShown() const;
    // Circle mode before any packing: a line saying how to compute the circles.
    bool NoCirclesHintShown() const;

    // Circle mode (src/view/ViewCircleMode.cpp, as are the private members that select,
    // lay gradations and draw rubber bands).
    //
    // The gradation kind the next circle-mode drag lays (GradNone: the drag selects), and
    // which colours it sets. Its colours are the settings' GraStartCol and GraEndCol.
    int GradationMode() const { return m_gradationMode; }
    void SetGradationMode(int mode) { m_gradationMode = mode; }
    void SetGradationTargets(bool line, bool inner);
    // Announces the selection's common style (circle mode) or that there is none to edit
    // (graph mode).
    void AnnounceSelectionStyle();
    // Gives the selected circles the attributes of `style` that `flags` names.
    void ApplyStyleToSelection(const CCPCircle& style, int flags);
    // The Edit and View commands of circle mode; the four selection and style commands do
    // nothing outside circle mode, whatever reached them.
    void OnSelectAll();
    void OnSelectInverse();
    void OnCopyCircle();
    void OnPasteCircle();
    int CopiedFlags() const { return m_copiedFlags; }
    void OnAntialiasing();
    void OnGraphScaleDown();
    // The rubber-band shapes shown over the picture (each drawn an odd number of times).
    int RubberBandCount() const { return static_cast<int>(m_bands.size()); }

    bool CanRunPacking() const;

    // Hyperbolic moves (src/view/ViewMoveTool.cpp).
    //
    // The Move Packing tool: a left drag moves the packing by an isometry of the disk that
    // keeps the grabbed point under the pointer, Shift+drag turns it about the middle; each
    // drag is one undo step, Esc during it puts the packing back. The middle button and
    // Space+drag still pan. Esc outside a drag, or the command again, leaves the tool.
    void SetMoveTool(bool on);
    bool IsMoveTool() const { return m_moveTool; }
    // Centre on Circle: the hyperbolic centre of the one selected circle to the middle.
    bool CanCentreOnCircle() const;
    void OnCentreOnCircle();

    // Paints the whole client area into the image (of the client size) as the window shows it.
    void Paint(QImage& target);

    // While work on a worker thread reads or writes the document, the view keeps away from
    // it: paints show the last picture and a size change waits until the work has finished.
    void SetDocumentBusy(bool busy);
    bool IsDocumentBusy() const { return m_documentBusy; }

signals:
    // The document or the mode changed in a way that may enable, disable or check commands.
    void CommandsChanged();
    // What the buttons would do at the pointer, for the status bar; empty over nothing.
    void HintChanged(const QString& text);
    // The selection's common style: `flags` holds StyleAnySelected and one bit per attribute
    // on which the selected circles agree.
    void SelectionStyleChanged(const CCPCircle& style, int flags);
    // Graph mode: there is no selection whose style could be edited.
    void SelectionStyleUnavailable();
    // The view ended the gradation mode itself (a click, a right press, a mode change).
    void GradationModeChanged(int mode);
    // The pointer's place in the unit disk's frame (the circles' frame, y downwards), or
    // `inside` false once it has left the view.
    void PointerMoved(bool inside, double x, double y);
    // The zoom factor changed (1 shows the whole disk).
    void ZoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Circle mode: Centre on Circle for the circle under the pointer.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Space and the arrows pan (src/view/ViewZoom.cpp); Delete and Esc edit
    // (src/view/ViewKeys.cpp).
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // A middle press, or a left press with Space held, starts panning; false otherwise.
    bool StartPan(QMouseEvent* event);
    // Space and the arrow keys; false for any other key.
    bool OnPanKey(QKeyEvent* event);
    void EndPan();
    // The transform changed: keep the picture in reach and repaint everything.
    void TransformChanged();
    void UpdateCursor();
    // The move tool's drag: false when the press does not start one.
    bool StartMoveDrag(QMouseEvent* event);
    void DragMove(QPoint client);
    void FinishMoveDrag();
    void CancelMoveDrag();
    // The node of the one selected circle in circle mode, or nullptr.
    const CCPNode* SelectedCircleNode() const;
    void CentreOn(const CCPNode* node);

    // A screen point (centred frame) as a document point pulled into the graph area, and that
    // point back on the screen.
    CDPoint ClampedDocumentPoint(IntPoint screen) const;
    IntPoint ClampedScreenPoint(IntPoint screen) const;
    // A screen point as a point of the unit disk; the drawing radius must be positive.
    CDPoint DiskPoint(IntPoint screen) const;

    void OnLButtonDown(IntPoint p);
    void OnLButtonUp(IntPoint p, Qt::KeyboardModifiers keys);
    void OnMouseMove(QPoint client, bool leftHeld);
    void OnRButtonDown();
    void OnRButtonUp(IntPoint p);
    void OnCircleClick(IntPoint p, Qt::KeyboardModifiers keys);
    void SelectInRect(IntPoint a, IntPoint b, Qt::KeyboardModifiers keys);
    void LayGradation(IntPoint a, IntPoint b);
    void ResetGradationMode();
    void ApplyStyle(const CCPCircle& style, int flags, int nameId);
    // Drawing a shape that is shown removes it, as an exclusive-or pen would.
    void DrawRubberBand(IntPoint to);
    void PaintRubberBands(QPainter& painter) const;
    // While the move tool's drag is under way: the circles with their own style and the
    // selection's hatch, aliased and drawn straight into the image's pixels, so that the
    // picture follows the pointer; the release paints the full picture again.
    void PaintDragFrame(QImage& target) const;
    // The whole picture but the background and the antialiasing image, on a w x h window.
    void DrawPicture(CDrawSurface& surface, int w, int h, DrawMode drawMode) const;
    // Graph mode on a dense graph: the picture is drawn straight into the image's pixels, a
    // row's run at a time, as the painter's curves and lines would cost most of a second on a
    // million nodes. Small graphs keep the painter's pixels.
    bool DrawsGraphInRuns(const QImage& target) const;
    static constexpr std::size_t kDenseGraph = 4096;
    // The off-screen image at the screen's device pixel ratio.
    QImage MakeOffscreen() const;
    // The nodes as CCPNodeArray::Draw draws them on a w x h window, without the squares that
    // later squares cover exactly.
    void DrawNodes(CDrawSurface& surface, const CViewTransform& view, int w, int h) const;
    // Whether circle mode shows the circles' pixel coverage (as the antialiased export would)
    // even with antialiasing off, because a tenth of them or more are too small to be drawn
    // as outlines on the target.
    bool ShowsCoverage(const QImage& target) const;
    // An antialiasing image of that many device pixels, to be drawn.
    void CreateAaImage(QSize pixels);
    void PaintAaImage(QPainter& painter, const QImage& target);
    void PaintHints(QPainter& painter) const;
    // A box with the string's text over the picture's top edge.
    void PaintHint(QPainter& painter, int textId) const;
    // Graph mode: what a right click at the pointer would delete. Circle mode: no selection
    // and no gradation mode.
    void OnDeleteKey();
    void OnEscapeKey();

    CTesselDoc& m_document;
    CViewSettings& m_settings;
    CViewTransform m_transform;
    bool m_spaceHeld = false;
    bool m_panning = false;
    QPoint m_panFrom; // client point of the last pan step
    int m_gradationMode = GradNone;
    double m_radius = 0.0;
    int m_mode = GraphMode;
    CDibBuffer m_aaImage;
    bool m_aaDirty = true;
    IntPoint m_pressPoint;
    int m_copiedFlags = 0;
    CCPCircle m_copiedStyle;
    CCPNode* m_dragNode = nullptr;
    CDPoint m_dragFrom; // where the dragged node stood at the press
    bool m_moved = false;
    IntPoint m_lastPoint;
    QImage m_offscreen;
    bool m_captured = false;         // a button went down here and has not come up
    std::optional<QPoint> m_pointer; // the client point under the pointer, while it is here
    bool m_startHint = false;
    bool m_gradationLine = true;  // a gradation sets the line colours
    bool m_gradationInner = true; // a gradation sets the inner colours
    struct Band {
        IntPoint from;
        IntPoint to;
        bool line = false;
        bool operator==(const Band&) const = default;
    };
    std::vector<Band> m_bands;
    bool m_bandsOnly = false; // the pending repaint only changes rubber bands
    bool m_documentBusy = false;
    bool m_sizePending = false; // the size changed while the document was busy
    bool m_moveTool = false;
    bool m_moveDrag = false;  // a drag of the move tool is under way
    bool m_moveTurns = false; // it turns the packing about the middle (Shift at the press)
    CDPoint m_moveGrab;       // the disk point grabbed at the press
};

// The view with real mouse events: clicks, drags, right clicks, hints and painting.
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "document/ViewSettings.h"
#include "view/QtSurface.h"
#include "view/TesselView.h"

#include <QPainter>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

namespace {

// The client point of a model point (the centred frame shifted by half the client size).
QPoint ClientOf(const CTesselView& view, double x, double y) {
    return QPoint(int(std::lround(x)) + view.width() / 2, int(std::lround(y)) + view.height() / 2);
}

QPoint ClientOf(const CTesselView& view, const CCPNode* node) {
    return ClientOf(view, node->x, node->y);
}

QPoint Midpoint(const CTesselView& view, const CCPNode* a, const CCPNode* b) {
    return ClientOf(view, (a->x + b->x) / 2, (a->y + b->y) / 2);
}

QRgb ToRgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

class TestView : public QObject, protected CEditorTest {
    Q_OBJECT

private slots:
    void init() { QVERIFY(StartEditor()); }

    void cleanup() { CloseEditor(); }

    void newWindowShowsTheStartingTriangle() {
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
        QCOMPARE(Doc().m_edges.GetSize(), 3);
        QVERIFY(View().Radius() > 0);
        // The triangle is sized by the drawing radius: P lies at (0, -radius / 3).
        QCOMPARE(Doc().m_nodes.GetAt(0)->y, -View().Radius() / 3);
        QImage image(View().size(), QImage::Format_RGB32);
        View().Paint(image);
        const QPoint p = ClientOf(View(), Doc().m_nodes.GetAt(0));
        QCOMPARE(image.pixel(p), ToRgb(CCPNode::m_notConnectColor));
    }

    void clickOnAnEdgeGrowsAndOnANodeConnects() {
        CCPNode* p = Doc().m_nodes.GetAt(0);
        CCPNode* q = Doc().m_nodes.GetAt(1);
        QTest::mouseClick(&View(), Qt::LeftButton, {}, Midpoint(View(), p, q));
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
        QCOMPARE(Doc().m_edges.GetSize(), 5);
        QVERIFY(Doc().IsModified());
        // The same edge is now interior: a second click grows nothing.
        QTest::mouseClick(&View(), Qt::LeftButton, {}, Midpoint(View(), p, q));
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
        // P has three edges now, its outer neighbours apart: a click closes its fan.
        QTest::mouseClick(&View(), Qt::LeftButton, {}, ClientOf(View(), p));
        QCOMPARE(p->m_kind, int(Inner));
        QVERIFY(m_app->m_pMainFrame->Action(cmd::kCirclePacking)->isEnabled());
        QCOMPARE(Doc().m_edges.GetSize(), 6);
        for (int i = 1; i < 4; ++i) {
            QCOMPARE(Doc().m_nodes.GetAt(i)->m_kind, int(Outer));
        }
    }

    void dragMovesANodeAndClampsIt() {
        CCPNode* p = Doc().m_nodes.GetAt(0);
        const bool modified = Doc().IsModified();
        Doc().SetModifiedFlag(false);
        QTest::mousePress(&View(), Qt::LeftButton, {}, ClientOf(View(), p));
        QTest::mouseMove(&View(), ClientOf(View(), 20, 30));
        QCOMPARE(p->x, 20.0);
        QCOMPARE(p->y, 30.0);
        // Far outside the window the node stops at the border of the graph area.
        QTest::mouseMove(&View(), QPoint(View().width() * 3, -View().height() * 2));
        QTest::mouseRelease(&View(), Qt::LeftButton, {},
                            QPoint(View().width() * 3, -View().height() * 2));
        QCOMPARE(p->x, std::round(Doc().m_extentX));
        QCOMPARE(p->y, -std::round(Doc().m_extentY));
        QVERIFY(Doc().IsModified()); // a moved node is a change to save
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
        Doc().SetModifiedFlag(modified);
    }

    void dragFromEmptySpaceChangesNothing() {
        const double x = Doc().m_nodes.GetAt(0)->x;
        QTest::mousePress(&View(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(&View(), QPoint(40, 40));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
        QCOMPARE(Doc().m_nodes.GetAt(0)->x, x);
    }

    void rightClickDeletesAndADraggedRightClickDoesNot() {
        CCPNode* p = Doc().m_nodes.GetAt(0);
        CCPNode* q = Doc().m_nodes.GetAt(1);
        QTest::mouseClick(&View(), Qt::LeftButton, {}, Midpoint(View(), p, q));
        CCPNode* grown = Doc().m_nodes.GetAt(3);
        const QPoint at = ClientOf(View(), grown);
        QTest::mousePress(&View(), Qt::RightButton, {}, at);
        QTest::mouseMove(&View(), at + QPoint(1, 0));
        QTest::mouseRelease(&View(), Qt::RightButton, {}, at + QPoint(1, 0));
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
        QTest::mouseClick(&View(), Qt::RightButton, {}, at);
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
        // A node of the starting triangle is never deleted.
        QTest::mouseClick(&View(), Qt::RightButton, {}, ClientOf(View(), p));
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
    }

    void statusBarShowsTheHints() {
        CMainFrame& frame = *m_app->m_pMainFrame;
        CCPNode* p = Doc().m_nodes.GetAt(0);
        CCPNode* q = Doc().m_nodes.GetAt(1);
        QTest::mouseMove(&View(), ClientOf(View(), p));
        QCOMPARE(frame.StatusText(), QStringLiteral("L-Drag:Move"));
        QTest::mouseMove(&View(), Midpoint(View(), p, q));
        QCOMPARE(frame.StatusText(), QStringLiteral("L-Click:Create A Node"));
        QTest::mouseClick(&View(), Qt::LeftButton, {}, Midpoint(View(), p, q));
        QTest::mouseMove(&View(), ClientOf(View(), p) + QPoint(1, 1));
        QCOMPARE(frame.StatusText(), QStringLiteral("L-Drag:Move/L-Click:Create Edges"));
        QTest::mouseMove(&View(), ClientOf(View(), Doc().m_nodes.GetAt(3)));
        QCOMPARE(frame.StatusText(), QStringLiteral("L-Drag:Move/R-Click:Delete This Node"));
        QTest::mouseMove(&View(), QPoint(2, 2));
        QCOMPARE(frame.StatusText(), QString());
    }

    void resizingStretchesTheGraph() {
        CMainFrame& frame = *m_app->m_pMainFrame;
        CCPNode* q = Doc().m_nodes.GetAt(1);
        const double x = q->x;
        const double y = q->y;
        const int w = View().width();
        const int h = View().height();
        frame.resize(frame.width() + w, frame.height());
        QTRY_COMPARE(View().width(), 2 * w);
        QCOMPARE(View().height(), h);
        QCOMPARE(q->x, x * (2 * w * 0.5) / (w * 0.5));
        QCOMPARE(q->y, y);
        QCOMPARE(View().Radius(), CTesselView::DrawingRadius(2 * w, h, 10));
    }

    void radiusAndCentredFrame() {
        QCOMPARE(CTesselView::DrawingRadius(300, 200, 10), 90.0);
        QCOMPARE(CTesselView::DrawingRadius(301, 201, 10), 90.5);
        QCOMPARE(CTesselView::DrawingRadius(15, 40, 10), 0.0);
        const IntPoint p = View().CenterPoint(QPoint(0, 0));
        QCOMPARE(p.x, -(View().width() / 2));
        QCOMPARE(p.y, -(View().height() / 2));
    }

    void paintingShowsNodeEdgeAndOuterCircle() {
        QImage image(View().size(), QImage::Format_RGB32);
        View().Paint(image);
        CCPNode* p = Doc().m_nodes.GetAt(0);
        CCPNode* q = Doc().m_nodes.GetAt(1);
        const QPoint mid = Midpoint(View(), p, q);
        QCOMPARE(image.pixel(ClientOf(View(), p) + QPoint(3, -3)),
                 ToRgb(CCPNode::m_notConnectColor));
        // The boundary edge P-Q, one pixel wide, passes through (or beside) its midpoint.
        bool edge = false;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                edge = edge || image.pixel(mid + QPoint(dx, dy)) == ToRgb(CCPEdge::m_outerColor);
            }
        }
        QVERIFY(edge);
        // The outer circle's outline at the top of the disk, in the graph-mode circle colour.
        const QPoint top = ClientOf(View(), 0, -View().Radius());
        bool outline = false;
        for (int dy = -1; dy <= 1; ++dy) {
            outline = outline || image.pixel(top + QPoint(0, dy)) == ToRgb(BackModeColor);
        }
        QVERIFY(outline);
        QCOMPARE(image.pixel(5, 5), qRgb(255, 255, 255));
    }

    // Circles too small to draw as outlines are shown by their pixels' coverage, the picture
    // antialiasing gives, whether or not it is switched on; a disk of large circles keeps its
    // outlines.
    void tinyCirclesShowTheirCoverage_data() {
        QTest::addColumn<int>("rings");
        QTest::addColumn<bool>("coverage");
        QTest::newRow("large circles") << 2 << false;
        QTest::newRow("tiny circles") << 60 << true;
    }
    void tinyCirclesShowTheirCoverage() {
        QFETCH(int, rings);
        QFETCH(bool, coverage);
        // A small window, as a large disk at fit zoom shows its rim circles.
        Frame().resize(420, 320);
        QTRY_VERIFY(View().Radius() < 120);
        QVERIFY(BuildHexDisk(Doc(), rings));
        View().OnInitialUpdate();
        Frame().UpdateCommands();
        Frame().RunCommand(cmd::kPackToConvergence);
        Frame().RunCommand(cmd::kCircle);
        QImage plain(View().size(), QImage::Format_RGB32);
        View().Paint(plain);
        Frame().RunCommand(cmd::kAntialiasing);
        QImage smooth(View().size(), QImage::Format_RGB32);
        View().Paint(smooth);
        Frame().RunCommand(cmd::kAntialiasing);
        QCOMPARE(plain == smooth, false);
        if (coverage) {
            // Coverage, not outlines: a good part of the disk in greys between black and white.
            const QPoint centre(View().width() / 2, View().height() / 2);
            const int r = int(View().Radius());
            int inside = 0;
            int grey = 0;
            for (int y = -r; y <= r; ++y) {
                for (int x = -r; x <= r; ++x) {
                    if (x * x + y * y < r * r) {
                        const int level = qGray(plain.pixel(centre + QPoint(x, y)));
                        ++inside;
                        grey += level > 40 && level < 215;
                    }
                }
            }
            QVERIFY2(grey * 10 > inside,
                     qPrintable(QStringLiteral("%1 of %2").arg(grey).arg(inside)));
            // Zoomed out, most circles are below a pixel: they are blended in cheaply rather
            // than rasterised, and the disk is about as dark as the exact picture shows it.
            while (View().CanZoomOut()) {
                View().ZoomOut();
            }
            View().Paint(plain);
            Frame().RunCommand(cmd::kAntialiasing);
            View().Paint(smooth);
            Frame().RunCommand(cmd::kAntialiasing);
            const double rim = View().Radius() * View().Transform().Zoom() + 2;
            const double shown = Darkness(plain, 0, rim);
            const double exact = Darkness(smooth, 0, rim);
            QVERIFY2(std::fabs(shown - exact) < 0.03 * exact,
                     qPrintable(QStringLiteral("%1 %2").arg(shown).arg(exact)));
        }
    }

    // A dense graph is drawn straight into a 32-bit image's pixels, other images through the
    // painter: the two show the same circles, edges and squares, a pixel apart at most; a
    // small graph is drawn by the painter into either, pixel for pixel the same.
    void denseGraphsDrawnInRunsLookAsThePainterDrawsThem_data() {
        QTest::addColumn<int>("rings");
        QTest::addColumn<bool>("packed");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("largestShare");
        QTest::newRow("small graph, exact") << 5 << true << 1.0 << 0.0;
        QTest::newRow("dense, as built") << 40 << false << 1.0 << 2e-3;
        QTest::newRow("dense, packed") << 40 << true << 1.0 << 2e-3;
        QTest::newRow("dense, packed, zoomed at the rim") << 40 << true << 16.0 << 2e-3;
    }
    void denseGraphsDrawnInRunsLookAsThePainterDrawsThem() {
        QFETCH(int, rings);
        QFETCH(bool, packed);
        QFETCH(double, zoom);
        QFETCH(double, largestShare);
        QVERIFY(BuildHexDisk(Doc(), rings));
        if (packed) {
            Frame().RunCommand(cmd::kCirclePacking);
        }
        View().ZoomAt(QPoint(View().width() / 2, View().height() / 2 + int(View().Radius()) - 3),
                      zoom);
        QImage runs(View().size(), QImage::Format_RGB32);
        QImage painter(View().size(), QImage::Format_ARGB32_Premultiplied);
        View().Paint(runs);
        View().Paint(painter);
        painter = painter.convertToFormat(QImage::Format_RGB32);
        const int reach = largestShare > 0 ? 1 : 0;
        const double share =
            std::max(UnmatchedShare(runs, painter, reach), UnmatchedShare(painter, runs, reach));
        QVERIFY2(share <= largestShare, qPrintable(QString::number(share)));
        // The graph shows, not the background alone.
        QImage background(runs.size(), QImage::Format_RGB32);
        background.fill(ToRgb(CViewSettings().BGColor));
        QVERIFY(UnmatchedShare(runs, background, 0) > 0.01);
    }

    void modeCommandsCheckExactlyOne() {
        CMainFrame& frame = *m_app->m_pMainFrame;
        QVERIFY(frame.Action(cmd::kGraph)->isChecked());
        QVERIFY(!frame.Action(cmd::kCircle)->isChecked());
        frame.Action(cmd::kCircle)->trigger();
        QCOMPARE(View().Mode(), int(CircleMode));
        QVERIFY(frame.Action(cmd::kCircle)->isChecked());
        QVERIFY(!frame.Action(cmd::kGraph)->isChecked());
        // Circle mode draws no node: the square of P shows the background.
        QImage image(View().size(), QImage::Format_RGB32);
        View().Paint(image);
        QCOMPARE(image.pixel(ClientOf(View(), Doc().m_nodes.GetAt(0)) + QPoint(3, -3)),
                 qRgb(255, 255, 255));
        // Clicks in circle mode do not edit the graph.
        QTest::mouseClick(&View(), Qt::LeftButton, {},
                          Midpoint(View(), Doc().m_nodes.GetAt(0), Doc().m_nodes.GetAt(1)));
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
        frame.Action(cmd::kGraph)->trigger();
        QCOMPARE(View().Mode(), int(GraphMode));
    }
    void packingIsRefusedWhileANodeIsNotConnected() {
        CMainFrame& frame = *m_app->m_pMainFrame;
        frame.UpdateCommands();
        QVERIFY(!frame.Action(cmd::kCirclePacking)->isEnabled());
        QVERIFY(!frame.ToolBar()->widgetForAction(frame.Action(cmd::kCirclePacking))->isEnabled());
        // A key reaching the disabled command does nothing.
        frame.RunCommand(cmd::kCirclePacking);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(Doc().m_circles.GetCount(), 0);
    }

    // Without a main window the view shows nothing of its own: it announces hints, command
    // changes and the selection's style, and whoever made it decides.
    void aViewOnItsOwnOnlyAnnounces() {
        CTesselDoc doc;
        CViewSettings settings;
        CTesselView view(doc, settings);
        view.resize(300, 240);
        view.OnSize();
        doc.OnNewDocument();
        view.OnInitialUpdate();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy hints(&view, &CTesselView::HintChanged);
        QSignalSpy commands(&view, &CTesselView::CommandsChanged);
        QSignalSpy styles(&view, &CTesselView::SelectionStyleChanged);
        QSignalSpy noStyle(&view, &CTesselView::SelectionStyleUnavailable);
        QSignalSpy gradation(&view, &CTesselView::GradationModeChanged);

        // A window of its own gets no tracking moves on the offscreen platform: sent directly.
        const QPoint overP = ClientOf(view, doc.m_nodes.GetAt(0));
        QMouseEvent move(QEvent::MouseMove, overP, view.mapToGlobal(overP), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        QCOMPARE(hints.count(), 1);
        QCOMPARE(hints.last().at(0).toString(), QStringLiteral("L-Drag:Move"));
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(commands.count(), 1);

        view.SetMode(CircleMode);
        QCOMPARE(styles.count(), 1);
        QCOMPARE(styles.last().at(1).toInt(), StyleInnerColor | StyleLineColor | StyleLineWidth);
        QCOMPARE(gradation.count(), 1);
        QCOMPARE(gradation.last().at(0).toInt(), GradNone);
        view.SetMode(GraphMode);
        QCOMPARE(noStyle.count(), 1);
        QCOMPARE(styles.count(), 1);
    }

    void packingAHexDiskMovesNodesOntoCircles() {
        QVERIFY(BuildHexDisk(Doc(), 2));
        CMainFrame& frame = *m_app->m_pMainFrame;
        frame.UpdateCommands();
        QVERIFY(frame.Action(cmd::kCirclePacking)->isEnabled());
        frame.Action(cmd::kCirclePacking)->trigger();
        QCOMPARE(Doc().m_circles.GetCount(), Doc().m_nodes.GetSize());
        QVERIFY(Doc().IsModified());
        // Every node now sits on its circle's centre at the drawing radius, inside the disk.
        for (const CCPNode* node : Doc().m_nodes.m_array) {
            QCOMPARE(node->x, node->m_circle->m_euclidCentre.x * View().Radius());
            QCOMPARE(node->y, node->m_circle->m_euclidCentre.y * View().Radius());
            QVERIFY(std::hypot(node->x, node->y) <= View().Radius() + 1e-9);
        }
        // Circle mode paints the circles in their styles: a white disk with black outlines.
        frame.Action(cmd::kCircle)->trigger();
        QImage image(View().size(), QImage::Format_RGB32);
        View().Paint(image);
        const CCPCircle* circle = Doc().m_nodes.GetAt(0)->m_circle;
        const QPoint centre = ClientOf(View(), circle->m_euclidCentre.x * View().Radius(),
                                       circle->m_euclidCentre.y * View().Radius());
        const QPoint rim = ClientOf(View(), 0, -View().Radius());
        QCOMPARE(image.pixel(centre), ToRgb(circle->m_innerCol));
        bool outline = false;
        for (int dy = -1; dy <= 1; ++dy) {
            outline = outline ||
                      image.pixel(rim + QPoint(0, dy)) == ToRgb(Doc().m_circles.m_outer.m_lineCol);
        }
        QVERIFY(outline);
    }
};

QTEST_MAIN(TestView)
#include "tst_view.moc"

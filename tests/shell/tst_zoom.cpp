// Zoom and pan of the view with real events: hit tests, clicks and drags reach the node under
// the pointer at any zoom, the squares keep their size on screen, panning edits nothing, and
// the zoom commands' states.
#include "EditorTest.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QPushButton>
#include <QtTest>
#include <set>

namespace {

QRgb ToRgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

class TestZoom : public QObject, protected CEditorTest {
    Q_OBJECT

    // The client point that shows a document point under the current zoom and pan.
    QPoint ClientOf(const CDPoint& p) {
        const CDPoint s = View().Transform().ToScreen(p);
        return QPoint(int(std::lround(s.x)) + View().width() / 2,
                      int(std::lround(s.y)) + View().height() / 2);
    }
    bool Enabled(int id) {
        Frame().UpdateCommands();
        return Frame().Action(id)->isEnabled();
    }
    void Trigger(int id) {
        Frame().UpdateCommands();
        Frame().Action(id)->trigger();
    }
    void Wheel(QPoint at, int delta) {
        QWheelEvent event(at, View().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&View(), &event);
    }
    void ZoomTo(double zoom) {
        Trigger(cmd::kZoomToFit);
        while (View().Transform().Zoom() < zoom) {
            Trigger(cmd::kZoomIn);
        }
        while (View().Transform().Zoom() > zoom * 1.0001) {
            Trigger(cmd::kZoomOut);
        }
    }

private slots:
    void init() {
        QVERIFY(StartEditor());
        View().setFocus();
        // The starting triangle counts as an edit; the tests look for edits of their own.
        Doc().SetModifiedFlag(false);
    }

    void cleanup() { CloseEditor(); }

    void wheelZoomsAboutThePointer() {
        CCPNode* p = Doc().m_nodes.GetAt(0);
        const QPoint at = ClientOf(*p);
        Wheel(at, 120);
        QCOMPARE(View().Transform().Zoom(), 1.25);
        // The node stays under the pointer, to the pixel.
        QVERIFY((ClientOf(*p) - at).manhattanLength() <= 1);
        Wheel(at, -240);
        QCOMPARE(View().Transform().Zoom(), 1.0 / 1.25);
        QVERIFY((ClientOf(*p) - at).manhattanLength() <= 1);
        QVERIFY(!Doc().IsModified());
    }

    void zoomedClicksReachTheNodeAndEdgeUnderThePointer() {
        CCPNode* p = Doc().m_nodes.GetAt(0);
        CCPNode* q = Doc().m_nodes.GetAt(1);
        ZoomTo(3.0);
        View().PanByStep(1, 0);
        QVERIFY(View().IsZoomed());
        const CDPoint mid((p->x + q->x) / 2, (p->y + q->y) / 2);
        QTest::mouseClick(&View(), Qt::LeftButton, {}, ClientOf(mid));
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
        // The new node lies in the window: a right click on it deletes it again.
        CCPNode* grown = Doc().m_nodes.GetAt(3);
        QTest::mouseClick(&View(), Qt::RightButton, {}, ClientOf(*grown));
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
    }

    void hitSquaresKeepTheirSizeOnScreen() {
        CCPNode* p = Doc().m_nodes.GetAt(0);
        const int size = CHotSpot::m_size;
        ZoomTo(1.25 * 1.25 * 1.25 * 1.25);
        const double zoom = View().Transform().Zoom();
        QVERIFY(zoom > 2.0);
        // One pixel beyond the square on screen misses, though it is within m_size in the
        // document; one pixel inside hits.
        const CDPoint outside = View().DocumentPoint(ClientOf(*p) + QPoint(size + 1, 0));
        QVERIFY(std::abs(outside.x - p->x) < size);
        QCOMPARE(Doc().m_nodes.HitTest(outside, View().Transform().PixelSize()), nullptr);
        const CDPoint inside = View().DocumentPoint(ClientOf(*p) + QPoint(size - 1, 0));
        QCOMPARE(Doc().m_nodes.HitTest(inside, View().Transform().PixelSize()), p);
        // So a press just beyond the drawn square starts no drag.
        const double x = p->x;
        QTest::mousePress(&View(), Qt::LeftButton, {}, ClientOf(*p) + QPoint(size + 1, 0));
        QTest::mouseMove(&View(), ClientOf(*p) + QPoint(40, 40));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, ClientOf(*p) + QPoint(40, 40));
        QCOMPARE(p->x, x);
        // The painted square is 2 * size + 1 screen pixels wide, centred on the node.
        QImage image(View().size(), QImage::Format_RGB32);
        View().Paint(image);
        const QPoint c = ClientOf(*p);
        const QRgb colour = ToRgb(CCPNode::m_notConnectColor);
        QCOMPARE(image.pixel(c + QPoint(size, size)), colour);
        QCOMPARE(image.pixel(c - QPoint(size, size)), colour);
        QVERIFY(image.pixel(c + QPoint(size + 1, 0)) != colour);
        QVERIFY(image.pixel(c - QPoint(size + 1, 0)) != colour);
    }

    void zoomedDragPutsTheNodeUnderThePointer() {
        CCPNode* p = Doc().m_nodes.GetAt(0);
        ZoomTo(4.0);
        Wheel(ClientOf(*p), 120);
        const QPoint from = ClientOf(*p);
        const QPoint to = from + QPoint(37, -23);
        QTest::mousePress(&View(), Qt::LeftButton, {}, from);
        QTest::mouseMove(&View(), to);
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, to);
        const CDPoint expected = View().DocumentPoint(to);
        QCOMPARE(p->x, expected.x);
        QCOMPARE(p->y, expected.y);
        // Finer than a document unit: the zoom lets nodes be placed between whole units.
        QVERIFY(p->x != std::round(p->x) || p->y != std::round(p->y));
        QCOMPARE(ClientOf(*p), to);
    }

    void middleDragAndSpaceDragPanWithoutEditing() {
        const CDPoint before = View().Transform().Pan();
        const QPoint start(View().width() / 2 + 7, View().height() / 2 + 5);
        QTest::mousePress(&View(), Qt::MiddleButton, {}, start);
        QTest::mouseMove(&View(), start + QPoint(30, 20));
        QTest::mouseRelease(&View(), Qt::MiddleButton, {}, start + QPoint(30, 20));
        QCOMPARE(View().Transform().Pan().x, before.x + 30);
        QCOMPARE(View().Transform().Pan().y, before.y + 20);
        // Space held turns a left drag that starts on a node into a pan.
        CCPNode* p = Doc().m_nodes.GetAt(0);
        const CDPoint where = *p;
        const QPoint at = ClientOf(*p);
        QTest::keyPress(&View(), Qt::Key_Space);
        QTest::mousePress(&View(), Qt::LeftButton, {}, at);
        QTest::mouseMove(&View(), at + QPoint(-10, 15));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, at + QPoint(-10, 15));
        QTest::keyRelease(&View(), Qt::Key_Space);
        QCOMPARE(View().Transform().Pan().x, before.x + 20);
        QCOMPARE(View().Transform().Pan().y, before.y + 35);
        QVERIFY(*p == where);
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
        QVERIFY(!Doc().IsModified());
        // Without Space the same click edits again.
        QTest::mouseClick(&View(), Qt::LeftButton, {}, ClientOf(*p));
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
        QTest::mousePress(&View(), Qt::LeftButton, {}, ClientOf(*p));
        QTest::mouseMove(&View(), ClientOf(*p) + QPoint(5, 5));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, ClientOf(*p) + QPoint(5, 5));
        QVERIFY(!(*p == where));
    }

    void panStaysInReach() {
        QTest::mousePress(&View(), Qt::MiddleButton, {}, QPoint(10, 10));
        QTest::mouseMove(&View(), QPoint(10 + 50 * View().width(), 10));
        QTest::mouseRelease(&View(), Qt::MiddleButton, {}, QPoint(10 + 50 * View().width(), 10));
        // The window's centre stays within the graph area.
        const CDPoint centre =
            View().DocumentPoint(QPoint(View().width() / 2, View().height() / 2));
        QVERIFY(std::abs(centre.x) <= std::max(Doc().m_extentX, Doc().m_extentY) + 1);
    }

    void arrowKeysPanOnlyWhenZoomed() {
        QTest::keyClick(&View(), Qt::Key_Left);
        QVERIFY(!View().IsZoomed());
        Trigger(cmd::kZoomIn);
        const double x = View().Transform().Pan().x;
        QTest::keyClick(&View(), Qt::Key_Left);
        QVERIFY(View().Transform().Pan().x > x);
        QTest::keyClick(&View(), Qt::Key_Right);
        QCOMPARE(View().Transform().Pan().x, x);
    }

    // The status bar shows the zoom and, while the pointer is over the view, its place in the
    // disk under the current zoom and pan.
    void statusBarShowsTheZoomAndThePointersDiskPoint() {
        QCOMPARE(Frame().ZoomText(), QStringLiteral("100%"));
        Trigger(cmd::kZoomIn);
        QCOMPARE(Frame().ZoomText(), QStringLiteral("125%"));
        Trigger(cmd::kZoomOut);
        Trigger(cmd::kZoomOut);
        QCOMPARE(Frame().ZoomText(), QStringLiteral("80%"));
        // Half the radius right of the centre and a quarter above it, to the pixel.
        const double r = View().Radius();
        const QPoint at = ClientOf(CDPoint(0.5 * r, -0.25 * r));
        const CDPoint disk = View().DocumentPoint(at) / r;
        QVERIFY(std::abs(disk.x - 0.5) < 0.01 && std::abs(disk.y + 0.25) < 0.01);
        QTest::mouseMove(&View(), at);
        QCOMPARE(Frame().PointerText(),
                 QStringLiteral("%1, %2").arg(QString::number(disk.x, 'f', 4),
                                              QString::number(disk.y, 'f', 4)));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&View(), &leave);
        QCOMPARE(Frame().PointerText(), QString());
        Trigger(cmd::kZoomToFit);
        QCOMPARE(Frame().ZoomText(), QStringLiteral("100%"));
    }

    void commandStatesFollowTheZoom() {
        QVERIFY(Enabled(cmd::kZoomIn));
        QVERIFY(Enabled(cmd::kZoomOut));
        QVERIFY(!Enabled(cmd::kZoomToFit));
        Trigger(cmd::kZoomIn);
        QVERIFY(Enabled(cmd::kZoomToFit));
        for (int i = 0; i < 100 && Enabled(cmd::kZoomIn); ++i) {
            Trigger(cmd::kZoomIn);
        }
        QVERIFY(!Enabled(cmd::kZoomIn));
        QCOMPARE(View().Transform().Zoom(), CViewTransform::kMaxZoom);
        Trigger(cmd::kZoomToFit);
        QVERIFY(!View().IsZoomed());
        QVERIFY(!Enabled(cmd::kZoomToFit));
        for (int i = 0; i < 100 && Enabled(cmd::kZoomOut); ++i) {
            Trigger(cmd::kZoomOut);
        }
        QCOMPARE(View().Transform().Zoom(), CViewTransform::kMinZoom);
        // The keys reach the commands.
        QTest::keyClick(&View(), Qt::Key_0, Qt::ControlModifier);
        QVERIFY(!View().IsZoomed());
        QTest::keyClick(&View(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(View().Transform().Zoom(), 1.25);
        QTest::keyClick(&View(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(View().Transform().Zoom(), 1.0);
        // Opening or making a document shows it whole.
        Trigger(cmd::kZoomIn);
        Doc().SetModifiedFlag(false);
        Trigger(cmd::kFileNew);
        QVERIFY(!View().IsZoomed());
    }

    void highDensityScreensGetEveryDevicePixel() {
        // An image of two device pixels per pixel, as the window paints on such a screen.
        QImage image(View().size() * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2.0);
        View().Paint(image);
        CCPNode* p = Doc().m_nodes.GetAt(0);
        const QPoint c = ClientOf(*p) * 2;
        const int size = CHotSpot::m_size;
        const QRgb colour = ToRgb(CCPNode::m_notConnectColor);
        // The square keeps its size in pixels: twice as many device pixels across.
        QCOMPARE(image.pixel(c + QPoint(2 * size + 1, 0)), colour);
        QVERIFY(image.pixel(c + QPoint(2 * size + 2, 0)) != colour);
        QCOMPARE(image.pixel(c - QPoint(2 * size, 0)), colour);
        QVERIFY(image.pixel(c - QPoint(2 * size + 1, 0)) != colour);

        // Circles, plain and antialiased, are drawn at the device's resolution: the outer
        // circle's line crosses the horizontal through the centre at twice the radius.
        QVERIFY(BuildHexDisk(Doc(), 2));
        Trigger(cmd::kCirclePacking);
        Trigger(cmd::kCircle);
        for (bool antialiased : {false, true}) {
            if (antialiased) {
                Trigger(cmd::kAntialiasing);
            }
            View().Paint(image);
            const QPoint centre(View().width(), View().height());
            const int r = int(std::lround(2 * View().Radius()));
            int darkest = 255;
            int at = 0;
            for (int dx = r - 4; dx <= r + 4; ++dx) {
                const int grey = qGray(image.pixel(centre + QPoint(dx, 0)));
                if (grey < darkest) {
                    darkest = grey;
                    at = dx;
                }
            }
            QVERIFY2(darkest < 160, antialiased ? "antialiased" : "plain");
            QVERIFY(std::abs(at - r) <= 2);
            // Beyond the line lies the background, not a blocky doubled pixel of the line.
            QCOMPARE(qGray(image.pixel(centre + QPoint(r + 4, 0))), 255);
        }
        Trigger(cmd::kAntialiasing);
    }

    // A gradation line drawn zoomed runs between the document points under the pointer, as
    // the same line drawn unzoomed does.
    void zoomedGradationRunsBetweenThePointsUnderThePointer() {
        QVERIFY(BuildHexDisk(Doc(), 3));
        Trigger(cmd::kCirclePacking);
        Trigger(cmd::kCircle);
        const double r = View().Radius();
        const CDPoint from(-r / 3, -r / 9);
        const CDPoint to(r / 3, r / 9);
        const auto draw = [&] {
            View().OnSelectAll();
            if (View().GradationMode() != 1) { // the button toggles the mode
                QTest::mouseClick(Frame().findChild<QPushButton*>(QStringLiteral("linear")),
                                  Qt::LeftButton);
            }
            QTest::mousePress(&View(), Qt::LeftButton, {}, ClientOf(from));
            QTest::mouseMove(&View(), ClientOf(to));
            QTest::mouseRelease(&View(), Qt::LeftButton, {}, ClientOf(to));
            std::vector<int> channels;
            for (const CCPCircle* c : Doc().m_circles.m_list) {
                channels.insert(channels.end(),
                                {int(GetRValue(c->m_innerCol)), int(GetGValue(c->m_lineCol))});
            }
            return channels;
        };
        const std::vector<int> unzoomed = draw();
        Trigger(cmd::kUndo);
        View().ZoomAt(ClientOf(CDPoint(0, 0)), 2.0);
        const std::vector<int> zoomed = draw();
        QCOMPARE(zoomed.size(), unzoomed.size());
        std::set<int> shades;
        for (std::size_t i = 0; i < zoomed.size(); ++i) {
            // The ends are whole pixels on screen: half a pixel unzoomed, a quarter zoomed.
            QVERIFY2(std::abs(zoomed[i] - unzoomed[i]) <= 2, qPrintable(QString::number(i)));
            shades.insert(unzoomed[i]);
        }
        QVERIFY(shades.size() > 5);
    }

    void circleModeSelectsUnderTheZoomedPointer() {
        QVERIFY(BuildHexDisk(Doc(), 3));
        Trigger(cmd::kCirclePacking);
        Trigger(cmd::kCircle);
        CCPCircleArray& circles = Doc().m_circles;
        const CCPCircle* target = circles.m_list.back();
        const CDPoint centre = target->m_euclidCentre * View().Radius();
        View().ZoomAt(ClientOf(centre), 8.0);
        QTest::mouseClick(&View(), Qt::LeftButton, {}, ClientOf(centre));
        QCOMPARE(target->m_selected, 1);
        int selected = 0;
        for (const CCPCircle* c : circles.m_list) {
            selected += c->m_selected != 0;
        }
        QCOMPARE(selected, 1);
        // A small band on screen round the circle's centre selects it and the circles it meets
        // at this zoom, which are few.
        const QPoint c = ClientOf(centre);
        QTest::mousePress(&View(), Qt::LeftButton, {}, c - QPoint(3, 3));
        QTest::mouseMove(&View(), c + QPoint(3, 3));
        QCOMPARE(View().RubberBandCount(), 1);
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, c + QPoint(3, 3));
        QCOMPARE(target->m_selected, 1);
        selected = 0;
        for (const CCPCircle* circle : circles.m_list) {
            selected += circle->m_selected != 0;
        }
        QCOMPARE(selected, 1);
        // The zoomed picture shows the circle's line about eight times further out.
        QImage image(View().size(), QImage::Format_RGB32);
        View().Paint(image);
        const int r = int(target->m_euclidRadius * View().Radius() * View().Transform().Zoom());
        QVERIFY(r > 20);
        int dark = 0;
        for (int dx = r - 3; dx <= r + 3; ++dx) {
            dark += qGray(image.pixel(c + QPoint(dx, 0))) < 128;
        }
        QVERIFY(dark > 0);
    }
};

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"

// The Move Packing tool and Centre on Circle with real mouse events: the grabbed point stays
// under the pointer, Shift turns about the middle, a drag is one undo step, Esc puts it back
// and leaves the tool, panning still pans, and Pack to Convergence keeps the moved view.
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/ViewSettings.h"
#include "packing/ConvergedPacking.h"
#include "view/QtSurface.h"

#include <QPainter>
#include <QtTest>
#include <cmath>

class TestMoves : public QObject, protected CEditorTest {
    Q_OBJECT

    // The client point showing a point of the unit disk (the view is not zoomed).
    QPoint ClientOf(const CDPoint& disk) {
        return QPoint(int(std::lround(disk.x * View().Radius())) + View().width() / 2,
                      int(std::lround(disk.y * View().Radius())) + View().height() / 2);
    }
    CDPoint DiskOf(QPoint client) {
        return CDPoint(client.x() - View().width() / 2, client.y() - View().height() / 2) /
               View().Radius();
    }
    const CDPoint& CentreOf(int node) { return Doc().GetNodeAt(node)->m_circle->m_diskCentre; }
    void Trigger(int id) {
        Frame().UpdateCommands();
        Frame().Action(id)->trigger();
    }
    bool Enabled(int id) {
        Frame().UpdateCommands();
        return Frame().Action(id)->isEnabled();
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier,
              Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(&View(), button, keys, from);
        for (int step = 1; step <= 8; ++step) {
            QMouseEvent move(QEvent::MouseMove, from + (to - from) * step / 8,
                             View().mapToGlobal(from + (to - from) * step / 8), Qt::NoButton,
                             button, keys);
            QApplication::sendEvent(&View(), &move);
        }
        QTest::mouseRelease(&View(), button, keys, to);
    }
    // A fresh profile's.
    static COLORREF Background() { return CViewSettings().BGColor; }
    // The picture the view shows when no drag is under way, painted here the way it paints it.
    QImage FullPicture() {
        QImage image(View().size(), QImage::Format_RGB32);
        QPainter painter(&image);
        CQtSurface surface(painter);
        const int w = image.width();
        const int h = image.height();
        surface.FillRect({0, 0, w, h}, Background());
        surface.SetVisibleArea({0, 0, w, h});
        surface.SetOrigin({w / 2, h / 2});
        Doc().m_circles.Draw(surface, View().Radius(), DrawNormal, Background());
        return image;
    }
    // An inner node whose circle is well away from the middle.
    int OffCentreInnerNode() {
        for (int i = 0; i < Doc().m_nodes.GetSize(); ++i) {
            if (Doc().GetNodeAt(i)->m_kind == Inner && CentreOf(i).Abs() > 0.3) {
                return i;
            }
        }
        return -1;
    }

private slots:
    void init() {
        QVERIFY(StartEditor());
        QVERIFY(BuildHexDisk(Doc(), 5));
        CConvergedPacking outcome;
        QVERIFY(Doc().PackToConvergence(1e-12, {}, outcome));
        Doc().SetModifiedFlag(false);
        View().SetMode(CircleMode);
        View().setFocus();
    }

    void cleanup() { CloseEditor(); }

    void theGrabbedPointFollowsThePointerInOneUndoStep() {
        QVERIFY(!Frame().Action(cmd::kMovePacking)->isChecked());
        // The key reaches the window's shortcuts once the window is active.
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        Frame().UpdateCommands();
        QTest::keyClick(&View(), Qt::Key_M);
        Frame().UpdateCommands();
        QVERIFY(Frame().Action(cmd::kMovePacking)->isChecked());
        const int node = OffCentreInnerNode();
        QVERIFY(node >= 0);
        const CDPoint before = CentreOf(node);
        const QPoint from = ClientOf(before);
        const QPoint to = from + QPoint(-90, 60);
        Drag(from, to);
        // Within the pixel the press was rounded to, the circle's centre is under the pointer.
        QVERIFY2(CentreOf(node).Distance(DiskOf(to)) * View().Radius() < 1.5,
                 qPrintable(QString::number(CentreOf(node).Distance(DiskOf(to)))));
        QVERIFY(Doc().IsModified());
        QVERIFY(Doc().m_moved);
        QCOMPARE(Doc().History().UndoNameId(), ids::kStepMovePacking);
        Trigger(cmd::kUndo);
        QCOMPARE(CentreOf(node), before);
        QVERIFY(!Doc().IsModified());
        // In the tool a click edits nothing, and the middle button still pans.
        QTest::mouseClick(&View(), Qt::LeftButton, Qt::NoModifier, from);
        QCOMPARE(CentreOf(node), before);
        Drag(from, to, Qt::NoModifier, Qt::MiddleButton);
        QCOMPARE(CentreOf(node), before);
        QVERIFY(View().IsZoomed() || View().Transform().Pan().Abs() > 0);
    }

    // While the pointer moves the view paints a quicker aliased picture of the moved circles;
    // the release shows exactly the full picture again.
    void theDragPictureFollowsAndTheReleaseRestoresTheFullPicture() {
        Trigger(cmd::kMovePacking);
        const int node = OffCentreInnerNode();
        Doc().GetNodeAt(node)->m_circle->m_selected = 1;
        const QPoint from = ClientOf(CentreOf(node));
        const QPoint to = from + QPoint(40, -30);
        QTest::mousePress(&View(), Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, to, View().mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&View(), &move);
        const QImage during = View().grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The same circles and hatch, their outlines and hatch lines a pixel apart at most but
        // for a few pixels where they cross.
        const QImage full = FullPicture();
        QVERIFY(UnmatchedShare(during, full, 1) < 1e-4);
        QVERIFY(UnmatchedShare(full, during, 1) < 1e-4);
        QTest::mouseRelease(&View(), Qt::LeftButton, Qt::NoModifier, to);
        const QImage after = View().grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(UnmatchedShare(after, FullPicture(), 0), 0.0);
        // Else the comparison above could not tell the two pictures apart.
        QVERIFY(UnmatchedShare(during, full, 0) > 0.0);
    }

    // Circles below a pixel shade the drag picture about as much as their coverage shades the
    // full picture, rather than vanishing while the packing moves.
    void tinyCirclesStillShadeTheDragPicture() {
        QVERIFY(BuildHexDisk(Doc(), 60));
        CConvergedPacking outcome;
        QVERIFY(Doc().PackToConvergence(1e-12, {}, outcome));
        View().SetMode(CircleMode);
        while (View().CanZoomOut()) {
            View().ZoomOut();
        }
        Trigger(cmd::kMovePacking);
        const QPoint middle(View().width() / 2, View().height() / 2);
        QTest::mousePress(&View(), Qt::LeftButton, Qt::NoModifier, middle);
        QMouseEvent move(QEvent::MouseMove, middle + QPoint(1, 0),
                         View().mapToGlobal(middle + QPoint(1, 0)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&View(), &move);
        // The band inside the rim where the circles are below a pixel.
        const double rim = View().Radius() * View().Transform().Zoom();
        const double during = Darkness(View().grab().toImage(), 0.9 * rim, rim - 2);
        QTest::mouseRelease(&View(), Qt::LeftButton, Qt::NoModifier, middle + QPoint(1, 0));
        const double after = Darkness(View().grab().toImage(), 0.9 * rim, rim - 2);
        // Left out, they would make the band a fifth lighter.
        QVERIFY2(during > 0.9 * after && during < 1.1 * after,
                 qPrintable(QStringLiteral("%1 %2").arg(during).arg(after)));
    }

    void shiftTurnsAboutTheMiddleAndEscPutsBackAndLeaves() {
        Trigger(cmd::kMovePacking);
        const int node = OffCentreInnerNode();
        const CDPoint before = CentreOf(node);
        const int middle = Doc().IndexOfNode(Doc().m_nodes.FindStartNode());
        const QPoint from = ClientOf(before);
        const QPoint to = ClientOf(CDPoint(-before.y, before.x)); // a quarter turn
        Drag(from, to, Qt::ShiftModifier);
        QVERIFY(CentreOf(middle).Abs() < 1e-12);
        QVERIFY(std::fabs(CentreOf(node).Abs() - before.Abs()) < 1e-12);
        QVERIFY(CentreOf(node).Distance(CDPoint(-before.y, before.x)) < 0.02);
        Trigger(cmd::kUndo);
        // Esc during a drag puts the packing back; Esc again leaves the tool.
        QTest::mousePress(&View(), Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, to, View().mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&View(), &move);
        QVERIFY(CentreOf(node).Distance(before) > 0.1);
        QTest::keyClick(&View(), Qt::Key_Escape);
        QCOMPARE(CentreOf(node), before);
        QTest::mouseRelease(&View(), Qt::LeftButton, Qt::NoModifier, to);
        QCOMPARE(CentreOf(node), before);
        QVERIFY(!Doc().IsModified());
        QVERIFY(View().IsMoveTool());
        QTest::keyClick(&View(), Qt::Key_Escape);
        QVERIFY(!View().IsMoveTool());
    }

    void centreOnCircleByDoubleClickAndCommandKeptByPackToConvergence() {
        const int node = OffCentreInnerNode();
        QVERIFY(!Enabled(cmd::kCentreOnCircle));
        QTest::mouseDClick(&View(), Qt::LeftButton, Qt::NoModifier, ClientOf(CentreOf(node)));
        QVERIFY(CentreOf(node).Abs() < 1e-12);
        QCOMPARE(Doc().History().UndoNameId(), ids::kStepCentreOnCircle);
        Trigger(cmd::kUndo);
        // The command, with exactly the one circle selected.
        QTest::mouseClick(&View(), Qt::LeftButton, Qt::NoModifier, ClientOf(CentreOf(node)));
        QVERIFY(Enabled(cmd::kCentreOnCircle));
        Trigger(cmd::kSelectAll);
        QVERIFY(!Enabled(cmd::kCentreOnCircle));
        QTest::mouseClick(&View(), Qt::LeftButton, Qt::NoModifier, ClientOf(CentreOf(node)));
        Trigger(cmd::kCentreOnCircle);
        QVERIFY(CentreOf(node).Abs() < 1e-12);
        Frame().RunCommand(cmd::kPackToConvergence);
        QVERIFY(!Doc().m_moved);
        QVERIFY2(CentreOf(node).Abs() < 1e-9, qPrintable(QString::number(CentreOf(node).Abs())));
    }
};

QTEST_MAIN(TestMoves)
#include "tst_moves.moc"

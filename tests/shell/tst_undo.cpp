// Undo and Redo as a user meets them: menu items naming the step, keys, tool-bar buttons, the
// title's modified mark, mouse edits, drags, circle styles and Pack to Convergence taken back
// and made again exactly.
#include "DialogDriver.h"
#include "EditorTest.h"
#include "app/ProgressRunner.h"
#include "ShellTestSupport.h"
#include "app/CircleBar.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

namespace {

QPoint ClientOf(const CTesselView& view, const CDPoint& p) {
    return QPoint(int(std::lround(p.x)) + view.width() / 2,
                  int(std::lround(p.y)) + view.height() / 2);
}

// The saved bytes with every radius and circle of the nodes: what undo must give back.
struct Snapshot {
    std::vector<std::uint8_t> bytes;
    std::vector<double> circles;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(CTesselDoc& doc) {
    Snapshot s{doc.SaveToBytes(), {}};
    for (const CCPNode* node : doc.m_nodes.m_array) {
        const CCPCircle& c = *node->m_circle;
        s.circles.insert(s.circles.end(), {node->x, node->y, c.m_radius, c.m_euclidRadius,
                                           c.m_euclidCentre.x, c.m_euclidCentre.y});
    }
    return s;
}

} // namespace

class TestUndo : public QObject, protected CEditorTest {
    Q_OBJECT

    QAction* Undo() { return Frame().Action(cmd::kUndo); }
    QAction* Redo() { return Frame().Action(cmd::kRedo); }
    QString Title() { return Frame().windowHandle()->title(); }

    // Keys reach the window's shortcuts only while it is active; the offscreen platform does
    // not give it back after a progress dialog, which a slow packing shows.
    void Activate() {
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        Activate();
        QTest::keyClick(&View(), Qt::Key(key), modifiers);
        Frame().UpdateCommands();
    }

    // A click on the middle of the first boundary edge: grows a node there.
    void Grow() {
        for (const CCPEdge* edge : Doc().m_edges.m_array) {
            if (edge->m_interior == 0) {
                QTest::mouseClick(&View(), Qt::LeftButton, {},
                                  ClientOf(View(), (*edge->m_start + *edge->m_end) * 0.5));
                Frame().UpdateCommands();
                return;
            }
        }
    }

private slots:
    void init() {
        SetLanguage(Language::English);
        QVERIFY(StartEditor());
        QVERIFY(QTest::qWaitForWindowActive(m_app->m_pMainFrame));
        // Long commands show their progress dialog, as on a large graph, whatever the speed.
        m_app->Progress().SetDialogDelay(0);
        View().setFocus();
    }

    void cleanup() { CloseEditor(); }

    void menuItemsNameTheStepAndKeysTakeIt() {
        QVERIFY(!Undo()->isEnabled() && !Redo()->isEnabled());
        QCOMPARE(Undo()->text(), QStringLiteral("&Undo"));
        const Snapshot start = Take(Doc());
        Grow();
        const Snapshot grown = Take(Doc());
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
        QVERIFY(Undo()->isEnabled());
        QCOMPARE(Undo()->text(), QStringLiteral("&Undo Grow Node"));
        QCOMPARE(Undo()->statusTip(), QStringLiteral("Undo the last change"));

        Key(Qt::Key_Z);
        QVERIFY(Take(Doc()) == start);
        QVERIFY(!Undo()->isEnabled());
        QCOMPARE(Redo()->text(), QStringLiteral("&Redo Grow Node"));
        Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(Take(Doc()) == grown);
        Key(Qt::Key_Backspace, Qt::AltModifier);
        QVERIFY(Take(Doc()) == start);
        Key(Qt::Key_Y);
        QVERIFY(Take(Doc()) == grown);
        QCOMPARE(Redo()->text(), QStringLiteral("&Redo"));

        // The tool-bar buttons run the same commands.
        QWidget* undoButton = Frame().ToolBar()->widgetForAction(Undo());
        QVERIFY(undoButton != nullptr && undoButton->isEnabled());
        QVERIFY(!Undo()->icon().pixmap(24, 24).isNull());
        QTest::mouseClick(undoButton, Qt::LeftButton);
        QVERIFY(Take(Doc()) == start);

        SetLanguage(Language::Japanese);
        Grow();
        QCOMPARE(Undo()->text(), QStringLiteral("元に戻す(&U): ﾉｰﾄﾞの作成"));
        SetLanguage(Language::English);
    }

    // Back at the saved state the title loses its modified mark; one step away it has it.
    void theTitleFollowsTheSavedState() {
        Grow();
        CModalScript save({ChooseFile(m_folder.filePath(QStringLiteral("u.tesl")))});
        Frame().Action(cmd::kFileSave)->trigger();
        QVERIFY(save.Done());
        QCOMPARE(Title(), QStringLiteral("u.tesl - Tessel"));
        Grow();
        QCOMPARE(Title(), QStringLiteral("u.tesl* - Tessel"));
        Undo()->trigger();
        QCOMPARE(Title(), QStringLiteral("u.tesl - Tessel"));
        Undo()->trigger();
        QCOMPARE(Title(), QStringLiteral("u.tesl* - Tessel"));
        Redo()->trigger();
        QCOMPARE(Title(), QStringLiteral("u.tesl - Tessel"));
    }

    // A generated disk was never saved: undoing its first edit leaves it modified. Being no
    // bare triangle, it comes without the first-run hint.
    void aGeneratedDiskIsNeverBackAtASavedState() {
        Doc().SetModifiedFlag(false);
        CModalScript script({[](QWidget* modal) {
            auto* rings = modal->findChild<QLineEdit*>(QStringLiteral("rings"));
            if (rings == nullptr) {
                return false;
            }
            TypeInto(rings, QStringLiteral("3"));
            modal->findChild<QCheckBox*>(QStringLiteral("pack"))->setChecked(false);
            ClickButton(modal, "ok");
            return true;
        }});
        Frame().UpdateCommands();
        Frame().Action(cmd::kNewHexDisk)->trigger();
        QVERIFY(script.Done());
        QCOMPARE(Doc().m_nodes.GetSize(), 37);
        QVERIFY(Doc().IsModified());
        QVERIFY(!View().StartHintShown());
        Frame().UpdateCommands();
        Frame().Action(cmd::kCirclePacking)->trigger();
        Frame().UpdateCommands();
        QCOMPARE(Undo()->text(), QStringLiteral("&Undo Circle Packing"));
        Undo()->trigger();
        Frame().UpdateCommands();
        QVERIFY(!Undo()->isEnabled());
        QVERIFY(Doc().IsModified());
        QCOMPARE(Title(), QStringLiteral("Untitled* - Tessel"));
    }

    // A drag is one step; Ctrl+Z in the middle of a drag puts the node back first.
    void dragsAreUndoneAndADragInProgressIsCancelled() {
        CCPNode* node = Doc().m_nodes.GetAt(0);
        const CDPoint from = *node;
        const QPoint press = ClientOf(View(), from);
        QTest::mousePress(&View(), Qt::LeftButton, {}, press);
        QTest::mouseMove(&View(), press + QPoint(30, 20));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, press + QPoint(30, 20));
        Frame().UpdateCommands();
        QCOMPARE(Undo()->text(), QStringLiteral("&Undo Move Node"));
        const CDPoint moved = *node;
        QVERIFY(moved != from);
        Key(Qt::Key_Z);
        QCOMPARE(CDPoint(*node), from);
        Key(Qt::Key_Y);
        QCOMPARE(CDPoint(*node), moved);

        // Mid-drag: the press and a move, then Ctrl+Z; the release afterwards does nothing.
        QTest::mousePress(&View(), Qt::LeftButton, {}, ClientOf(View(), moved));
        QTest::mouseMove(&View(), ClientOf(View(), moved) + QPoint(-40, 10));
        Key(Qt::Key_Z);
        QCOMPARE(CDPoint(*node), from);
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, ClientOf(View(), moved) + QPoint(-40, 10));
        QCOMPARE(CDPoint(*node), from);
        QVERIFY(Redo()->isEnabled());
    }

    // Circle styles from the circle bar and a Paste Circle are steps; undo selects the circles
    // it changed and the bar shows their style again. Ctrl+A in the bar's width box selects
    // its text, not the circles.
    void styleEditsAreUndoneWithTheirSelection() {
        QVERIFY(BuildHexDisk(Doc(), 2));
        Frame().UpdateCommands();
        Frame().Action(cmd::kCirclePacking)->trigger();
        Frame().Action(cmd::kCircle)->trigger();
        const Snapshot packed = Take(Doc());
        const CCPCircle* first = Doc().m_circles.GetAt(0);
        const int width = first->m_thickness;
        Frame().Action(cmd::kSelectAll)->trigger();
        auto* bar = Frame().findChild<CCircleBar*>();
        auto* box = bar->findChild<QLineEdit*>(QStringLiteral("width"));
        QVERIFY(box != nullptr);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier); // the box's own Select All
        QTest::keyClicks(box, QStringLiteral("7"));
        QTest::keyClick(box, Qt::Key_Return);
        Frame().UpdateCommands();
        QCOMPARE(first->m_thickness, 7);
        QCOMPARE(Undo()->text(), QStringLiteral("&Undo Line Width"));

        // Select one circle; undo gives every width back and selects them all again.
        QTest::mouseClick(&View(), Qt::LeftButton, {},
                          ClientOf(View(), first->m_euclidCentre * View().Radius()));
        Activate();
        QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(first->m_thickness, width);
        QVERIFY(Take(Doc()) == packed);
        for (const CCPCircle* circle : Doc().m_circles.m_list) {
            QVERIFY(circle->m_selected);
        }
        QCOMPARE(box->text(), QString::number(width));
        QVERIFY(Doc().IsModified()); // the packing before it still is a change
    }

    // Pack to Convergence and Circle Packing are undone to the exact radii and circles, so a
    // following Circle Packing goes on from where it was.
    void packingRunsAreUndoneExactly() {
        QVERIFY(BuildHexDisk(Doc(), 3));
        Frame().UpdateCommands();
        Frame().Action(cmd::kCirclePacking)->trigger();
        const Snapshot once = Take(Doc());
        Frame().Action(cmd::kPackToConvergence)->trigger();
        Frame().UpdateCommands();
        QCOMPARE(Undo()->text(), QStringLiteral("&Undo Pack to Convergence"));
        const Snapshot converged = Take(Doc());
        QVERIFY(!(converged == once));
        Key(Qt::Key_Z);
        QVERIFY(Take(Doc()) == once);
        QVERIFY(Frame().PackingStatus().isEmpty());
        Key(Qt::Key_Y);
        QVERIFY(Take(Doc()) == converged);
        Frame().Action(cmd::kNodeRandomize)->trigger();
        Frame().UpdateCommands();
        QCOMPARE(Undo()->text(), QStringLiteral("&Undo Node Randomize"));
        Key(Qt::Key_Z);
        QVERIFY(Take(Doc()) == converged);
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"

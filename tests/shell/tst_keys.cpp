// The view's keys and the first-run hint as a user meets them: Delete at the pointer, Esc in
// both modes, unique mnemonics in every menu, and the hint on a new document.
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CircleBar.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QMenuBar>
#include <QtTest>
#include <set>

namespace {

QPoint ClientOf(const CTesselView& view, const CDPoint& p) {
    return QPoint(int(std::lround(p.x)) + view.width() / 2,
                  int(std::lround(p.y)) + view.height() / 2);
}

// The mnemonic letters of a menu's items must differ; submenus are checked in turn. Only the
// greyed place-holder of an empty recent-file list goes without one.
void CheckMnemonics(const QMenu* menu, QStringList& clashes) {
    std::set<QChar> letters;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        const QString text = action->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= text.size()) {
            if (action->isEnabled()) {
                clashes << menu->title() + QStringLiteral(": no mnemonic in ") + text;
            }
        } else if (!letters.insert(text.at(amp + 1).toLower()).second) {
            clashes << menu->title() + QStringLiteral(": ") + text;
        }
        if (action->menu() != nullptr) {
            CheckMnemonics(action->menu(), clashes);
        }
    }
}

} // namespace

class TestKeys : public QObject, protected CEditorTest {
    Q_OBJECT

    void Start() {
        QVERIFY(StartEditor());
        QVERIFY(QTest::qWaitForWindowActive(m_app->m_pMainFrame));
        View().setFocus();
    }
    void Trigger(int id) {
        Frame().UpdateCommands();
        Frame().Action(id)->trigger();
        Frame().UpdateCommands();
    }
    void Key(Qt::Key key) {
        QTest::keyClick(&View(), key);
        Frame().UpdateCommands();
    }
    CCPEdge* BoundaryEdge() {
        for (CCPEdge* edge : Doc().m_edges.m_array) {
            if (edge->m_interior == 0) {
                return edge;
            }
        }
        return nullptr;
    }
    // The point of a boundary edge that a right click there deletes, or none.
    std::optional<QPoint> DeletableEdgePoint() {
        for (const CCPEdge* edge : Doc().m_edges.m_array) {
            const CDPoint middle = (*edge->m_start + *edge->m_end) * 0.5;
            if (edge->m_interior == 0 && Doc().m_nodes.HitTest(middle) == nullptr &&
                Doc().CanDeleteEdge(edge)) {
                return ClientOf(View(), middle);
            }
        }
        return std::nullopt;
    }
    int SelectedCount() {
        int n = Doc().m_circles.m_outer.m_selected != 0;
        for (const CCPCircle* c : Doc().m_circles.m_list) {
            n += c->m_selected != 0;
        }
        return n;
    }
    // How many pixels of the view's top-left corner differ from the white background.
    int MarkedCornerPixels() {
        const QImage image = View().grab().toImage();
        int marked = 0;
        for (int y = 10; y < 30; ++y) {
            for (int x = 10; x < 60; ++x) {
                marked += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
            }
        }
        return marked;
    }

private slots:
    void init() {
        SetLanguage(Language::English);
        Start();
    }

    void cleanup() {
        CloseEditor();
        SetLanguage(Language::English);
    }

    // Delete does what a right click at the pointer does, and is undone the same way.
    void deleteRemovesTheNodeOrEdgeUnderThePointer() {
        // A grown node is not connected and has two edges: a right click deletes it.
        CCPEdge* edge = BoundaryEdge();
        QTest::mouseClick(&View(), Qt::LeftButton, {},
                          ClientOf(View(), (*edge->m_start + *edge->m_end) * 0.5));
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
        const std::vector<std::uint8_t> grown = Doc().SaveToBytes();
        const QPoint node = ClientOf(View(), *Doc().m_nodes.GetAt(3));
        QTest::mouseMove(&View(), node);
        Key(Qt::Key_Delete);
        QCOMPARE(Doc().m_nodes.GetSize(), 3);
        QCOMPARE(Frame().Action(cmd::kUndo)->text(), QStringLiteral("&Undo Delete Node"));
        QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Doc().SaveToBytes() == grown);

        // An edge on a disk: Delete and a right click at the same point give the same bytes.
        QVERIFY(BuildHexDisk(Doc(), 2));
        View().OnInitialUpdate();
        const std::optional<QPoint> at = DeletableEdgePoint();
        QVERIFY(at.has_value());
        const int edges = Doc().m_edges.GetSize();
        QTest::mouseMove(&View(), *at);
        Key(Qt::Key_Delete);
        QCOMPARE(Doc().m_edges.GetSize(), edges - 1);
        const std::vector<std::uint8_t> byKey = Doc().SaveToBytes();
        Trigger(cmd::kUndo);
        QCOMPARE(Doc().m_edges.GetSize(), edges);
        QTest::mouseClick(&View(), Qt::RightButton, {}, *at);
        QVERIFY(Doc().SaveToBytes() == byKey);

        // Nothing under the pointer, a modifier held, or circle mode: Delete does nothing.
        const std::vector<std::uint8_t> before = Doc().SaveToBytes();
        QTest::mouseMove(&View(), QPoint(2, 2));
        Key(Qt::Key_Delete);
        QTest::mouseMove(&View(), *at);
        QTest::keyClick(&View(), Qt::Key_Delete, Qt::ShiftModifier);
        Trigger(cmd::kCircle);
        Key(Qt::Key_Delete);
        QVERIFY(Doc().SaveToBytes() == before);
    }

    // Esc during a drag puts the node back; the release then does nothing and records nothing.
    void escapeCancelsADrag() {
        CCPNode* node = Doc().m_nodes.GetAt(0);
        const CDPoint from = *node;
        const QPoint press = ClientOf(View(), from);
        QTest::mousePress(&View(), Qt::LeftButton, {}, press);
        QTest::mouseMove(&View(), press + QPoint(25, 15));
        QVERIFY(CDPoint(*node) != from);
        Key(Qt::Key_Escape);
        QCOMPARE(CDPoint(*node), from);
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, press + QPoint(25, 15));
        Frame().UpdateCommands();
        QCOMPARE(CDPoint(*node), from);
        QVERIFY(!Frame().Action(cmd::kUndo)->isEnabled());
        QCOMPARE(Doc().m_nodes.GetSize(), 3); // nor was the release taken for a click
    }

    // In circle mode Esc clears the selection and the gradation mode, and cancels a rubber band.
    void escapeDeselectsInCircleMode() {
        QVERIFY(BuildHexDisk(Doc(), 2));
        View().OnInitialUpdate();
        Trigger(cmd::kCirclePacking);
        Trigger(cmd::kCircle);
        auto* bar = Frame().findChild<CCircleBar*>();
        Trigger(cmd::kSelectAll);
        QVERIFY(SelectedCount() > 1 && bar->BarEnabled());
        View().SetGradationMode(1);
        Key(Qt::Key_Escape);
        QCOMPARE(SelectedCount(), 0);
        QVERIFY(!bar->BarEnabled());
        QCOMPARE(View().GradationMode(), GradNone);

        // A rubber band over the whole disk, cancelled before the release: nothing selected.
        const int r = int(View().Radius());
        const QPoint centre(View().width() / 2, View().height() / 2);
        QTest::mousePress(&View(), Qt::LeftButton, {}, centre - QPoint(r, r));
        QTest::mouseMove(&View(), centre + QPoint(r, r));
        QCOMPARE(View().RubberBandCount(), 1);
        Key(Qt::Key_Escape);
        QCOMPARE(View().RubberBandCount(), 0);
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, centre + QPoint(r, r));
        QCOMPARE(SelectedCount(), 0);
        // Without the Esc the same band selects every circle.
        QTest::mousePress(&View(), Qt::LeftButton, {}, centre - QPoint(r, r));
        QTest::mouseMove(&View(), centre + QPoint(r, r));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, centre + QPoint(r, r));
        QVERIFY(SelectedCount() > 1);
    }

    // Every menu and submenu has one mnemonic per item, all different, in both languages.
    void mnemonicsAreUniqueInEveryMenu() {
        for (const Language language : {Language::English, Language::Japanese}) {
            m_app.reset();
            SetLanguage(language);
            Start();
            QStringList clashes;
            for (const QAction* top : Frame().menuBar()->actions()) {
                CheckMnemonics(top->menu(), clashes);
            }
            // With the step's name in them, Undo and Redo keep their letters.
            QTest::mouseClick(
                &View(), Qt::LeftButton, {},
                ClientOf(View(), (*BoundaryEdge()->m_start + *BoundaryEdge()->m_end) * 0.5));
            Frame().UpdateCommands();
            for (const QAction* top : Frame().menuBar()->actions()) {
                CheckMnemonics(top->menu(), clashes);
            }
            QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
        }
    }

    // The hint shows on a new document in graph mode and goes with the first edit for good.
    void theStartHintShowsUntilTheFirstEdit() {
        QVERIFY(View().StartHintShown());
        QVERIFY(MarkedCornerPixels() > 0);
        Trigger(cmd::kCircle);
        QVERIFY(!View().StartHintShown());
        Trigger(cmd::kGraph);
        QVERIFY(View().StartHintShown());

        CCPEdge* edge = BoundaryEdge();
        QTest::mouseClick(&View(), Qt::LeftButton, {},
                          ClientOf(View(), (*edge->m_start + *edge->m_end) * 0.5));
        QVERIFY(!View().StartHintShown());
        QCOMPARE(MarkedCornerPixels(), 0);
        Trigger(cmd::kUndo);
        QVERIFY(!View().StartHintShown());

        // File > New shows it again; an opened document does not.
        Doc().SetModifiedFlag(false);
        Trigger(cmd::kFileNew);
        QVERIFY(View().StartHintShown());
        CModalScript save({ChooseFile(m_folder.filePath(QStringLiteral("h.tesl")))});
        Trigger(cmd::kFileSaveAs);
        QVERIFY(save.Done());
        CModalScript open({ChooseFile(m_folder.filePath(QStringLiteral("h.tesl")))});
        Trigger(cmd::kFileOpen);
        QVERIFY(open.Done());
        QVERIFY(!View().StartHintShown());
        QCOMPARE(MarkedCornerPixels(), 0);

        // Both languages have the text, each its own.
        const std::string english = LoadString(ids::kStartHint, Language::English);
        const std::string japanese = LoadString(ids::kStartHint, Language::Japanese);
        QVERIFY(english.find("Circle Packing") != std::string::npos);
        QVERIFY(!japanese.empty() && japanese != english);
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"

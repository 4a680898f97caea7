// Refinement, New Tiling Disk and Colour By as a user reaches them: through the menu
// commands and their dialogs, enabled in the right mode, each one undo step; Cancel during a
// growth.
#include "DialogDriver.h"
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "document/GraphBuilder.h"
#include "model/RegularTiling.h"
#include "packing/ConvergedPacking.h"

#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

namespace {

// Fills the tiling dialog's fields and presses OK.
ModalStep FillTiling(const QString& sides, const QString& corner, const QString& depth) {
    return [=](QWidget* modal) {
        if (modal->findChild<QLineEdit*>(QStringLiteral("sides")) == nullptr) {
            return false;
        }
        TypeInto(Child<QLineEdit>(modal, "sides"), sides);
        TypeInto(Child<QLineEdit>(modal, "corner"), corner);
        TypeInto(Child<QLineEdit>(modal, "depth"), depth);
        ClickButton(modal, "ok");
        return true;
    };
}

// Chooses the colouring in the Colour By dialog and presses OK.
ModalStep ChooseColouring(ColourBy by, bool selectedOnly) {
    return [=](QWidget* modal) {
        auto* kind = modal->findChild<QComboBox*>(QStringLiteral("kind"));
        if (kind == nullptr) {
            return false;
        }
        kind->setCurrentIndex(static_cast<int>(by));
        Child<QCheckBox>(modal, "selected")->setChecked(selectedOnly);
        ClickButton(modal, "ok");
        return true;
    };
}

} // namespace

class TestShapes : public QObject, protected CEditorTest {
    Q_OBJECT

    void Trigger(int id) {
        Frame().UpdateCommands();
        QVERIFY(Frame().Action(id)->isEnabled());
        Frame().Action(id)->trigger();
    }
    bool Enabled(int id) {
        Frame().UpdateCommands();
        return Frame().Action(id)->isEnabled();
    }
    void PackedHexDisk() {
        QVERIFY(BuildHexDisk(Doc(), 3));
        CConvergedPacking packing;
        QVERIFY(Doc().PackToConvergence(1e-12, {}, packing));
        View().OnDocumentRestored();
    }

private slots:
    void init() { QVERIFY(StartEditor()); }
    void cleanup() { CloseEditor(); }

    void refinementsAreGraphModeStepsThatUndoTakesBack() {
        PackedHexDisk(); // 37 nodes, 90 edges, 54 triangles, 18 boundary edges
        const struct {
            int command;
            int nodes;
        } rows[] = {{cmd::kHexRefine, 37 + 90},
                    {cmd::kBarycentricRefine, 37 + 90 + 54},
                    {cmd::kAddBoundaryLayer, 37 + 18}};
        for (const auto& row : rows) {
            Trigger(row.command);
            QCOMPARE(Doc().m_nodes.GetSize(), row.nodes);
            QVERIFY(Enabled(cmd::kCirclePacking));
            Trigger(cmd::kUndo);
            QCOMPARE(Doc().m_nodes.GetSize(), 37);
            QCOMPARE(Doc().m_circles.GetCount(), 37); // the packing's circles are back
        }
        Trigger(cmd::kCircle);
        QVERIFY(!Enabled(cmd::kHexRefine));
        QVERIFY(Enabled(cmd::kColourBy));
    }

    void aTilingDiskOpensFromItsDialog() {
        Doc().SetModifiedFlag(false);
        CMessageCatcher messages;
        CModalScript script(
            {FillTiling(QStringLiteral("6"), QStringLiteral("3"), QStringLiteral("3")),
             FillTiling(QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"))});
        Trigger(cmd::kNewTilingDisk);
        QVERIFY(script.Done());
        QCOMPARE(messages.m_texts.size(), 1); // {6,3} is flat, not hyperbolic
        QVERIFY(messages.m_texts[0].contains(QStringLiteral("{6,3}")));
        CTilingGraph tiling;
        QCOMPARE(MakeRegularTiling(5, 4, 3, MaxGrownNodes, tiling), std::string());
        QCOMPARE(Doc().m_nodes.GetSize(), int(tiling.points.size()));
        QVERIFY(Doc().IsModified());
        QVERIFY(Enabled(cmd::kCirclePacking));
    }

    void colourByColoursTheCirclesInOneStep() {
        QVERIFY(!Enabled(cmd::kColourBy)); // graph mode
        PackedHexDisk();
        Trigger(cmd::kCircle);
        std::vector<COLORREF> before;
        for (const CCPNode* node : Doc().m_nodes.m_array) {
            before.push_back(node->m_circle->m_innerCol);
        }
        CModalScript script({ChooseColouring(ColourBy::Proper, false)});
        Trigger(cmd::kColourBy);
        QVERIFY(script.Done());
        for (const CCPNode* node : Doc().m_nodes.m_array) {
            for (int p = 0; p < node->GetEdgeCount(); ++p) {
                QVERIFY(node->m_circle->m_innerCol != node->GetNeighbour(p)->m_circle->m_innerCol);
            }
        }
        Trigger(cmd::kUndo);
        for (int i = 0; i < Doc().m_nodes.GetSize(); ++i) {
            QCOMPARE(Doc().m_nodes.m_array[i]->m_circle->m_innerCol, before[i]);
        }
        // Undo selects the circles it gave back, as every style step does.
        QCOMPARE(Doc().m_circles.GetAt(5)->m_selected, 1);
        // With nothing selected, "selected circles only" colours nothing and says why.
        Doc().m_circles.SelectAll(0, true);
        CMessageCatcher messages;
        CModalScript refused({ChooseColouring(ColourBy::Degree, true)});
        Trigger(cmd::kColourBy);
        QVERIFY(refused.Done());
        QCOMPARE(messages.m_texts.size(), 1);
        QVERIFY(messages.m_texts[0].contains(QStringLiteral("no circle is chosen")));
    }

    // Cancel in the progress dialog stops each growth: the graph and the history stay.
    void cancellingAGrowthLeavesTheGraphAsItWas() {
        QVERIFY(BuildHexDisk(Doc(), 100)); // 30,301 nodes: seconds to refine here
        View().OnDocumentRestored();
        Doc().SetModifiedFlag(false);
        const std::vector<std::uint8_t> before = Doc().SaveToBytes();
        const std::size_t steps = Doc().History().Count();
        m_app->Progress().SetDialogDelay(0);
        for (int command : {cmd::kHexRefine, cmd::kBarycentricRefine, cmd::kAddBoundaryLayer}) {
            bool closed = true;
            CModalScript script({CancelProgress(Frame(), &closed)});
            Trigger(command);
            QVERIFY(script.Done());
            QVERIFY(!closed);
            QVERIFY(Doc().SaveToBytes() == before);
            QCOMPARE(Doc().History().Count(), steps);
            QVERIFY(!Doc().IsModified());
            QVERIFY2(Frame().StatusText().endsWith(
                         QStringLiteral(" was cancelled; the document is unchanged.")),
                     qPrintable(Frame().StatusText()));
        }
    }
};

QTEST_MAIN(TestShapes)
#include "tst_shapes.moc"

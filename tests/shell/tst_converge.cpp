// Run > Pack to Convergence as a user meets it: its place, key and button, when it is enabled,
// the packing it applies, the figures in the status bar, Cancel and the failures it reports.
#include "DialogDriver.h"
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ProgressRunner.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "packing/PackingErrors.h"
#include "view/TesselView.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>
#include <atomic>
#include <set>
#include <thread>

namespace {

QMenu* RunMenu(CMainFrame& frame) {
    return frame.menuBar()->actions().at(3)->menu();
}

// Everything a packing run changes: radii, circle geometry, node positions, the circle list.
struct PackingState {
    std::vector<double> values;
    std::vector<const CCPCircle*> list;
    bool operator==(const PackingState&) const = default;
};

PackingState StateOf(const CTesselDoc& doc) {
    PackingState state;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        const CCPCircle& c = *node->m_circle;
        state.values.insert(state.values.end(),
                            {node->x, node->y, c.m_radius, c.m_euclidRadius, c.m_euclidCentre.x,
                             c.m_euclidCentre.y, c.m_diskCentre.x, c.m_diskCentre.y});
    }
    state.list = {doc.m_circles.m_list.begin(), doc.m_circles.m_list.end()};
    return state;
}

// The number in "... error 1.23e-13 ..." of a status text.
double ErrorIn(const QString& text) {
    static const QRegularExpression number(QStringLiteral("error (\\S+)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
}

CCPEdge* BoundaryEdge(const CTesselDoc& doc) {
    for (CCPEdge* edge : doc.m_edges.m_array) {
        if (edge->m_interior == 0) {
            return edge;
        }
    }
    return nullptr;
}

} // namespace

class TestConverge : public QObject, protected CEditorTest {
    Q_OBJECT

    QAction* Command() { return Frame().Action(cmd::kPackToConvergence); }

private slots:
    void init() {
        SetLanguage(Language::English);
        QVERIFY(StartEditor());
    }

    void cleanup() { CloseEditor(); }

    void standsInTheRunMenuWithItsKeyButtonAndPrompt() {
        QStringList captions;
        std::set<QChar> mnemonics;
        for (const QAction* action : RunMenu(Frame())->actions()) {
            captions << action->text();
            const qsizetype amp = action->text().indexOf(QLatin1Char('&'));
            QVERIFY(amp >= 0);
            QVERIFY2(mnemonics.insert(action->text().at(amp + 1).toLower()).second,
                     qPrintable(action->text()));
        }
        QCOMPARE(captions,
                 (Strings({"&Circle Packing", "Pack to Con&vergence", "Node &Randomize"})));
        QCOMPARE(Command()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+P")));
        QCOMPARE(
            Command()->statusTip(),
            QStringLiteral("Pack the circles until every angle sum closes, by Newton's method"));
        const QList<QAction*> buttons = Frame().ToolBar()->actions();
        const qsizetype packing = buttons.indexOf(Frame().Action(cmd::kCirclePacking));
        QCOMPARE(buttons.at(packing + 1), Command());
        QCOMPARE(Command()->toolTip(), QStringLiteral("Pack to Convergence"));
        QVERIFY(!Command()->icon().pixmap(24, 24).isNull());
        QVERIFY(Command()->icon().cacheKey() !=
                Frame().Action(cmd::kCirclePacking)->icon().cacheKey());
    }

    void isEnabledExactlyWhenCirclePackingIs() {
        const auto agree = [this](bool expected) {
            Frame().UpdateCommands();
            QWidget* button = Frame().ToolBar()->widgetForAction(Command());
            return Command()->isEnabled() == expected && button->isEnabled() == expected &&
                   Frame().Action(cmd::kCirclePacking)->isEnabled() == expected;
        };
        QVERIFY(agree(false)); // the starting triangle: three nodes not connected
        QVERIFY(BuildHexDisk(Doc(), 2));
        Frame().UpdateCommands();
        QVERIFY(agree(true));
        QVERIFY(Doc().GrowNode(BoundaryEdge(Doc())));
        QVERIFY(agree(false)); // a grown node is not connected yet
        // The key does nothing then either.
        QTest::keyClick(Frame().centralWidget(), Qt::Key_P,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Doc().m_circles.GetCount(), 0);
    }

    void packsToTheToleranceAndShowsTheError() {
        QVERIFY(BuildHexDisk(Doc(), 4));
        Doc().SetModifiedFlag(false);
        Frame().UpdateCommands();
        QTest::keyClick(Frame().centralWidget(), Qt::Key_P,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Doc().m_circles.GetCount(), Doc().m_nodes.GetSize());
        QVERIFY(Doc().IsModified());
        const QString status = Frame().PackingStatus();
        QVERIFY2(status.startsWith(QStringLiteral("Converged: largest angle-sum error ")),
                 qPrintable(status));
        QVERIFY(status.contains(QStringLiteral(" Newton iterations")));
        const double error = ErrorIn(status);
        QVERIFY(error >= 0 && error <= 1e-12);
        // Every node sits on its circle's centre at the drawing radius.
        const double radius = m_app->m_pView->Radius();
        for (const CCPNode* node : Doc().m_nodes.m_array) {
            QCOMPARE(node->x, node->m_circle->m_euclidCentre.x * radius);
        }

        // Circle Packing reports its own largest error, which one run leaves far larger.
        Frame().Action(cmd::kCirclePacking)->trigger();
        const QString after = Frame().PackingStatus();
        QVERIFY2(after.startsWith(QStringLiteral("Largest angle-sum error ")), qPrintable(after));
        QCOMPARE(
            ErrorIn(after),
            QString::number(MeasurePackingErrors(Doc().m_nodes).innerError, 'e', 2).toDouble());

        // An edit of the graph takes the figures away; a new document too.
        const CCPEdge* edge = BoundaryEdge(Doc());
        QTest::mouseClick(
            m_app->m_pView, Qt::LeftButton, {},
            QPoint(int((edge->m_start->x + edge->m_end->x) / 2) + m_app->m_pView->width() / 2,
                   int((edge->m_start->y + edge->m_end->y) / 2) + m_app->m_pView->height() / 2));
        QVERIFY(Frame().PackingStatus().isEmpty());
    }

    // Cancel, pressed while the solver works, leaves every radius, circle, position and the
    // modified flag as they were; the window cannot be closed meanwhile.
    void cancelLeavesTheDocumentAsItWas() {
        QVERIFY(BuildHexDisk(Doc(), 5));
        Frame().UpdateCommands();
        Frame().Action(cmd::kCirclePacking)->trigger();
        Doc().SetModifiedFlag(false);
        const PackingState before = StateOf(Doc());
        const std::vector<std::uint8_t> bytes = Doc().SaveToBytes();
        const QString figures = Frame().PackingStatus();

        std::atomic<bool> solverRan = false;
        m_app->SetConvergedSolver([&](const CCPNodeArray& nodes, double tolerance,
                                      const NewtonProgress& progress, CConvergedPacking& outcome,
                                      std::string& problem) {
            // Busy until the user's Cancel reaches the progress callback, as a long solve is.
            while (progress(12, 7.11e-15)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            solverRan = true;
            return ComputeConvergedPacking(nodes, tolerance, progress, outcome, problem);
        });
        m_app->Progress().SetDialogDelay(0);
        bool closed = true;
        QString shown;
        bool fits = false;
        // The progress line is shown whole: the dialog is wide enough for it from the start.
        const ModalStep readProgress = [&](QWidget* modal) {
            auto* text = modal->findChild<QLabel*>(QStringLiteral("progressText"));
            if (text == nullptr || !text->text().startsWith(QStringLiteral("Newton"))) {
                return false;
            }
            shown = text->text();
            fits = text->fontMetrics().horizontalAdvance(shown) <= text->contentsRect().width();
            return true;
        };
        CModalScript script({readProgress, CancelProgress(Frame(), &closed)});
        Command()->trigger();
        QVERIFY(script.Done());
        QCOMPARE(shown, QStringLiteral("Newton iteration 12, largest angle-sum error 7.11e-15"));
        QVERIFY(fits);
        QVERIFY(solverRan);
        QVERIFY(!closed);
        QVERIFY(Frame().isVisible());
        QVERIFY(!m_app->Progress().IsRunning());
        QVERIFY(StateOf(Doc()) == before);
        QVERIFY(Doc().SaveToBytes() == bytes);
        QVERIFY(!Doc().IsModified());
        QCOMPARE(Frame().StatusText(),
                 QStringLiteral("Pack to Convergence was cancelled; the document is unchanged."));
        QCOMPARE(Frame().PackingStatus(), figures);
        // The command is available again.
        Frame().UpdateCommands();
        QVERIFY(Command()->isEnabled());
    }

    // A solve that stops above the tolerance applies its best packing and says so.
    void stoppingAboveTheToleranceIsReported() {
        QVERIFY(BuildHexDisk(Doc(), 3));
        Frame().UpdateCommands();
        m_app->SetConvergedSolver([](const CCPNodeArray& nodes, double tolerance,
                                     const NewtonProgress& progress, CConvergedPacking& outcome,
                                     std::string& problem) {
            const bool solved =
                ComputeConvergedPacking(nodes, tolerance, progress, outcome, problem);
            outcome.status = NewtonStatus::Limit;
            return solved;
        });
        CMessageCatcher messages;
        Command()->trigger();
        QCOMPARE(messages.m_texts.size(), 1);
        QVERIFY2(messages.m_texts[0].startsWith(QStringLiteral(
                     "Pack to Convergence stopped at a largest angle-sum error of ")),
                 qPrintable(messages.m_texts[0]));
        QVERIFY(messages.m_texts[0].contains(QStringLiteral("above the tolerance 1e-12")));
        QVERIFY(Frame().PackingStatus().startsWith(QStringLiteral("Stopped above the tolerance")));
        QCOMPARE(Doc().m_circles.GetCount(), Doc().m_nodes.GetSize());
    }

    // The solver's refusals and running out of memory are reported; nothing changes.
    void failuresAreReportedAndChangeNothing() {
        QVERIFY(BuildHexDisk(Doc(), 2));
        Frame().UpdateCommands();
        Doc().SetModifiedFlag(false);
        const PackingState before = StateOf(Doc());
        m_app->SetConvergedSolver([](const CCPNodeArray&, double, const NewtonProgress&,
                                     CConvergedPacking&,
                                     std::string&) -> bool { throw std::bad_alloc(); });
        CMessageCatcher messages;
        Command()->trigger();
        m_app->SetConvergedSolver([](const CCPNodeArray&, double, const NewtonProgress&,
                                     CConvergedPacking&, std::string& problem) {
            problem = "The graph is damaged.";
            return false;
        });
        Command()->trigger();
        QCOMPARE(messages.m_texts,
                 (Strings({"There is not enough memory to pack this graph to convergence.",
                           "The graph is damaged."})));
        QVERIFY(StateOf(Doc()) == before);
        QVERIFY(!Doc().IsModified());
    }

    // The Settings dialog's tolerance is the one the command solves to.
    void solvesToTheToleranceOfTheSettings() {
        QVERIFY(BuildHexDisk(Doc(), 2));
        Frame().UpdateCommands();
        double used = 0;
        m_app->SetConvergedSolver([&used](const CCPNodeArray& nodes, double tolerance,
                                          const NewtonProgress& progress,
                                          CConvergedPacking& outcome, std::string& problem) {
            used = tolerance;
            return ComputeConvergedPacking(nodes, tolerance, progress, outcome, problem);
        });
        Command()->trigger();
        QCOMPARE(used, 1e-12);
        CModalScript settings({[](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("convergenceTolerance"));
            if (edit == nullptr) {
                return false;
            }
            edit->setText(QStringLiteral("2.5e-9"));
            static_cast<QDialog*>(modal)->accept();
            return true;
        }});
        Frame().Action(cmd::kSettings)->trigger();
        QVERIFY(settings.Done());
        Command()->trigger();
        QCOMPARE(used, 2.5e-9);
    }

    // A margin larger than the window leaves no drawing radius; the nodes are still placed
    // apart, in the window's own frame, and the circles' centres keep them.
    void aMarginLargerThanTheWindowNeverCollapsesTheGraph() {
        QVERIFY(BuildHexDisk(Doc(), 3));
        Frame().UpdateCommands();
        CModalScript settings({[](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("margin"));
            if (edit == nullptr) {
                return false;
            }
            edit->setText(QStringLiteral("5000"));
            static_cast<QDialog*>(modal)->accept();
            return true;
        }});
        Frame().Action(cmd::kSettings)->trigger();
        QVERIFY(settings.Done());
        QCOMPARE(View().Radius(), 0.0);
        Command()->trigger();
        QCOMPARE(Doc().m_circles.GetCount(), Doc().m_nodes.GetSize());
        const double frame = std::min(Doc().m_extentX, Doc().m_extentY);
        std::set<std::pair<double, double>> places;
        for (const CCPNode* node : Doc().m_nodes.m_array) {
            places.emplace(node->x, node->y);
            QCOMPARE(node->x, node->m_circle->m_euclidCentre.x * frame);
        }
        QCOMPARE(places.size(), std::size_t(Doc().m_nodes.GetSize()));
    }
};

QTEST_MAIN(TestConverge)
#include "tst_converge.moc"

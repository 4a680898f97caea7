// File > New Hex Disk and New Random Disk with their dialogs: refused sizes, the disk built
// and shown whole, Cancel, the save question first, the commands' states, and the box that
// packs the new disk to convergence.
#include "DialogDriver.h"
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/IniFile.h"
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Types the texts into the named fields of the size dialog, then presses the button.
ModalStep FillSizes(std::vector<std::pair<const char*, QString>> fields, const char* button) {
    return [fields, button](QWidget* modal) {
        if (modal->findChild<QLineEdit*>() == nullptr || qobject_cast<QFileDialog*>(modal)) {
            return false;
        }
        for (const auto& [name, text] : fields) {
            TypeInto(Child<QLineEdit>(modal, name), text);
        }
        ClickButton(modal, button);
        return true;
    };
}

// Ticks or clears the pack box of the size dialog, recording how it opened, then presses OK
// on the default size.
ModalStep PackBox(bool tick, bool* wasTicked) {
    return [tick, wasTicked](QWidget* modal) {
        auto* box = modal->findChild<QCheckBox*>(QStringLiteral("pack"));
        if (box == nullptr) {
            return false;
        }
        *wasTicked = box->isChecked();
        box->setChecked(tick);
        ClickButton(modal, "ok");
        return true;
    };
}

// Presses Cancel in the progress dialog once it reports Newton iterations, not while the
// disk is being built.
ModalStep CancelNewton() {
    return [](QWidget* modal) {
        auto* text = modal->findChild<QLabel*>(QStringLiteral("progressText"));
        if (text == nullptr || !text->text().startsWith(QStringLiteral("Newton"))) {
            return false;
        }
        modal->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        return true;
    };
}

} // namespace

class TestNewDisk : public QObject, protected CEditorTest {
    Q_OBJECT

    void Trigger(int id) {
        Frame().UpdateCommands();
        Frame().Action(id)->trigger();
    }

private slots:
    void init() {
        QVERIFY(StartEditor());
        Doc().SetModifiedFlag(false);
    }

    void cleanup() { CloseEditor(); }

    void hexDiskOpensWholeInTheWindow() {
        QVERIFY(Frame().Action(cmd::kNewHexDisk)->isEnabled());
        QVERIFY(Frame().Action(cmd::kNewRandomDisk)->isEnabled());
        View().ZoomIn();
        CMessageCatcher messages;
        // A size out of range is refused with the standard message, and the dialog stays.
        CModalScript script({FillSizes({{"rings", QStringLiteral("0")}}, "ok"),
                             FillSizes({{"rings", QStringLiteral("12")}}, "ok")});
        Trigger(cmd::kNewHexDisk);
        QVERIFY(script.Done());
        QCOMPARE(messages.m_texts.size(), 1);
        QVERIFY(messages.m_texts[0].contains(QString::number(MaxHexRings)));
        QCOMPARE(Doc().m_nodes.GetSize(), 1 + 3 * 12 * 13);
        QVERIFY(Doc().IsModified());
        QVERIFY(!View().IsZoomed());
        // Centred on the window and inside it: the centre node in the middle, every node on
        // the screen.
        QCOMPARE(Doc().GetNodeAt(0)->x, 0.0);
        QCOMPARE(Doc().GetNodeAt(0)->y, 0.0);
        for (const CCPNode* node : Doc().m_nodes.m_array) {
            QVERIFY(std::abs(node->x) <= View().width() / 2);
            QVERIFY(std::abs(node->y) <= View().height() / 2);
        }
        QVERIFY(Frame().Action(cmd::kCirclePacking)->isEnabled());
    }

    void randomDiskTakesNodesAndSeed() {
        CMessageCatcher messages;
        CModalScript script(
            {FillSizes({{"nodes", QStringLiteral("300")}, {"seed", QStringLiteral("-1")}}, "ok"),
             FillSizes({{"seed", QStringLiteral("7")}}, "ok")});
        Trigger(cmd::kNewRandomDisk);
        QVERIFY(script.Done());
        QCOMPARE(messages.m_texts.size(), 1);
        const int nodes = Doc().m_nodes.GetSize();
        QVERIFY(nodes >= 300 && nodes <= 312);
        // The same as the builder makes from that seed.
        CTesselDoc same;
        QVERIFY(BuildRandomDisk(same, 300, 7));
        QCOMPARE(nodes, same.m_nodes.GetSize());
        QCOMPARE(Doc().m_edges.GetSize(), same.m_edges.GetSize());
    }

    void cancelKeepsTheDocument() {
        const int nodes = Doc().m_nodes.GetSize();
        CModalScript script({FillSizes({}, "cancel")});
        Trigger(cmd::kNewHexDisk);
        QVERIFY(script.Done());
        QCOMPARE(Doc().m_nodes.GetSize(), nodes);
        QVERIFY(!Doc().IsModified());
        // A large disk is built on the worker behind the progress dialog, which counts the
        // nodes made; its Cancel stops the build and the window stays open meanwhile.
        bool closed = false;
        QString counted;
        const ModalStep readProgress = [&counted](QWidget* modal) {
            auto* text = modal->findChild<QLabel*>(QStringLiteral("progressText"));
            if (text == nullptr || !text->text().contains(QStringLiteral(" nodes"))) {
                return false;
            }
            counted = text->text();
            return true;
        };
        CModalScript big({FillSizes({{"rings", QString::number(MaxHexRings)}}, "ok"), readProgress,
                          CancelProgress(Frame(), &closed)});
        Trigger(cmd::kNewHexDisk);
        QVERIFY(big.Done());
        QVERIFY2(counted.startsWith(QStringLiteral("Building the disk, ")), qPrintable(counted));
        QVERIFY(!closed);
        QCOMPARE(Doc().m_nodes.GetSize(), nodes);
        QVERIFY(!Doc().IsModified());
    }

    void aModifiedDocumentIsOfferedForSavingFirst() {
        Doc().SetModifiedFlag(true);
        const int nodes = Doc().m_nodes.GetSize();
        QString question;
        CModalScript script({PressButton(QMessageBox::Cancel, &question)});
        Trigger(cmd::kNewHexDisk);
        QVERIFY(script.Done());
        QVERIFY(!question.isEmpty());
        QCOMPARE(Doc().m_nodes.GetSize(), nodes);
    }

    // Ticked, the disk opens packed in circle mode; unticked, or with the packing cancelled,
    // it stays as drawn in graph mode. Either dialog opens with the box as last accepted, and
    // the profile written at exit keeps it.
    void packToConvergenceBoxIsHonouredAndRemembered() {
        const struct {
            const char* name;
            int command;
            bool tick;
            bool cancel;
        } cases[] = {
            {"hex ticked", cmd::kNewHexDisk, true, false},
            {"random ticked", cmd::kNewRandomDisk, true, false},
            {"random cancelled", cmd::kNewRandomDisk, true, true},
            {"hex unticked", cmd::kNewHexDisk, false, false},
        };
        std::atomic<bool> slow = false;
        m_app->SetConvergedSolver([&slow](const CCPNodeArray& nodes, double tolerance,
                                          const NewtonProgress& progress,
                                          CConvergedPacking& outcome, std::string& problem) {
            // Busy until Cancel reaches the progress callback, as a long solve is.
            while (slow && progress(1, 1.0)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            return ComputeConvergedPacking(nodes, tolerance, progress, outcome, problem);
        });
        m_app->Progress().SetDialogDelay(0);
        bool lastTick = true; // a new profile: the box starts ticked
        for (const auto& c : cases) {
            Trigger(cmd::kGraph);
            Doc().SetModifiedFlag(false);
            slow = c.cancel;
            bool wasTicked = !lastTick;
            std::vector<ModalStep> steps{PackBox(c.tick, &wasTicked)};
            if (c.cancel) {
                steps.push_back(CancelNewton());
            }
            CModalScript script(steps);
            Trigger(c.command);
            QVERIFY2(script.Done(), c.name);
            QVERIFY2(wasTicked == lastTick, c.name);
            const bool packed = c.tick && !c.cancel;
            QVERIFY2(Doc().IsModified(), c.name);
            QVERIFY2((Doc().m_circles.GetCount() == Doc().m_nodes.GetSize()) == packed, c.name);
            QVERIFY2((View().Mode() == CircleMode) == packed, c.name);
            QVERIFY2(Frame().Action(cmd::kCircle)->isChecked() == packed, c.name);
            lastTick = c.tick;
        }
        // The box is written with the profile at exit, to be read at the next start.
        Doc().SetModifiedFlag(false);
        QVERIFY(Frame().close());
        CIniFile profile;
        std::string error;
        QVERIFY(profile.Load(m_folder.filePath(QStringLiteral("t.ini")).toStdString(), error));
        QCOMPARE(profile.GetInt("NewDisk", "PackToConvergence", -1), 0);
    }
};

QTEST_MAIN(TestNewDisk)
#include "tst_newdisk.moc"

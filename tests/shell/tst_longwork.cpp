// Opening, saving and Circle Packing as a user meets them on a large document: the progress
// dialog, Cancel, the window that cannot be closed meanwhile, and the document and the file
// kept as they were.
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ProgressRunner.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "model/CPNodeArray.h"
#include "view/TesselView.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

class TestLongWork : public QObject, protected CEditorTest {
    Q_OBJECT

    QString m_large; // a hex disk of 110 rings: reading it takes a while

    // Runs the command while a script reads the progress text and presses Cancel.
    QString RunAndCancel(const std::function<void()>& command, const QString& textStart) {
        m_app->Progress().SetDialogDelay(0);
        QString shown;
        const ModalStep readProgress = [&](QWidget* modal) {
            auto* text = modal->findChild<QLabel*>(QStringLiteral("progressText"));
            if (text == nullptr || !text->text().startsWith(textStart)) {
                return false;
            }
            shown = text->text();
            return true;
        };
        bool closed = true;
        CModalScript script({readProgress, CancelProgress(Frame(), &closed)});
        command();
        if (!script.Done() || closed || m_app->Progress().IsRunning()) {
            return {};
        }
        return shown;
    }

private slots:
    void initTestCase() {
        CTesselDoc disk;
        QVERIFY(BuildHexDisk(disk, 110));
        m_large = m_folder.filePath(QStringLiteral("large.tesl"));
        std::string error;
        QVERIFY(disk.OnSaveDocument(m_large.toStdString(), error));
    }

    void init() {
        SetLanguage(Language::English);
        QVERIFY(StartEditor());
    }

    void cleanup() {
        CCPNodeArray::ResetDefaults();
        CloseEditor();
    }

    // Work that cannot stop part way shows no Cancel, and Escape leaves its dialog open until
    // the work has finished; other work offers Cancel and Escape asks it to stop, until the
    // work says that it can stop no more (then Cancel is disabled and Escape does nothing).
    void onlyWorkThatCanStopOffersCancel_data() {
        QTest::addColumn<bool>("offered");
        QTest::addColumn<bool>("ended");
        QTest::newRow("offered") << true << false;
        QTest::newRow("not offered") << false << false;
        QTest::newRow("offered, then ended") << true << true;
    }
    void onlyWorkThatCanStopOffersCancel() {
        QFETCH(bool, offered);
        QFETCH(bool, ended);
        const bool stoppable = offered && !ended;
        CProgressRunner& runner = m_app->Progress();
        runner.SetDialogDelay(0);
        std::atomic<bool> seen = false;
        bool buttonUsable = !stoppable;
        const ModalStep pressEscape = [&](QWidget* modal) {
            if (modal->objectName() != QStringLiteral("progressDialog")) {
                return false;
            }
            auto* button = modal->findChild<QPushButton*>(QStringLiteral("cancel"));
            if (ended && button->isEnabled()) {
                return false; // the dialog has not seen the end of Cancel yet
            }
            buttonUsable = button->isVisible() && button->isEnabled();
            QTest::keyClick(modal, Qt::Key_Escape);
            seen = true;
            return true;
        };
        CModalScript script({pressEscape});
        bool cancelSeen = false;
        const bool finished = runner.Run(
            QStringLiteral("work"), QStringLiteral("working"),
            [&] {
                if (ended) {
                    runner.EndCancel();
                }
                while (!seen) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
                // A moment for the Escape to reach the dialog before the work ends.
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                cancelSeen = runner.CancelAsked();
            },
            offered ? CProgressRunner::Cancel::Offered : CProgressRunner::Cancel::NotOffered);
        QVERIFY(script.Done());
        QCOMPARE(buttonUsable, stoppable);
        QCOMPARE(cancelSeen, stoppable);
        QCOMPARE(finished, !stoppable);
    }

    // A run made endless by its sweeps can only end by Cancel, which puts everything back.
    void circlePackingCancelledLeavesTheDocument() {
        QVERIFY(BuildHexDisk(Doc(), 5));
        Frame().RunCommand(cmd::kCirclePacking);
        Doc().SetModifiedFlag(false);
        const std::vector<std::uint8_t> bytes = Doc().SaveToBytes();
        const QString figures = Frame().PackingStatus();
        CCPNodeArray::m_sweeps = 1 << 30;

        const QString shown = RunAndCancel([&] { Frame().RunCommand(cmd::kCirclePacking); },
                                           QStringLiteral("Circle Packing, step "));
        QVERIFY(shown.endsWith(QStringLiteral(" of 1073741825...")));
        QVERIFY(Doc().SaveToBytes() == bytes);
        QVERIFY(!Doc().IsModified());
        QCOMPARE(Frame().StatusText(),
                 QStringLiteral("Circle Packing was cancelled; the document is unchanged."));
        QCOMPARE(Frame().PackingStatus(), figures);
        // Undo takes back the first run, not the cancelled one.
        QCOMPARE(Frame().Action(cmd::kUndo)->text(), QStringLiteral("&Undo Circle Packing"));
        Frame().RunCommand(cmd::kUndo);
        QVERIFY(!Frame().Action(cmd::kUndo)->isEnabled());
    }

    void openingCancelledKeepsTheDocument() {
        Doc().SetModifiedFlag(false);
        const std::vector<std::uint8_t> bytes = Doc().SaveToBytes();
        const QString shown = RunAndCancel([&] { m_app->OpenDocumentFile(m_large); },
                                           QStringLiteral("Opening large.tesl..."));
        QVERIFY(!shown.isEmpty());
        QVERIFY(Doc().SaveToBytes() == bytes);
        QVERIFY(m_app->PathName().isEmpty());
        QVERIFY(!m_app->RecentFiles().Files().contains(m_large));
        QCOMPARE(Frame().StatusText(),
                 QStringLiteral("Opening was cancelled; the document is unchanged."));

        // Not cancelled, it opens.
        QVERIFY(m_app->OpenDocumentFile(m_large));
        QCOMPARE(Doc().m_nodes.GetSize(), 3 * 110 * 111 + 1);
    }

    // Saving asks on the way; a Cancel keeps the old file and the unsaved changes, so that
    // the window still asks before it closes.
    void savingCancelledKeepsTheFile() {
        Doc().SetModifiedFlag(false);
        QVERIFY(m_app->OpenDocumentFile(m_large));
        const QByteArray saved = ReadAll(m_large);
        Doc().ScaleDownGraph(0.5);
        Doc().SetModifiedFlag(true);
        const QString shown = RunAndCancel([&] { Frame().RunCommand(cmd::kFileSave); },
                                           QStringLiteral("Saving large.tesl..."));
        QVERIFY(!shown.isEmpty());
        QCOMPARE(ReadAll(m_large), saved);
        QVERIFY(Doc().IsModified());
        QCOMPARE(Frame().StatusText(),
                 QStringLiteral("Saving was cancelled; the file is unchanged."));
        QStringList files = QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden);
        files.removeAll(QStringLiteral("t.ini"));
        QCOMPARE(files, QStringList{QStringLiteral("large.tesl")}); // no temporary file left

        Frame().RunCommand(cmd::kFileSave);
        QVERIFY(!Doc().IsModified());
        const std::vector<std::uint8_t> bytes = Doc().SaveToBytes();
        QCOMPARE(ReadAll(m_large),
                 QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }
};

QTEST_MAIN(TestLongWork)
#include "tst_longwork.moc"

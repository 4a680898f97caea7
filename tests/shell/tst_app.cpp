// The application around the document: command line, open and save through the real
// dialogs, the save prompt, failures, and the profile written at exit.
#include "DialogDriver.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QtStrings.h"
#include "app/TesselApp.h"
#include "document/IniFile.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QToolBar>
#include <QtTest>
#include <filesystem>
#include <sys/stat.h>

namespace {

QPoint ClientOf(const CTesselView& view, double x, double y) {
    return QPoint(int(std::lround(x)) + view.width() / 2, int(std::lround(y)) + view.height() / 2);
}

// Grows one node on the first boundary edge with a real click.
void GrowOnce(CTesselApp& app) {
    for (const CCPEdge* edge : app.m_pDoc->m_edges.m_array) {
        if (edge->m_interior == 0) {
            const CCPNode* a = edge->m_start;
            const CCPNode* b = edge->m_end;
            QTest::mouseClick(app.m_pView, Qt::LeftButton, {},
                              ClientOf(*app.m_pView, (a->x + b->x) / 2, (a->y + b->y) / 2));
            return;
        }
    }
}

QString ShownTitle(CTesselApp& app) {
    return app.m_pMainFrame->windowHandle()->title();
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    std::string Profile() const { return m_folder.filePath(QStringLiteral("t.ini")).toStdString(); }
    QString File(const char* name) const { return m_folder.filePath(QLatin1String(name)); }

    void WriteBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void init() {
        SetLanguage(Language::English);
        QFile::remove(QString::fromStdString(Profile()));
    }

    void saveAsOpenAndRecentFilesRoundTrip() {
        CTesselApp app;
        QVERIFY(app.InitInstance({}, Profile()));
        QVERIFY(QTest::qWaitForWindowExposed(app.m_pMainFrame));
        QCOMPARE(ShownTitle(app), QStringLiteral("Untitled* - Tessel"));
        GrowOnce(app);
        QCOMPARE(app.m_pDoc->m_nodes.GetSize(), 4);

        // Save on an untitled document asks for a name.
        CModalScript saveAs({ChooseFile(File("drawn"))});
        app.m_pMainFrame->Action(cmd::kFileSave)->trigger();
        QVERIFY(saveAs.Done());
        QVERIFY(QFileInfo::exists(File("drawn.tesl")));
        QVERIFY(!app.m_pDoc->IsModified());
        QCOMPARE(ShownTitle(app), QStringLiteral("drawn.tesl - Tessel"));
        QCOMPARE(app.RecentFiles().Files(), QStringList{File("drawn.tesl")});

        // Save again writes the same file without a dialog.
        GrowOnce(app);
        QVERIFY(app.m_pDoc->IsModified());
        app.m_pMainFrame->Action(cmd::kFileSave)->trigger();
        QVERIFY(!app.m_pDoc->IsModified());

        // A new document, then Open brings the saved graph back.
        app.m_pMainFrame->Action(cmd::kFileNew)->trigger();
        QCOMPARE(app.m_pDoc->m_nodes.GetSize(), 3);
        CModalScript open({ChooseFile(File("drawn.tesl")), PressButton(QMessageBox::No)});
        app.m_pMainFrame->Action(cmd::kFileOpen)->trigger();
        QVERIFY(open.Done());
        QCOMPARE(app.m_pDoc->m_nodes.GetSize(), 5);
        QVERIFY(!app.m_pDoc->IsModified());
        QCOMPARE(app.PathName(), File("drawn.tesl"));

        // Save As under another name keeps both files and lists the new one first.
        CModalScript copy({ChooseFile(File("copy.tesl"))});
        app.m_pMainFrame->Action(cmd::kFileSaveAs)->trigger();
        QCOMPARE(app.RecentFiles().Files(), (QStringList{File("copy.tesl"), File("drawn.tesl")}));
        QCOMPARE(QFileInfo(File("copy.tesl")).size(), QFileInfo(File("drawn.tesl")).size());
    }

    void savePromptGuardsExit() {
        CTesselApp app;
        QVERIFY(app.InitInstance({}, Profile()));
        QVERIFY(QTest::qWaitForWindowExposed(app.m_pMainFrame));
        QString question;
        AnswerNextMessageBox(QMessageBox::Cancel, &question);
        app.m_pMainFrame->Action(cmd::kExit)->trigger();
        QCOMPARE(question, QStringLiteral("Save changes to Untitled?"));
        QVERIFY(app.m_pMainFrame->isVisible());

        // Yes with a cancelled name dialog keeps the window too.
        {
            CModalScript script({PressButton(QMessageBox::Yes), CancelFileDialog()});
            app.m_pMainFrame->Action(cmd::kExit)->trigger();
            QVERIFY(script.Done());
        }
        QVERIFY(app.m_pMainFrame->isVisible());
        CModalScript script({PressButton(QMessageBox::Yes), ChooseFile(File("atexit.tesl"))});
        app.m_pMainFrame->Action(cmd::kExit)->trigger();
        QVERIFY(script.Done());
        QVERIFY(!app.m_pMainFrame->isVisible());
        QVERIFY(QFileInfo::exists(File("atexit.tesl")));
    }

    void profileIsWrittenAtExit() {
        {
            CTesselApp app;
            QVERIFY(app.InitInstance({}, Profile()));
            app.m_pDoc->SetModifiedFlag(false);
            app.m_pMainFrame->close();
        }
        CIniFile ini;
        std::string error;
        QVERIFY(ini.Load(Profile(), error));
        const char* keys[][2] = {
            {"View", "CircleAntialiasing"},
            {"View", "BGColor"},
            {"View", "Margin"},
            {"View", "GraSnap"},
            {"View", "GraStartCol"},
            {"View", "GraEndCol"},
            {"Node", "InnerCol"},
            {"Node", "OuterCol"},
            {"Node", "NotConnectCol"},
            {"Node", "Size"},
            {"Node", "ThurstonThreshold"},
            {"Edge", "InnerCol"},
            {"Edge", "OuterCol"},
            {"Edge", "Thickness"},
            {"Edge", "Hit"},
            {"Circle", "DefInnerCol"},
            {"Circle", "DefLineCol"},
            {"Circle", "DefThickness"},
            {"Circle", "DefOutInnerCol"},
            {"Circle", "DefOutLineCol"},
            {"Circle", "DefOutThickness"},
            {"Circle", "BackModeColor"},
        };
        QCOMPARE(std::size(keys), size_t(22));
        for (const auto& key : keys) {
            QVERIFY2(ini.Has(key[0], key[1]), key[1]);
        }
        QVERIFY(ini.Has("Frame", "Geometry"));
        QVERIFY(ini.Has("Frame", "State"));
        QCOMPARE(ini.GetInt("View", "Margin", -1), 10);
    }

    // A profile the editor could not read is never written: what it holds would be lost, and
    // a pipe would hold the exit for ever.
    void aProfileThatCannotBeReadIsNeverWritten() {
        const QString path = QString::fromStdString(Profile());
        const qint64 large = 17 * 1024 * 1024;
        for (bool pipe : {false, true}) {
            QFile::remove(path);
            if (pipe) {
                QCOMPARE(mkfifo(Profile().c_str(), 0600), 0);
            } else {
                WriteBytes(path, QByteArray(large, ';'));
            }
            CMessageCatcher catcher;
            {
                CTesselApp app;
                QVERIFY(app.InitInstance({}, Profile()));
                app.m_pDoc->SetModifiedFlag(false);
                app.m_pMainFrame->close();
            }
            QCOMPARE(catcher.m_texts.size(), 1);
            QVERIFY(catcher.m_texts[0].contains(LoadQString(ids::kProfileNotSaved)));
            if (pipe) {
                QVERIFY(std::filesystem::is_fifo(Profile()));
            } else {
                QCOMPARE(QFileInfo(path).size(), large);
            }
        }
        // Read at start, a pipe by the exit: the exit says so and goes on.
        QFile::remove(path);
        CMessageCatcher catcher;
        {
            CTesselApp app;
            QVERIFY(app.InitInstance({}, Profile()));
            app.m_pDoc->SetModifiedFlag(false);
            QCOMPARE(mkfifo(Profile().c_str(), 0600), 0);
            app.m_pMainFrame->close();
        }
        QCOMPARE(catcher.m_texts.size(), 1);
        QVERIFY(catcher.m_texts[0].contains(QStringLiteral("named pipe")));
        QFile::remove(path);
    }

    void hiddenToolBarComesBackHidden() {
        {
            CTesselApp app;
            QVERIFY(app.InitInstance({}, Profile()));
            QVERIFY(QTest::qWaitForWindowExposed(app.m_pMainFrame));
            app.m_pMainFrame->Action(cmd::kToolbar)->trigger();
            app.m_pDoc->SetModifiedFlag(false);
            app.m_pMainFrame->close();
        }
        CTesselApp app;
        QVERIFY(app.InitInstance({}, Profile()));
        QVERIFY(app.m_pMainFrame->ToolBar()->isHidden());
        app.m_pDoc->SetModifiedFlag(false);
    }

    void commandLineOpensADocument() {
        {
            CTesselApp app;
            QVERIFY(app.InitInstance({}, Profile()));
            GrowOnce(app);
            CModalScript script({ChooseFile(File("cmdline.tesl"))});
            QVERIFY(app.OnFileSaveAs());
        }
        CTesselApp app;
        QVERIFY(app.InitInstance({File("cmdline.tesl")}, Profile()));
        QCOMPARE(app.m_pDoc->m_nodes.GetSize(), 4);
        QCOMPARE(ShownTitle(app), QStringLiteral("cmdline.tesl - Tessel"));
    }

    void emptyFileOnTheCommandLineGivesTheStartingTriangle() {
        WriteBytes(File("empty.tesl"), {});
        CTesselApp app;
        QVERIFY(app.InitInstance({File("empty.tesl")}, Profile()));
        QCOMPARE(app.m_pDoc->m_nodes.GetSize(), 3);
        QVERIFY(app.m_pDoc->IsModified());
        app.m_pDoc->SetModifiedFlag(false);
    }

    void malformedFileOnTheCommandLineEndsStartUp() {
        WriteBytes(File("bad.tesl"), QByteArray(40, '\x7f'));
        CTesselApp app;
        QString text;
        AnswerNextMessageBox(QMessageBox::Ok, &text);
        QVERIFY(!app.InitInstance({File("bad.tesl")}, Profile()));
        QVERIFY(text.startsWith(QStringLiteral("The document could not be opened.")));
        QVERIFY(text.contains(File("bad.tesl")));
    }

    void malformedFileThroughOpenKeepsTheDocument() {
        WriteBytes(File("bad.tesl"), QByteArray(40, '\x7f'));
        CTesselApp app;
        QVERIFY(app.InitInstance({}, Profile()));
        GrowOnce(app);
        QString text;
        CModalScript script({ChooseFile(File("bad.tesl")), PressButton(QMessageBox::No),
                             PressButton(QMessageBox::Ok, &text)});
        QVERIFY(!app.OnFileOpen());
        QVERIFY(text.startsWith(QStringLiteral("The document could not be opened.")));
        // The user goes on with the graph as it was.
        QCOMPARE(app.m_pDoc->m_nodes.GetSize(), 4);
        GrowOnce(app);
        QCOMPARE(app.m_pDoc->m_nodes.GetSize(), 5);
        app.m_pDoc->SetModifiedFlag(false);
    }

    // The message of Unregister File Type stays in the status bar only until another
    // document is shown.
    void openingADocumentClearsTheLastCommandsMessage() {
        QTemporaryDir data;
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        CTesselApp app;
        QVERIFY(app.InitInstance({}, Profile()));
        CModalScript saved({ChooseFile(File("kept.tesl"))});
        app.m_pMainFrame->Action(cmd::kFileSaveAs)->trigger();
        QVERIFY(saved.Done());
        AnswerNextMessageBox(QMessageBox::Ok);
        app.m_pMainFrame->Action(cmd::kUnregisterFileType)->trigger();
        QCOMPARE(app.m_pMainFrame->StatusText(), LoadQString(ids::kUnregistered));
        CModalScript open({ChooseFile(File("kept.tesl"))});
        app.m_pMainFrame->Action(cmd::kFileOpen)->trigger();
        QVERIFY(open.Done());
        QCOMPARE(app.m_pMainFrame->StatusText(), QStringLiteral("Ready"));
        AnswerNextMessageBox(QMessageBox::Ok);
        app.m_pMainFrame->Action(cmd::kUnregisterFileType)->trigger();
        app.m_pMainFrame->Action(cmd::kFileNew)->trigger();
        QCOMPARE(app.m_pMainFrame->StatusText(), QStringLiteral("Ready"));
        qputenv("XDG_DATA_HOME", oldData);
    }

    void failedSaveKeepsTheDocumentModified() {
        CTesselApp app;
        QVERIFY(app.InitInstance({}, Profile()));
        // A file dialog that accepts a name in a folder that vanished: the save fails.
        QString text;
        CModalScript script({ChooseFile(File("gone/x.tesl")), PressButton(QMessageBox::Ok, &text)});
        QVERIFY(QDir().mkpath(File("gone")));
        QTimer::singleShot(0, [this] { QDir(File("gone")).removeRecursively(); });
        const bool saved = app.OnFileSaveAs();
        if (text.isEmpty()) {
            QSKIP("the file dialog refused the missing folder itself");
        }
        QVERIFY(!saved);
        QVERIFY(text.startsWith(QStringLiteral("The document could not be saved.")));
        QVERIFY(app.m_pDoc->IsModified());
        QCOMPARE(app.PathName(), QString());
        app.m_pDoc->SetModifiedFlag(false);
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"

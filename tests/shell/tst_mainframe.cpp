// The main window as a user first sees it: menus, tool bar, status bar, title, window state.
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/HelpFiles.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/ScreenFit.h"
#include "document/InstallLayout.h"
#include "document/StringIds.h"
#include "document/StringTable.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            texts << QStringLiteral("-");
        } else if (action->isVisible()) {
            texts << action->text();
        }
    }
    return texts;
}

QMenu* TopMenu(CMainFrame& frame, int index) {
    return frame.menuBar()->actions().at(index)->menu();
}

} // namespace

// Records the URLs the frame asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> m_urls;

public slots:
    void Open(const QUrl& url) { m_urls << url; }
};

// Help pages written into the program's data folder while it lives, as an installation puts
// them there for the editor.
class CPagesBesideProgram {
public:
    CPagesBesideProgram(std::initializer_list<const char*> names, const char* text = "")
        : m_created(!QFileInfo::exists(Folder())) {
        QDir().mkpath(Folder() + QStringLiteral("/ja"));
        for (const char* name : names) {
            QFile page(Path(name));
            if (page.open(QIODevice::WriteOnly)) {
                page.write(text);
                m_paths << Path(name);
            }
        }
    }
    ~CPagesBesideProgram() {
        for (const QString& path : m_paths) {
            QFile::remove(path);
        }
        QDir(Folder()).rmdir(QStringLiteral("ja"));
        if (m_created) {
            QDir().rmpath(Folder());
        }
    }
    QString Path(const char* name) const {
        return Folder() + QLatin1Char('/') + QLatin1String(name);
    }

private:
    static QString Folder() { return QString::fromStdString(DataFolder()); }
    bool m_created;
    QStringList m_paths;
};

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void init() { SetLanguage(Language::English); }

    void newWindowIsUntitled() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Untitled[*] - Tessel"));
        QCOMPARE(frame.windowHandle()->title(), QStringLiteral("Untitled - Tessel"));
        frame.SetDocumentTitle(QStringLiteral("disk.tesl"), true);
        QCOMPARE(frame.windowHandle()->title(), QStringLiteral("disk.tesl* - Tessel"));
    }

    void menuBarHoldsEveryMenuInOrder() {
        CMainFrame frame;
        QStringList tops;
        for (const QAction* action : frame.menuBar()->actions()) {
            tops << action->text();
        }
        QCOMPARE(tops, (Strings({"&File", "&Edit", "&View", "&Run", "&Help"})));
        QCOMPARE(MenuTexts(TopMenu(frame, 0)),
                 (Strings({"&New", "New &Hex Disk...", "New Ran&dom Disk...", "New &Tiling Disk...",
                           "&Open...", "&Import...", "&Save", "Save &As...", "&Export", "-",
                           "Print Set&up...", "Print Pre&view", "&Print...", "-", "Recent File",
                           "-", "E&xit"})));
        QCOMPARE(
            MenuTexts(TopMenu(frame, 0)->actions().at(8)->menu()),
            (Strings({"E&MF(Enhanced Meta File)", "E&PS(Encapsulated PostScript)", "&Bitmap File",
                      "&Text File", "&SVG File...", "P&DF File...", "PN&G File...", "-",
                      "&CirclePack Packing (.p)...", "Ti&kZ (LaTeX)..."})));
        QCOMPARE(MenuTexts(TopMenu(frame, 1)),
                 (Strings({"&Undo", "&Redo", "-", "Select &All", "Select &Inverse", "-",
                           "C&opy Circle", "&Paste Circle", "Colour B&y...", "-",
                           "Centr&e on Circle", "-", "&Graph Scale-Down", "-",
                           "&Copy to Cripboard"})));
        QCOMPARE(MenuTexts(TopMenu(frame, 2)),
                 (Strings({"&Graph", "&Circle", "-", "&Zoom In", "Zoom &Out", "&Fit to Window", "-",
                           "&Move Packing", "-", "&Antialiasing", "-", "&Toolbar", "&Status Bar",
                           "C&ircle Bar", "-", "S&ettings"})));
        QCOMPARE(MenuTexts(TopMenu(frame, 3)),
                 (Strings({"&Circle Packing", "Pack to Con&vergence", "Node &Randomize", "-",
                           "&Hex Refine", "&Barycentric Refine", "Add Boundary &Layer"})));
        QCOMPARE(MenuTexts(TopMenu(frame, 4)),
                 (Strings({"&Help", "&Quick Help", "&About Tessel...", "-", "&Register File Type",
                           "&Unregister File Type"})));
    }

    void acceleratorsFollowTheTable() {
        CMainFrame frame;
        QCOMPARE(frame.Action(cmd::kFileNew)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(frame.Action(cmd::kFileOpen)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(frame.Action(cmd::kFileSave)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(frame.Action(cmd::kSelectAll)->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
        QCOMPARE(frame.Action(cmd::kCopyCircle)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+C")));
        QCOMPARE(frame.Action(cmd::kPasteCircle)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+V")));
        QCOMPARE(frame.Action(cmd::kPrint)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        // The keys other editors have taught: Save As, Quit and Help.
        QCOMPARE(frame.Action(cmd::kFileSaveAs)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Shift+S")));
        QCOMPARE(frame.Action(cmd::kExit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QCOMPARE(frame.Action(cmd::kHelp)->shortcut(), QKeySequence(QStringLiteral("F1")));
        // Ctrl+= reaches Zoom In without Shift where plus shares the equals key.
        QCOMPARE(frame.Action(cmd::kZoomIn)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl++")),
                                      QKeySequence(QStringLiteral("Ctrl+="))}));
        QCOMPARE(frame.Action(cmd::kZoomOut)->shortcut(), QKeySequence(QStringLiteral("Ctrl+-")));
        QCOMPARE(frame.Action(cmd::kZoomToFit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
        QCOMPARE(frame.Action(cmd::kMovePacking)->shortcut(), QKeySequence(QStringLiteral("M")));
    }

    void toolBarHasTheButtonsInOrderWithTipsAndPrompts() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QToolBar* bar = frame.ToolBar();
        QCOMPARE(bar->iconSize(), QSize(24, 24));
        QStringList tips;
        for (const QAction* action : bar->actions()) {
            tips << (action->isSeparator() ? QStringLiteral("-") : action->toolTip());
            if (!action->isSeparator()) {
                QVERIFY2(!action->icon().pixmap(24, 24).isNull(), qPrintable(action->toolTip()));
            }
        }
        QCOMPARE(tips, (Strings({"New", "Open", "Save", "-", "Undo", "Redo", "-", "Graph Mode",
                                 "Circle Mode", "Move Packing", "-", "Circle Packing", "Pack to Convergence", "-",
                                 "About"})));
        QCOMPARE(frame.Action(cmd::kCirclePacking)->statusTip(),
                 QStringLiteral("Run circle packing algorithm"));

        // Resting the pointer on a button shows its prompt; leaving returns to "Ready".
        QWidget* button = bar->widgetForAction(frame.Action(cmd::kAbout));
        QStatusTipEvent tip(frame.Action(cmd::kAbout)->statusTip());
        QCoreApplication::sendEvent(button, &tip);
        QCOMPARE(frame.statusBar()->currentMessage(),
                 QStringLiteral("Display program information, version number and copyright"));
        QStatusTipEvent clear{QString()};
        QCoreApplication::sendEvent(button, &clear);
        QCOMPARE(frame.StatusText(), QStringLiteral("Ready"));
    }

    // Pointing at a menu item shows its prompt whether the item is enabled or not; pointing
    // away, or closing the menu, brings back "Ready".
    void menuItemsShowTheirPromptsEvenWhenDisabled() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QMenu* help = TopMenu(frame, 4);
        QAction* about = frame.Action(cmd::kAbout);
        QAction* registerType = frame.Action(cmd::kRegisterFileType);
        frame.BindCommand(cmd::kRegisterFileType, {[] {}, [] { return false; }, {}});
        QVERIFY(!registerType->isEnabled() && about->isEnabled());
        help->popup(frame.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(help));
        const auto point = [&](QAction* action) {
            QTest::mouseMove(help, help->actionGeometry(action).center());
            QCoreApplication::processEvents();
            return frame.statusBar()->currentMessage();
        };
        QCOMPARE(point(registerType), registerType->statusTip());
        QVERIFY(!registerType->statusTip().isEmpty());
        QCOMPARE(point(about), about->statusTip());
        QCOMPARE(point(registerType), registerType->statusTip());
        QAction* separator = help->actions().at(3);
        QVERIFY(separator->isSeparator());
        QCOMPARE(point(separator), QString());
        QCOMPARE(point(registerType), registerType->statusTip());
        help->hide();
        QCoreApplication::processEvents();
        QCOMPARE(frame.statusBar()->currentMessage(), QString());
        QCOMPARE(frame.StatusText(), QStringLiteral("Ready"));
    }

    void statusBarShowsReadyAndTheLockIndicators() {
        CMainFrame frame;
        QCOMPARE(frame.StatusText(), QStringLiteral("Ready"));
        QStringList indicators;
        for (int id : {59142, 59137, 59138, 59139}) {
            auto* label = frame.findChild<QLabel*>(QStringLiteral("indicator%1").arg(id));
            QVERIFY(label != nullptr);
            indicators << label->text();
        }
        QCOMPARE(indicators, (Strings({"KANA", "CAP", "NUM", "SCRL"})));
        frame.SetStatusText(QStringLiteral("L-Drag:Move"));
        QCOMPARE(frame.StatusText(), QStringLiteral("L-Drag:Move"));
    }

    void unboundCommandsAreDisabledAndRulesApply() {
        CMainFrame frame;
        QVERIFY(!frame.Action(cmd::kExportEps)->isEnabled());
        QVERIFY(frame.Action(cmd::kAbout)->isEnabled());
        bool allowed = false;
        int runs = 0;
        bool checked = false;
        frame.BindCommand(cmd::kCirclePacking, {[&] { ++runs; }, [&] { return allowed; }, {}});
        frame.BindCommand(cmd::kGraph, {[&] { checked = !checked; }, {}, [&] { return checked; }});
        QVERIFY(!frame.Action(cmd::kCirclePacking)->isEnabled());
        allowed = true;
        frame.UpdateCommands();
        QVERIFY(frame.Action(cmd::kCirclePacking)->isEnabled());
        frame.Action(cmd::kCirclePacking)->trigger();
        QCOMPARE(runs, 1);
        // A rule that turned false since the last update stops the command all the same.
        allowed = false;
        frame.Action(cmd::kCirclePacking)->trigger();
        QCOMPARE(runs, 1);
        QVERIFY(!frame.Action(cmd::kCirclePacking)->isEnabled());
        frame.Action(cmd::kGraph)->trigger();
        QVERIFY(frame.Action(cmd::kGraph)->isChecked());
    }

    void toolbarAndStatusBarToggle() {
        CMainFrame frame;
        frame.show();
        QVERIFY(frame.Action(cmd::kToolbar)->isChecked());
        frame.Action(cmd::kToolbar)->trigger();
        QVERIFY(frame.ToolBar()->isHidden());
        QVERIFY(!frame.Action(cmd::kToolbar)->isChecked());
        frame.Action(cmd::kStatusBar)->trigger();
        QVERIFY(frame.statusBar()->isHidden());
        QVERIFY(!frame.Action(cmd::kStatusBar)->isChecked());
    }

    void frameStateSurvivesARestart() {
        CMemoryProfile profile;
        {
            CMainFrame frame;
            frame.show();
            frame.resize(640, 480);
            frame.ToolBar()->hide();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            frame.SaveFrameState(profile);
        }
        QVERIFY(profile.m_values.count("Frame/Geometry") == 1);
        QVERIFY(profile.m_values.count("Frame/State") == 1);
        CMainFrame frame;
        frame.LoadFrameState(profile);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.size(), QSize(640, 480));
        QVERIFY(frame.ToolBar()->isHidden());
        QVERIFY(!frame.Action(cmd::kToolbar)->isChecked());
    }

    void aRestoredWindowFitsTheScreen() {
        const QRect screen(0, 0, 1920, 1080);
        // Too large and beyond the edges: as large as the area, wholly inside it.
        QCOMPARE(FitToScreen(QRect(3000, -50, 2500, 1500), screen), screen);
        QCOMPARE(FitToScreen(QRect(1800, 1000, 800, 600), screen), QRect(1120, 480, 800, 600));
        QCOMPARE(FitToScreen(QRect(-300, 200, 800, 600), screen), QRect(0, 200, 800, 600));
        QCOMPARE(FitToScreen(QRect(100, 100, 800, 600), screen), QRect(100, 100, 800, 600));
        // A screen whose area starts elsewhere (a second monitor, a panel on the left).
        QCOMPARE(FitToScreen(QRect(0, 0, 800, 600), QRect(1920, 40, 1280, 984)),
                 QRect(1920, 40, 800, 600));
        QCOMPARE(FitToScreen(QRect(5, 6, 7, 8), QRect()), QRect(5, 6, 7, 8));

        // A profile written on a larger screen.
        CMemoryProfile profile;
        {
            CMainFrame frame;
            frame.show();
            frame.resize(2600, 1700);
            frame.move(3000, 2500);
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            frame.SaveFrameState(profile);
        }
        CMainFrame frame;
        frame.LoadFrameState(profile);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QRect available = frame.screen()->availableGeometry();
        QVERIFY2(available.contains(frame.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(frame.frameGeometry().x())
                                .arg(frame.frameGeometry().y())
                                .arg(frame.frameGeometry().width())
                                .arg(frame.frameGeometry().height())));
    }

    void damagedFrameStateIsIgnored() {
        CMemoryProfile profile;
        profile.WriteString("Frame", "Geometry", "not base64 at all!");
        profile.WriteString("Frame", "State", "AAAA////");
        CMainFrame frame;
        frame.LoadFrameState(profile);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(!frame.ToolBar()->isHidden());
        QCOMPARE(frame.size(), QSize(800, 600));
    }

    void recentFilesAreListedAndOpen() {
        CMainFrame frame;
        QString opened;
        frame.SetOpenFileHandler([&](const QString& path) { opened = path; });
        frame.SetRecentFiles({QStringLiteral("/tmp/a.tesl"), QStringLiteral("/tmp/b&c.tesl")});
        QMenu* file = TopMenu(frame, 0);
        QCOMPARE(MenuTexts(file).mid(14, 2), (Strings({"&1 /tmp/a.tesl", "&2 /tmp/b&&c.tesl"})));
        file->actions().at(15)->trigger();
        QCOMPARE(opened, QStringLiteral("/tmp/b&c.tesl"));
        frame.SetRecentFiles({});
        QCOMPARE(MenuTexts(file).at(14), QStringLiteral("Recent File"));
    }

    void droppedFileIsOpened() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QString opened;
        frame.SetOpenFileHandler([&](const QString& path) { opened = path; });
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/dropped.tesl"))});
        const QPoint center = frame.rect().center();
        QDragEnterEvent enter(center, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(center), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &drop);
        QCOMPARE(opened, QStringLiteral("/tmp/dropped.tesl"));
    }

    void closeGuardCanKeepTheWindowOpen() {
        CMainFrame frame;
        frame.show();
        bool allow = false;
        int closings = 0;
        frame.SetCloseGuard([&] { return allow; });
        connect(&frame, &CMainFrame::Closing, [&] { ++closings; });
        frame.Action(cmd::kExit)->trigger();
        QVERIFY(frame.isVisible());
        QCOMPARE(closings, 0);
        allow = true;
        frame.Action(cmd::kExit)->trigger();
        QVERIFY(!frame.isVisible());
        QCOMPARE(closings, 1);
    }

    void aboutBoxShowsTheVersion() {
        CMainFrame frame;
        QString version;
        WhenModalOpens([&](QWidget* modal) {
            auto* label = modal->findChild<QLabel*>(QStringLiteral("version"));
            version = label != nullptr ? label->text() : QString();
            version += QLatin1Char('|') + modal->windowTitle();
            qobject_cast<QDialog*>(modal)->accept();
        });
        frame.Action(cmd::kAbout)->trigger();
        QCOMPARE(version, QStringLiteral("Tessel Version 4.20|About Tessel"));
    }

    // Help looks only beside the program: a page planted in the current folder is not opened.
    void helpOpensOnlyTheProgramsOwnPage() {
        const CPagesBesideProgram own({"Help.html", "QHelp.html"});
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "Open");
        QTemporaryDir planted;
        QFile page(planted.filePath(QStringLiteral("Help.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        const QString before = QDir::currentPath();
        QDir::setCurrent(planted.path());
        CMainFrame frame;
        frame.Action(cmd::kHelp)->trigger();
        frame.Action(cmd::kQuickHelp)->trigger();
        QDir::setCurrent(before);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(recorder.m_urls, (QList<QUrl>{QUrl::fromLocalFile(own.Path("Help.html")),
                                               QUrl::fromLocalFile(own.Path("QHelp.html"))}));
    }

    // In Japanese the page of the same name in a "ja" folder is opened, where there is one.
    void helpInJapaneseOpensTheJapanesePage() {
        const CPagesBesideProgram own({"Help.html", "ja/Help.html", "QHelp.html"});
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "Open");
        SetLanguage(Language::Japanese);
        CMainFrame frame;
        frame.Action(cmd::kHelp)->trigger();
        frame.Action(cmd::kQuickHelp)->trigger(); // no Japanese page: the English one
        SetLanguage(Language::English);
        frame.Action(cmd::kHelp)->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(recorder.m_urls, (QList<QUrl>{QUrl::fromLocalFile(own.Path("ja/Help.html")),
                                               QUrl::fromLocalFile(own.Path("QHelp.html")),
                                               QUrl::fromLocalFile(own.Path("Help.html"))}));
    }

    // When no browser takes the page, the editor shows it in a window of its own; a page that
    // is not there is reported instead of nothing happening.
    void helpWithoutABrowserShowsItsOwnWindow() {
        const CPagesBesideProgram own({"Help.html"}, "<h1>Own page</h1>");
        const auto browser = HelpOpener();
        QList<QUrl> asked;
        HelpOpener() = [&asked](const QUrl& url) {
            asked << url;
            return false;
        };
        CMainFrame frame;
        frame.Action(cmd::kHelp)->trigger();
        frame.Action(cmd::kHelp)->trigger(); // the same window again
        QCOMPARE(asked.size(), 2);
        const QList<CHelpWindow*> windows = frame.findChildren<CHelpWindow*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.first()->isVisible());
        QCOMPARE(windows.first()->Page(), own.Path("Help.html"));
        QVERIFY(windows.first()->findChild<QTextBrowser*>()->toPlainText().contains(
            QStringLiteral("Own page")));

        QString missing;
        AnswerNextMessageBox(QMessageBox::Ok, &missing);
        frame.Action(cmd::kQuickHelp)->trigger();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(missing,
                 QStringLiteral("The help page QHelp.html was not found beside the program."));
        HelpOpener() = browser;
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"

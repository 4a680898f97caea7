// The main window as a user first sees it.
#include "app/MainFrame.h"

#include <QtTest>

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void newWindowIsUntitled() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Untitled - Tessel"));
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"

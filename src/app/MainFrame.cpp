// The editor's main window.
#include "app/MainFrame.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Untitled - Tessel"));
    resize(800, 600);
}

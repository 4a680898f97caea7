// The editor's main window: menus, tool bar, status bar and the view.
#pragma once

#include <QMainWindow>

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);
};

// A help page shown in a window of the editor's own, for desktops where no browser starts.
#pragma once

#include <QWidget>

class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own, closed with its owner.
    explicit CHelpWindow(QWidget* owner);

    // Shows the page (a local HTML file) and brings the window to the front.
    void ShowPage(const QString& path);
    QString Page() const;

private:
    QTextBrowser* m_browser;
};

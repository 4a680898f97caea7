// The editor's own help window.
#include "app/HelpWindow.h"

#include "app/QtStrings.h"
#include "document/StringIds.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(LoadQString(ids::kHelpWindowTitle));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    // Links to other pages of the help open here; links to the web in the desktop's browser.
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(700, 600);
}

void CHelpWindow::ShowPage(const QString& path) {
    m_browser->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

QString CHelpWindow::Page() const {
    return m_browser->source().toLocalFile();
}

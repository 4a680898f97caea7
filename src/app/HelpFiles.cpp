// Locating and opening the help pages.
#include "app/HelpFiles.h"

#include "app/HelpWindow.h"
#include "app/MessageBox.h"
#include "app/QtStrings.h"
#include "document/InstallLayout.h"
#include "document/StringIds.h"
#include "document/StringTable.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString FindHelpFile(const QString& name) {
    QStringList names;
    if (GetLanguage() == Language::Japanese) {
        names << QStringLiteral("ja/") + name;
    }
    names << name;
    // Only the program's own folder: a page planted in the current folder would open in the
    // user's browser.
    const QDir folder(QString::fromStdString(DataFolder()));
    for (const QString& candidate : names) {
        const QFileInfo page(folder, candidate);
        if (page.isFile()) {
            return page.absoluteFilePath();
        }
    }
    return {};
}

void OpenHelpFile(QWidget* owner, int nameId) {
    const QString name = LoadQString(nameId);
    const QString path = FindHelpFile(name);
    if (path.isEmpty()) {
        ShowWarning(owner, FormatString(ids::kHelpMissing, {name}));
        return;
    }
    if (HelpOpener()(QUrl::fromLocalFile(path))) {
        return;
    }
    auto* window = owner->findChild<CHelpWindow*>(QStringLiteral("helpWindow"));
    if (window == nullptr) {
        window = new CHelpWindow(owner);
    }
    window->ShowPage(path);
}

std::function<bool(const QUrl&)>& HelpOpener() {
    static std::function<bool(const QUrl&)> opener = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
    return opener;
}

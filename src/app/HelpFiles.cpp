// Locating and opening the help pages.
#include "app/HelpFiles.h"

#include "app/QtStrings.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString FindHelpFile(const QString& name) {
    for (const QString& folder : {QDir::currentPath(), QCoreApplication::applicationDirPath()}) {
        const QFileInfo page(QDir(folder), name);
        if (page.isFile()) {
            return page.absoluteFilePath();
        }
    }
    return {};
}

void OpenHelpFile(int nameId) {
    const QString path = FindHelpFile(LoadQString(nameId));
    if (!path.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
}

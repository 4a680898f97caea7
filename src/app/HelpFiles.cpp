// Locating and opening the help pages.
#include "app/HelpFiles.h"

#include "app/QtStrings.h"
#include "document/InstallLayout.h"
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
    for (const QString& folder : {QDir::currentPath(), QString::fromStdString(DataFolder())}) {
        for (const QString& candidate : names) {
            const QFileInfo page(QDir(folder), candidate);
            if (page.isFile()) {
                return page.absoluteFilePath();
            }
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

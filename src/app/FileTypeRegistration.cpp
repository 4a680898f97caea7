// Writes and removes the MIME package, desktop entry and icons of the document type.
#include "app/FileTypeRegistration.h"

#include "app/QtStrings.h"
#include "app/Resources.h"
#include "document/StringIds.h"
#include "document/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr char kMimeType[] = "application/x-tessel-document";

QString Japanese(int id) {
    return QString::fromStdString(LoadString(id, Language::Japanese));
}

QString English(int id) {
    return QString::fromStdString(LoadString(id, Language::English));
}

QString XmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

// Desktop-entry string values escape line breaks and backslashes.
QString EntryEscaped(QString text) {
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
}

QString MimePackage() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>%2</comment>\n"
               "    <comment xml:lang=\"ja\">%3</comment>\n"
               "    <icon name=\"application-x-tessel-document\"/>\n"
               "    <glob pattern=\"*.tesl\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QLatin1String(kMimeType), XmlEscaped(English(ids::kMimeComment)),
             XmlEscaped(Japanese(ids::kMimeComment)));
}

QString DesktopEntry(const QString& execLine) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "GenericName=%2\n"
                          "GenericName[ja]=%3\n"
                          "Comment=%4\n"
                          "Comment[ja]=%5\n"
                          "Exec=%6\n"
                          "Icon=tessel\n"
                          "Terminal=false\n"
                          "MimeType=%7;\n"
                          "Categories=Graphics;Education;Math;\n")
        .arg(EntryEscaped(English(ids::kAppName)), EntryEscaped(English(ids::kDesktopGenericName)),
             EntryEscaped(Japanese(ids::kDesktopGenericName)),
             EntryEscaped(English(ids::kDesktopComment)),
             EntryEscaped(Japanese(ids::kDesktopComment)), EntryEscaped(execLine),
             QLatin1String(kMimeType));
}

bool WriteFile(const QString& path, const QByteArray& contents, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

bool CopyResource(const QString& resource, const QString& path, QString* error) {
    InitResources();
    QFile source(resource);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = resource;
        return false;
    }
    return WriteFile(path, source.readAll(), error);
}

bool RemoveFile(const QString& path, QString* error) {
    QFile file(path);
    if (file.exists() && !file.remove()) {
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

// Runs a database update tool when it is installed; the registration itself does not depend
// on it, so a missing or failing tool only leaves the desktop's caches older.
void RunUpdateTool(const char* tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty() || !QFileInfo::exists(folder)) {
        return;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {folder});
    if (process.waitForStarted(5000)) {
        process.waitForFinished(30000);
    }
}

void RefreshDatabases(const QString& dataFolder) {
    RunUpdateTool("update-mime-database", dataFolder + QStringLiteral("/mime"));
    RunUpdateTool("update-desktop-database", dataFolder + QStringLiteral("/applications"));
}

} // namespace

QString UserDataFolder() {
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured)) {
        return QDir::cleanPath(configured);
    }
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString MimePackagePath() {
    return QStringLiteral("mime/packages/tessel-document.xml");
}

QString DesktopEntryPath() {
    return QStringLiteral("applications/tessel.desktop");
}

QString AppIconPath() {
    return QStringLiteral("icons/hicolor/scalable/apps/tessel.svg");
}

QString DocumentIconPath() {
    return QStringLiteral("icons/hicolor/scalable/mimetypes/application-x-tessel-document.svg");
}

QString DesktopExecLine(const QString& executable) {
    if (executable.contains(QLatin1Char('\n')) || executable.contains(QLatin1Char('\r'))) {
        return {};
    }
    // Inside a quoted argument these four characters take a backslash; a percent sign is
    // doubled because the launcher expands field codes.
    QString quoted;
    for (QChar c : executable) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
        if (c == QLatin1Char('%')) {
            quoted += c;
        }
    }
    return QLatin1Char('"') + quoted + QStringLiteral("\" %f");
}

bool RegisterFileType(const QString& executable, QString* error) {
    const QString execLine = DesktopExecLine(executable);
    if (execLine.isEmpty()) {
        *error = QDir::toNativeSeparators(executable);
        return false;
    }
    const QString folder = UserDataFolder() + QLatin1Char('/');
    const bool written =
        WriteFile(folder + MimePackagePath(), MimePackage().toUtf8(), error) &&
        WriteFile(folder + DesktopEntryPath(), DesktopEntry(execLine).toUtf8(), error) &&
        CopyResource(QStringLiteral(":/icons/tessel.svg"), folder + AppIconPath(), error) &&
        CopyResource(QStringLiteral(":/icons/document.svg"), folder + DocumentIconPath(), error);
    RefreshDatabases(UserDataFolder());
    return written;
}

bool UnregisterFileType(QString* error) {
    const QString folder = UserDataFolder() + QLatin1Char('/');
    const bool removed = RemoveFile(folder + MimePackagePath(), error) &&
                         RemoveFile(folder + DesktopEntryPath(), error) &&
                         RemoveFile(folder + AppIconPath(), error) &&
                         RemoveFile(folder + DocumentIconPath(), error);
    RefreshDatabases(UserDataFolder());
    return removed;
}

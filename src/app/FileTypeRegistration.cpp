// Writes and removes the MIME package, desktop entry, icons and thumbnailer of the document type.
#include "app/FileTypeRegistration.h"

#include "app/IconImages.h"
#include "app/Resources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

struct RegisteredFile {
    QString path; // relative to the data folder
    QByteArray contents;
};

// The desktop entry that registration wrote before the entry took the application's id.
constexpr char kOldDesktopEntry[] = "applications/tessel.desktop";

QString PngIconPath(const char* context, const char* name, int size) {
    return QStringLiteral("icons/hicolor/%1x%1/%2/%3.png")
        .arg(size)
        .arg(QLatin1String(context), QLatin1String(name));
}

QByteArray Resource(const QString& path) {
    InitResources();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A desktop-entry string value escapes backslashes, the Exec line's own escapes included.
QString EntryEscaped(QString text) {
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

// The installed file with its Exec and TryExec lines pointing at `program`.
QByteArray PointedAt(const QString& resource, const QString& program, const QString& arguments) {
    QStringList lines = QString::fromUtf8(Resource(resource)).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.startsWith(QStringLiteral("Exec="))) {
            line = QStringLiteral("Exec=") + EntryEscaped(DesktopExecLine(program, arguments));
        } else if (line.startsWith(QStringLiteral("TryExec="))) {
            line = QStringLiteral("TryExec=") + EntryEscaped(program);
        }
    }
    return lines.join(QLatin1Char('\n')).toUtf8();
}

// The icons: scalable SVG, and the PNG sizes drawn from it.
void AddIcons(const char* svg, const char* context, const char* name,
              QList<RegisteredFile>& files) {
    const QByteArray source = Resource(QStringLiteral(":/icons/") + QLatin1String(svg));
    files.append({QStringLiteral("icons/hicolor/scalable/%1/%2.svg")
                      .arg(QLatin1String(context), QLatin1String(name)),
                  source});
    for (int size : kIconSizes) {
        files.append({PngIconPath(context, name, size), RenderIconPng(source, size)});
    }
}

QList<RegisteredFile> RegistrationFiles(const QString& executable, const QString& cli) {
    QList<RegisteredFile> files{
        {MimePackagePath(), Resource(QStringLiteral(":/desktop/tessel-document.xml"))},
        {DesktopEntryPath(),
         PointedAt(QStringLiteral(":/desktop/app.desktop"), executable, QStringLiteral("%f"))}};
    AddIcons("tessel.svg", "apps", "tessel", files);
    AddIcons("document.svg", "mimetypes", "application-x-tessel-document", files);
    if (!cli.isEmpty()) {
        files.append({ThumbnailerPath(), PointedAt(QStringLiteral(":/desktop/tessel.thumbnailer"),
                                                   cli, QStringLiteral("thumbnail %i %o %s"))});
    }
    return files;
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

// tessel-cli beside the executable, which the thumbnailer runs; empty when there is none.
QString CliBeside(const QString& executable) {
    const QFileInfo cli(QFileInfo(executable).absolutePath() + QStringLiteral("/tessel-cli"));
    return cli.isFile() && cli.isExecutable() ? cli.absoluteFilePath() : QString();
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
    return QStringLiteral("applications/" TESSEL_APP_ID ".desktop");
}

QString AppIconPath() {
    return QStringLiteral("icons/hicolor/scalable/apps/tessel.svg");
}

QString DocumentIconPath() {
    return QStringLiteral("icons/hicolor/scalable/mimetypes/application-x-tessel-document.svg");
}

QString ThumbnailerPath() {
    return QStringLiteral("thumbnailers/tessel.thumbnailer");
}

QStringList RegistrationPaths() {
    QStringList paths{MimePackagePath(), DesktopEntryPath(), AppIconPath(), DocumentIconPath(),
                      ThumbnailerPath()};
    for (int size : kIconSizes) {
        paths << PngIconPath("apps", "tessel", size)
              << PngIconPath("mimetypes", "application-x-tessel-document", size);
    }
    return paths;
}

QString DesktopExecLine(const QString& executable, const QString& arguments) {
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
    return QLatin1Char('"') + quoted + QStringLiteral("\" ") + arguments;
}

bool RegisterFileType(const QString& executable, QString* error) {
    const QString cli = CliBeside(executable);
    if (DesktopExecLine(executable).isEmpty() ||
        (!cli.isEmpty() && DesktopExecLine(cli).isEmpty())) {
        *error = QDir::toNativeSeparators(executable);
        return false;
    }
    const QString folder = UserDataFolder() + QLatin1Char('/');
    bool written = RemoveFile(folder + QLatin1String(kOldDesktopEntry), error);
    for (const RegisteredFile& file : RegistrationFiles(executable, cli)) {
        written = written && WriteFile(folder + file.path, file.contents, error);
    }
    RefreshDatabases(UserDataFolder());
    return written;
}

bool UnregisterFileType(QString* error) {
    const QString folder = UserDataFolder() + QLatin1Char('/');
    bool removed = RemoveFile(folder + QLatin1String(kOldDesktopEntry), error);
    for (const QString& path : RegistrationPaths()) {
        removed = removed && RemoveFile(folder + path, error);
    }
    RefreshDatabases(UserDataFolder());
    return removed;
}

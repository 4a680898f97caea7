// Registration of the "*.tesl" document type with the desktop, the freedesktop way, for a user
// without root: the same MIME package, desktop entry, icons and thumbnailer that an install
// puts under its prefix, written under the user's data folder and pointing at this executable.
#pragma once

#include <QString>
#include <QStringList>

// $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share.
QString UserDataFolder();

// The files written by registration, relative to the data folder.
QString MimePackagePath();
QString DesktopEntryPath();
QString AppIconPath();
QString DocumentIconPath();
QString ThumbnailerPath();
// Every file registration may write: the above and the PNG icons of every size.
QStringList RegistrationPaths();

// A desktop entry's Exec line that starts the executable with `arguments` (field codes such as
// %f), or an empty string when the path cannot be written there (it holds a line break).
QString DesktopExecLine(const QString& executable, const QString& arguments = QStringLiteral("%f"));

// Both return false with a readable reason when a file cannot be written or removed. The
// thumbnailer is registered when tessel-cli lies beside the executable. The desktop databases
// are refreshed when their update tools are installed.
bool RegisterFileType(const QString& executable, QString* error);
bool UnregisterFileType(QString* error);

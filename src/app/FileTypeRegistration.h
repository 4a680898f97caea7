// Registration of the "*.tesl" document type with the desktop, the freedesktop way: a MIME
// type package, a desktop entry that opens documents with this executable, and the icons,
// all under the user's data folder.
#pragma once

#include <QString>

// $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share.
QString UserDataFolder();

// The files written by registration, relative to the data folder.
QString MimePackagePath();
QString DesktopEntryPath();
QString AppIconPath();
QString DocumentIconPath();

// A desktop entry's Exec line that starts the executable with one file, or an empty string
// when the path cannot be written there (it holds a line break).
QString DesktopExecLine(const QString& executable);

// Both return false with a readable reason when a file cannot be written or removed. The
// desktop databases are refreshed when their update tools are installed.
bool RegisterFileType(const QString& executable, QString* error);
bool UnregisterFileType(QString* error);

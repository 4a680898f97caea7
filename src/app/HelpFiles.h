// The Help and Quick Help pages: found in the current folder first, else beside the executable.
#pragma once

#include <QString>

// The page of that name in the current folder, else beside the executable, else empty.
QString FindHelpFile(const QString& name);
// Opens the page named by the string id with the desktop's viewer. A missing page does
// nothing, as the desktop has nothing to show.
void OpenHelpFile(int nameId);

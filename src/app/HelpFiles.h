// The Help and Quick Help pages: found in the current folder first, else in the program's data
// folder; in Japanese the pages of the same names in a "ja" folder there come first.
#pragma once

#include <QString>

// The page of that name in the current folder, else in the data folder, else empty. While the
// program speaks Japanese, "ja/<name>" is looked for before "<name>" in each folder.
QString FindHelpFile(const QString& name);
// Opens the page named by the string id with the desktop's viewer. A missing page does
// nothing, as the desktop has nothing to show.
void OpenHelpFile(int nameId);

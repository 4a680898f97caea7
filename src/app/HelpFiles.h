// The Help and Quick Help pages: found in the program's data folder; in Japanese the pages of
// the same names in a "ja" folder there come first.
#pragma once

#include <QString>
#include <functional>

class QUrl;
class QWidget;

// The page of that name in the data folder, else empty. While the program speaks Japanese,
// "ja/<name>" is looked for before "<name>".
QString FindHelpFile(const QString& name);
// Opens the page named by the string id with the desktop's browser, or, when none starts, in
// a help window of the editor's own owned by `owner`; a missing page is reported.
void OpenHelpFile(QWidget* owner, int nameId);
// How pages are handed to the desktop (QDesktopServices unless a test replaces it); true when
// a browser took the page.
std::function<bool(const QUrl&)>& HelpOpener();

// The editor's entry point.
#include "app/Language.h"
#include "app/MainFrame.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SetLanguage(LanguageFromEnvironment());
    CMainFrame frame;
    frame.show();
    return app.exec();
}

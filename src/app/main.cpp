// The editor's entry point.
#include "app/Language.h"
#include "app/TesselApp.h"
#include "circles/OutputFile.h"
#include "document/ProfileLocation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    SetLanguage(LanguageFromEnvironment());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CTesselApp app;
    if (!app.InitInstance(arguments, DefaultProfilePath())) {
        return 1;
    }
    return QApplication::exec();
}

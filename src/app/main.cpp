// The editor's entry point.
#include "app/Language.h"
#include "app/QtTranslations.h"
#include "app/TesselApp.h"
#include "circles/OutputFile.h"
#include "document/ProfileLocation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    const Language language = LanguageFromEnvironment();
    SetLanguage(language);
    InstallQtTranslations(application, language);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CTesselApp app;
    if (!app.InitInstance(arguments, DefaultProfilePath())) {
        return 1;
    }
    return QApplication::exec();
}

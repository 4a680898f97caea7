// The editor's entry point.
#include "app/CommandLine.h"
#include "app/Language.h"
#include "app/QtTranslations.h"
#include "app/TesselApp.h"
#include "circles/OutputFile.h"
#include "document/ProfileLocation.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    // Answered before Qt starts, so that they need no display.
    if (const std::optional<int> code = AnswerInfoOption(argc, argv, std::cout, std::cerr)) {
        return *code;
    }
    QApplication application(argc, argv);
    const Language language = LanguageFromEnvironment();
    SetLanguage(language);
    InstallQtTranslations(application, language);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    std::string error;
    if (!TakeFileArguments(arguments, error)) {
        std::cerr << error << '\n';
        return 2;
    }
    const std::string profile = DefaultProfilePath();
    CreateProfileFolder(profile);
    CTesselApp app;
    if (!app.InitInstance(arguments, profile)) {
        return 1;
    }
    return QApplication::exec();
}

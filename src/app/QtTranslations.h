// Qt's own translations, for the texts the toolkit draws itself: the file, colour and print
// dialogs and the standard buttons.
#pragma once

#include "document/StringTable.h"

#include <QString>

class QCoreApplication;

// Installs Qt's translations for the language from `folder` (by default Qt's own translations
// folder) into the application. False when the language needs none (English) or when they
// are not there (the toolkit's texts then stay English).
bool InstallQtTranslations(QCoreApplication& application, Language language,
                           const QString& folder = {});

// Which string set the user's locale asks for.
#pragma once

#include "document/StringTable.h"

#include <string_view>

// The language of a POSIX locale name such as "ja_JP.UTF-8" or "C".
Language LanguageOfLocale(std::string_view locale);
// The language of the process's message locale: LC_ALL, then LC_MESSAGES, then LANG.
Language LanguageFromEnvironment();

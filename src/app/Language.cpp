// Choice of the string set from the locale the user runs the editor under.
#include "app/Language.h"

#include <cstdlib>

Language LanguageOfLocale(std::string_view locale) {
    const bool japanese =
        locale.size() >= 2 && locale.substr(0, 2) == "ja" &&
        (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
    return japanese ? Language::Japanese : Language::English;
}

Language LanguageFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return LanguageOfLocale(value);
        }
    }
    return Language::English;
}

// The string tables are compiled in from resources/strings.
#include "document/StringTable.h"

#include <algorithm>
#include <span>

namespace {

struct Entry {
    int id;
    const char* text;
};

constexpr Entry kEnglish[] = {
#include "strings/en.inc"
};

constexpr Entry kJapanese[] = {
#include "strings/ja.inc"
};

Language g_language = Language::English;

std::span<const Entry> Table(Language language) {
    if (language == Language::Japanese) {
        return kJapanese;
    }
    return kEnglish;
}

} // namespace

void SetLanguage(Language language) {
    g_language = language;
}

Language GetLanguage() {
    return g_language;
}

std::string LoadString(int id) {
    return LoadString(id, g_language);
}

std::string LoadString(int id, Language language) {
    for (const Entry& entry : Table(language)) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return {};
}

std::vector<int> StringIds(Language language) {
    std::vector<int> ids;
    for (const Entry& entry : Table(language)) {
        ids.push_back(entry.id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

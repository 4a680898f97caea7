// Shared pieces of the export tests: reading bytes back and switching to a German locale.
#pragma once

#include "document/TempDir.h"

#include <clocale>
#include <locale>
#include <string>
#include <vector>

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::string s = ReadText(path);
    return {s.begin(), s.end()};
}

// While alive, the process runs under de_DE.UTF-8, whose decimal separator is a comma.
class GermanLocale {
public:
    GermanLocale() : m_ok(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {
        if (m_ok) {
            std::locale::global(std::locale("de_DE.UTF-8"));
        }
    }
    ~GermanLocale() {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;
    bool Available() const { return m_ok; }

private:
    bool m_ok;
};

// Shared pieces of the export tests: reading files back and switching to a German locale.
#pragma once

#include <clocale>
#include <fstream>
#include <iterator>
#include <locale>
#include <string>
#include <vector>

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::string s = ReadFile(path);
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

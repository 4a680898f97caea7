// Shared pieces of the export tests: a styled sample, reading bytes back and switching to a
// German locale.
#pragma once

#include "document/TempDir.h"
#include "support/CircleList.h"

#include <clocale>
#include <locale>
#include <string>
#include <vector>

// A packing-like list: an outer circle of width 2 and three circles, one without a line.
inline void AddStyledCircles(CircleList& list) {
    list.array.m_outer.m_thickness = 2;
    list.array.m_outer.m_lineCol = 0x00000000;
    list.array.m_outer.m_innerCol = 0x00FFFFFF;
    list.Add(0.1234567891234567, -0.3, 0.2, 3, 0x00336699, 0x000000FF);
    list.Add(-0.5, 0.25, 1.0 / 3, 0, 0x00000000, 0x00FF0000);
    list.Add(0, 0.6, 0.1, 1, 0x0000FF00, 0x00FFFFFF);
}

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

// Range-checked profile readers.
#include "document/ProfileValues.h"

int ReadProfileInt(const CIniFile& ini, std::string_view section, std::string_view key, int current,
                   int min, int max) {
    int value = ini.GetInt(section, key, current);
    return value >= min && value <= max ? value : current;
}

COLORREF ReadProfileColor(const CIniFile& ini, std::string_view section, std::string_view key,
                          COLORREF current) {
    int value = ini.GetInt(section, key, static_cast<int>(current));
    return value >= 0 && value <= 0xFFFFFF ? static_cast<COLORREF>(value) : current;
}

int ReadProfileFlag(const CIniFile& ini, std::string_view section, std::string_view key,
                    int current) {
    return ini.GetInt(section, key, current) != 0 ? 1 : 0;
}

double ReadProfileReal(const CIniFile& ini, std::string_view section, std::string_view key,
                       double current, double min, double max, std::optional<double> fallback) {
    double value = ini.GetReal(section, key, current);
    return value >= min && value <= max ? value : fallback.value_or(current);
}

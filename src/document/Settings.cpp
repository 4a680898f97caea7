// The whole settings set against a profile, and the text-export format key.
#include "document/Settings.h"

#include "document/ProfileValues.h"
#include "document/SettingsTable.h"
#include "geometry/NumberText.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr const char* DefaultTextFormat = "%X, %Y, %R";
constexpr int kStoredPalette = 6;

// Reads one stored setting into its variable.
struct CLoad {
    const CIniFile& ini;
    const CSetting& setting;
    CViewSettings& view;

    void operator()(const CIntegerSetting& s) const {
        int& v = s.variable.In(view);
        v = ReadProfileInt(ini, setting.section, setting.key, v, s.min, s.max);
    }
    void operator()(const CFlagSetting& s) const {
        int& v = s.variable.In(view);
        v = ReadProfileFlag(ini, setting.section, setting.key, v);
    }
    void operator()(const CColorSetting& s) const {
        COLORREF& v = s.variable.In(view);
        v = ReadProfileColor(ini, setting.section, setting.key, v);
    }
    void operator()(const CRealSetting& s) const {
        double& v = s.variable.In(view);
        v = ReadProfileReal(ini, setting.section, setting.key, v, s.min, s.max, s.fallback);
    }
};

// Writes one setting's variable under its key.
struct CSave {
    CIniFile& ini;
    const CSetting& setting;
    const CViewSettings& view;

    // Integers, flags and colours are stored as integers.
    template <class Kind> void operator()(const Kind& s) const {
        ini.SetInt(setting.section, setting.key, static_cast<int>(s.variable.In(view)));
    }
    void operator()(const CRealSetting& s) const {
        const double v = s.variable.In(view);
        if (s.shortest) {
            ini.SetString(setting.section, setting.key, FormatShortest(v));
        } else {
            ini.SetReal(setting.section, setting.key, v);
        }
    }
};

} // namespace

void LoadSettings(const CIniFile& ini, CViewSettings& view) {
    for (const CSetting& setting : SettingsTable()) {
        if (!setting.section.empty()) {
            std::visit(CLoad{ini, setting, view}, setting.kind);
        }
    }
}

void SaveSettings(CIniFile& ini, const CViewSettings& view) {
    for (const CSetting& setting : SettingsTable()) {
        if (!setting.section.empty()) {
            std::visit(CSave{ini, setting, view}, setting.kind);
        }
    }
}

bool LoadSettingsFile(const std::string& path, CViewSettings& view, std::string& error) {
    CIniFile ini;
    if (!ini.Load(path, error)) {
        return false;
    }
    LoadSettings(ini, view);
    return true;
}

bool SaveSettingsFile(const std::string& path, const CViewSettings& view, std::string& error) {
    CIniFile ini;
    // A profile that cannot be read is not overwritten: what it holds would be lost.
    if (!ini.Load(path, error)) {
        return false;
    }
    SaveSettings(ini, view);
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ignored);
    }
    return ini.Save(path, error);
}

std::string LoadTextExportFormat(const CIniFile& ini) {
    return ini.GetString("TextExport", "Format", DefaultTextFormat);
}

void SaveTextExportFormat(CIniFile& ini, const std::string& format) {
    ini.SetString("TextExport", "Format", format);
}

int LoadNewDiskPacking(const CIniFile& ini) {
    return ReadProfileFlag(ini, "NewDisk", "PackToConvergence", 1);
}

void SaveNewDiskPacking(CIniFile& ini, int pack) {
    ini.SetInt("NewDisk", "PackToConvergence", pack != 0 ? 1 : 0);
}

void LoadColourByColours(const CIniFile& ini, CColouring& how) {
    how.from = ReadProfileColor(ini, "ColourBy", "FirstColor", how.from);
    how.to = ReadProfileColor(ini, "ColourBy", "LastColor", how.to);
    std::vector<COLORREF> palette;
    for (int i = 1; i <= kStoredPalette; ++i) {
        // A missing or unreadable colour reads as the marker, which no colour equals.
        constexpr COLORREF kUnread = 0xFF000000;
        const COLORREF colour =
            ReadProfileColor(ini, "ColourBy", "Palette" + std::to_string(i), kUnread);
        if (colour == kUnread ||
            std::find(palette.begin(), palette.end(), colour) != palette.end()) {
            return;
        }
        palette.push_back(colour);
    }
    how.palette = palette;
}

void SaveColourByColours(CIniFile& ini, const CColouring& how) {
    ini.SetInt("ColourBy", "FirstColor", static_cast<int>(how.from));
    ini.SetInt("ColourBy", "LastColor", static_cast<int>(how.to));
    const int stored = std::min(kStoredPalette, static_cast<int>(how.palette.size()));
    for (int i = 0; i < stored; ++i) {
        ini.SetInt("ColourBy", "Palette" + std::to_string(i + 1), static_cast<int>(how.palette[i]));
    }
}

std::string ReadTextExportFormat(const std::string& path) {
    CIniFile ini;
    std::string ignored;
    ini.Load(path, ignored);
    return LoadTextExportFormat(ini);
}

bool WriteTextExportFormat(const std::string& path, const std::string& format, std::string& error) {
    CIniFile ini;
    if (!ini.Load(path, error)) {
        return false;
    }
    SaveTextExportFormat(ini, format);
    return ini.Save(path, error);
}

// The whole settings set against a profile, and the text-export format key.
#include "document/Settings.h"

#include "circles/CPCircle.h"
#include "model/CPEdge.h"
#include "model/CPNode.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* DefaultTextFormat = "%X, %Y, %R";

} // namespace

void LoadSettings(const CIniFile& ini, CViewSettings& view) {
    LoadViewProfile(ini, view);
    CCPNode::LoadProfile(ini);
    CCPEdge::LoadProfile(ini);
    CCPCircle::LoadProfile(ini);
}

void SaveSettings(CIniFile& ini, const CViewSettings& view) {
    SaveViewProfile(ini, view);
    CCPNode::SaveProfile(ini);
    CCPEdge::SaveProfile(ini);
    CCPCircle::SaveProfile(ini);
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

// The shell's profile operations on the application's INI profile.
#pragma once

#include "app/ProfileAccess.h"
#include "document/IniFile.h"

class CIniProfile : public CProfileAccess {
public:
    explicit CIniProfile(CIniFile& file) : m_file(file) {}

    int ReadInt(std::string_view section, std::string_view key, int fallback) override {
        return m_file.GetInt(section, key, fallback);
    }
    void WriteInt(std::string_view section, std::string_view key, int value) override {
        m_file.SetInt(section, key, value);
    }
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) override {
        return m_file.GetString(section, key, fallback);
    }
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override {
        m_file.SetString(section, key, value);
    }

private:
    CIniFile& m_file;
};

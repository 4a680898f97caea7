// CIniFile: the profile's text format of [sections] and key=value lines, read and rewritten
// without losing what the program does not know about.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Section and key names match without regard to ASCII case; the first of several equal
// names wins. Lines the program does not touch (comments, unknown keys and sections) are
// written back exactly as they were read. Lines end in CR LF when written, the line end of
// the profile files of the program's first platform, so one file serves both; LF and CR LF
// are both accepted when reading. Numbers are read and written the same way in every locale.
class CIniFile {
public:
    // Replaces the contents with the text of an INI file.
    void Parse(std::string_view text);
    // The whole file as text.
    std::string Text() const;

    // Reads the file at `path`. A missing file gives an empty profile and true; a file that
    // exists but cannot be read gives an empty profile, false and `error`.
    bool Load(const std::string& path, std::string& error);
    // Writes the file through a temporary beside it, so a failed write keeps the old file. A
    // file at `path` that Load would refuse (too large, not a regular file) is left alone.
    bool Save(const std::string& path, std::string& error) const;

    bool Has(std::string_view section, std::string_view key) const;
    // The value without surrounding blanks; one pair of matching quotes around it is removed.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Decimal text read as atoi reads it; a missing key gives the default.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // The default formatted with six decimals stands in for a missing key; the text is then
    // read as atof reads it, so text that is not a number gives 0.0.
    double GetReal(std::string_view section, std::string_view key, double defaultValue) const;

    // Line breaks in a value become spaces; a value that would not read back as it is
    // (blanks at either end, or enclosing quotes) is written in quotes.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);
    // Written with twelve decimals.
    void SetReal(std::string_view section, std::string_view key, double value);

private:
    struct Line {
        std::string text; // the line as read, or as it will be written
        std::string key;  // empty for lines that are not key=value
        std::string value;
    };
    struct Section {
        std::string name; // the part before the first header has no name and no header
        std::vector<Line> lines;
    };

    const Line* Find(std::string_view section, std::string_view key) const;
    Section& SectionFor(std::string_view section);

    std::vector<Section> m_sections{Section{}};
};

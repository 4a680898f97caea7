// Parsing, querying and rewriting INI text.
#include "document/IniFile.h"

#include "document/SafeFile.h"
#include "geometry/NumberText.h"

#include <algorithm>

namespace {

// No profile is anywhere near this size; a larger file is not one of ours.
constexpr std::size_t kMaxProfileBytes = 16 * 1024 * 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

std::string Unquote(std::string_view value) {
    value = Trim(value);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// The text to write after "key=" so that Unquote gives `value` back.
std::string Quoted(std::string value) {
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    bool needsQuotes =
        !value.empty() &&
        (IsBlank(value.front()) || IsBlank(value.back()) ||
         (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
    return needsQuotes ? '"' + value + '"' : value;
}

// A "[name]" header line gives the name; anything else gives false.
bool ParseHeader(std::string_view line, std::string& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return false;
    }
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return false;
    }
    name = std::string(Trim(line.substr(1, close - 1)));
    return true;
}

} // namespace

void CIniFile::Parse(std::string_view text) {
    m_sections.assign(1, Section{});
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        std::string name;
        if (ParseHeader(line, name)) {
            m_sections.push_back(Section{name, {Line{std::string(line), {}, {}}}});
            continue;
        }
        Line parsed{std::string(line), {}, {}};
        std::size_t equals = line.find('=');
        std::string_view key = Trim(line.substr(0, equals));
        bool comment = !key.empty() && (key.front() == ';' || key.front() == '#');
        if (equals != std::string_view::npos && !key.empty() && !comment) {
            parsed.key = std::string(key);
            parsed.value = Unquote(line.substr(equals + 1));
        }
        m_sections.back().lines.push_back(std::move(parsed));
    }
}

std::string CIniFile::Text() const {
    std::string text;
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines) {
            text += line.text;
            text += "\r\n";
        }
    }
    return text;
}

bool CIniFile::Load(const std::string& path, std::string& error) {
    std::vector<std::uint8_t> bytes;
    ReadResult result = ReadWholeFile(path, kMaxProfileBytes, bytes, error);
    Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return result != ReadResult::Failed;
}

bool CIniFile::Save(const std::string& path, std::string& error) const {
    // A profile that cannot be read (too large, damaged media) is not replaced: what it holds
    // would be lost. Things that are no files are refused without waiting on them.
    std::vector<std::uint8_t> existing;
    std::string unreadable;
    if (ReadWholeFile(path, kMaxProfileBytes, existing, unreadable) == ReadResult::Failed) {
        error = unreadable + " It is left as it was.";
        return false;
    }
    std::string text = Text();
    return WriteFileAtomically(path,
                               {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                               error, COutputFile::Targets::RegularOnly);
}

const CIniFile::Line* CIniFile::Find(std::string_view section, std::string_view key) const {
    for (const Section& s : m_sections) {
        if (&s == &m_sections.front() || !SameName(s.name, section)) {
            continue;
        }
        for (const Line& line : s.lines) {
            if (!line.key.empty() && SameName(line.key, key)) {
                return &line;
            }
        }
    }
    return nullptr;
}

bool CIniFile::Has(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const Line* line = Find(section, key);
    return line ? line->value : std::string(defaultValue);
}

int CIniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const Line* line = Find(section, key);
    return line ? ParseInt(line->value) : defaultValue;
}

double CIniFile::GetReal(std::string_view section, std::string_view key,
                         double defaultValue) const {
    return ParseReal(GetString(section, key, FormatFixed(defaultValue, 6)));
}

CIniFile::Section& CIniFile::SectionFor(std::string_view section) {
    auto found = std::find_if(m_sections.begin() + 1, m_sections.end(),
                              [&](const Section& s) { return SameName(s.name, section); });
    if (found != m_sections.end()) {
        return *found;
    }
    std::string name(section);
    m_sections.push_back(Section{name, {Line{"[" + name + "]", {}, {}}}});
    return m_sections.back();
}

void CIniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = SectionFor(section);
    std::string written = Quoted(std::string(value));
    Line line{std::string(key) + "=" + written, std::string(key), Unquote(written)};
    // Keys of a section stay together: a new key goes after the section's last key.
    auto lastKey = s.lines.begin();
    for (auto it = s.lines.begin(); it != s.lines.end(); ++it) {
        if (it->key.empty()) {
            continue;
        }
        if (SameName(it->key, key)) {
            line.key = it->key;
            line.text = it->key + "=" + written;
            *it = std::move(line);
            return;
        }
        lastKey = it;
    }
    s.lines.insert(lastKey + 1, std::move(line));
}

void CIniFile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

void CIniFile::SetReal(std::string_view section, std::string_view key, double value) {
    SetString(section, key, FormatFixed(value, 12));
}

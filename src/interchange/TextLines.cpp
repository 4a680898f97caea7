// Lines, tokens and numbers of text formats.
#include "interchange/TextLines.h"

#include "geometry/Utf8Text.h"

#include <charconv>
#include <cmath>

bool CTextLines::Next(std::string_view& line) {
    if (m_at >= m_text.size()) {
        return false;
    }
    std::size_t end = m_text.find('\n', m_at);
    if (end == std::string_view::npos) {
        end = m_text.size();
    }
    line = m_text.substr(m_at, end - m_at);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    m_at = end + 1;
    ++m_line;
    return true;
}

std::vector<std::string_view> SplitTokens(std::string_view line, char comment) {
    if (comment != '\0') {
        line = line.substr(0, line.find(comment));
    }
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\f\v", at);
        if (start == std::string_view::npos) {
            break;
        }
        std::size_t end = line.find_first_of(" \t\f\v", start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        tokens.push_back(line.substr(start, end - start));
        at = end;
    }
    return tokens;
}

bool ReadReal(std::string_view token, double& value) {
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
    }
    // from_chars takes "inf" and "nan", which no format here means.
    if (token.empty() || token.find_first_of("iInN") != std::string_view::npos) {
        return false;
    }
    auto result = std::from_chars(token.data(), token.data() + token.size(), value,
                                  std::chars_format::general);
    return result.ec == std::errc() && result.ptr == token.data() + token.size() &&
           std::isfinite(value);
}

bool ReadInteger(std::string_view token, std::int64_t min, std::int64_t max, std::int64_t& value) {
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
    }
    auto result = std::from_chars(token.data(), token.data() + token.size(), value);
    return result.ec == std::errc() && result.ptr == token.data() + token.size() && value >= min &&
           value <= max;
}

std::string AtLine(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

std::string Quoted(std::string_view token) {
    constexpr std::size_t kLongest = 40;
    std::string text(token.substr(0, kLongest));
    return "'" + Printable(text) + (token.size() > kLongest ? "...'" : "'");
}

// Reading the text formats of other programs line by line: tokens, numbers in the C locale
// whatever the user's, and the one-line messages that name the line of a fault.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CTextLines {
public:
    explicit CTextLines(std::string_view text) : m_text(text) {}

    // The next line (its end of line, CR LF or LF, taken off) into `line`; false at the end.
    bool Next(std::string_view& line);
    // The number of the line Next gave last, from 1.
    int LineNumber() const { return m_line; }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 0;
};

// The line's tokens, split at blanks and tabs; text from `comment` on is left out when given.
std::vector<std::string_view> SplitTokens(std::string_view line, char comment = '\0');

// A finite decimal number ("-.5", "1e-3", "+2"), nothing else in the token.
bool ReadReal(std::string_view token, double& value);
// A whole decimal number from `min` to `max`, nothing else in the token.
bool ReadInteger(std::string_view token, std::int64_t min, std::int64_t max, std::int64_t& value);

// "line N: what" as a reader's messages name their place.
std::string AtLine(int line, const std::string& what);
// A token as messages quote it: at most 40 bytes, control bytes escaped.
std::string Quoted(std::string_view token);

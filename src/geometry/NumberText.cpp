// Locale-independent number formatting and parsing on top of std::to_chars/from_chars.
#include "geometry/NumberText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>
#include <system_error>

namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SkipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    return text.substr(i);
}

bool StartsWithHexPrefix(std::string_view text) {
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

// The exponent after an 'e' or 'p' marker, saturated to a few thousand: enough to tell an
// overflow from an underflow.
long ReadExponent(std::string_view text) {
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), 100000L);
    }
    return negative ? -value : value;
}

// For a number that from_chars found out of range: whether it is too large (true) or too
// small (false). Counts the digits before the point, or minus the zeros after it, and adds
// the exponent; hexadecimal digits count four binary places against a binary exponent.
bool IsOverflow(std::string_view number, bool hex) {
    int digitWeight = hex ? 4 : 1;
    char marker = hex ? 'p' : 'e';
    long magnitude = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    std::size_t i = 0;
    for (; i < number.size(); ++i) {
        char c = number[i];
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (c == marker || c == marker - 'a' + 'A') {
            magnitude += ReadExponent(number.substr(i + 1));
            break;
        }
        bool zero = c == '0';
        if (!seenSignificant && !zero) {
            seenSignificant = true;
        }
        if (!seenPoint && seenSignificant) {
            magnitude += digitWeight;
        } else if (seenPoint && !seenSignificant) {
            magnitude -= digitWeight;
        }
    }
    return magnitude > 0;
}

} // namespace

std::string FormatFixed(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 100);
    // 309 integer digits, a sign, a point and the decimals always fit.
    char buffer[420];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string FormatShortest(double value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatHex(unsigned value) {
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    std::string hex(buffer, result.ptr);
    return hex.size() < 2 ? "0" + hex : hex;
}

int ParseInt(std::string_view text) {
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double ParseReal(std::string_view text) {
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    bool hex = StartsWithHexPrefix(text);
    std::string_view digits = hex ? text.substr(2) : text;
    if (!digits.empty() && digits[0] == '-') {
        return 0.0; // from_chars would take a second sign; atof does not
    }
    double value = 0.0;
    auto format = hex ? std::chars_format::hex : std::chars_format::general;
    auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, format);
    if (result.ec == std::errc::result_out_of_range) {
        std::string_view number(digits.data(), result.ptr - digits.data());
        value = IsOverflow(number, hex) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        // "0x" with no hexadecimal digits after it reads as the number 0, as strtod does.
        value = 0.0;
    }
    return negative ? -value : value;
}

// Locale-independent number texts for the EPS, text and profile writers.
#include "circles/NumberFormat.h"

#include <charconv>

std::string FixedText(double value) {
    // A double's integer part has at most 309 digits.
    char text[400];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

std::string HexText(unsigned value) {
    char text[16];
    auto result = std::to_chars(text, text + sizeof text, value, 16);
    std::string hex(text, result.ptr);
    return hex.size() < 2 ? "0" + hex : hex;
}

// Colours as the program stores them everywhere: 0x00BBGGRR, red in the low byte.
#pragma once

#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF MakeRgb(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned GetRValue(COLORREF c) {
    return c & 0xFFu;
}
constexpr unsigned GetGValue(COLORREF c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned GetBValue(COLORREF c) {
    return (c >> 16) & 0xFFu;
}

// Test helper: a PNG file decoded with libpng's simplified reader, and its pHYs chunk.
#pragma once

#include "geometry/Color.h"

#include <cstdint>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

struct PngPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // four bytes a pixel, top row first
    bool hasAlpha = false;

    COLORREF Color(int x, int y) const {
        const std::uint8_t* p = &rgba[4 * (std::size_t(y) * width + x)];
        return MakeRgb(p[0], p[1], p[2]);
    }
    int Alpha(int x, int y) const { return rgba[4 * (std::size_t(y) * width + x) + 3]; }
};

inline bool DecodePng(const std::string& file, PngPicture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
        return false;
    }
    picture.hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    picture.width = int(image.width);
    picture.height = int(image.height);
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) != 0;
}

// The pixels per metre of the pHYs chunk (both axes must agree), or 0 without one.
inline std::uint32_t PngPixelsPerMetre(const std::string& file) {
    std::size_t at = file.find("pHYs");
    if (at == std::string::npos || at + 13 > file.size() || file[at + 12] != 1) {
        return 0;
    }
    auto be32 = [&](std::size_t i) {
        return std::uint32_t(std::uint8_t(file[i])) << 24 | std::uint8_t(file[i + 1]) << 16 |
               std::uint8_t(file[i + 2]) << 8 | std::uint8_t(file[i + 3]);
    };
    return be32(at + 4) == be32(at + 8) ? be32(at + 4) : 0;
}

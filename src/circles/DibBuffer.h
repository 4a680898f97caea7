// CDibBuffer: a 24-bit bottom-up pixel image with a movable origin and a BMP file writer.
#pragma once

#include "circles/OutputFile.h"
#include "geometry/Color.h"
#include "geometry/Object.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CDibBuffer : public CObject {
public:
    // The largest pixel memory Create accepts, so that the BMP file's 32-bit sizes stay valid
    // and a huge picture is refused instead of exhausting the memory.
    static constexpr std::int64_t kMaxImageBytes = (std::int64_t(1) << 31) - 1 - 54;

    CDibBuffer() = default;

    // Whether a picture of that size stays within kMaxImageBytes.
    static bool WithinLimit(std::int64_t width, std::int64_t height);

    // Releases any earlier picture; false (and no picture) for a size of zero or less, one
    // whose pixel memory exceeds kMaxImageBytes, or one the memory cannot hold.
    bool Create(int width, int height);
    void DeleteBitmap();
    bool HasBitmap() const { return !m_bits.empty(); }

    // Writes the BMP file whole or not at all; NothingToWrite when there is no picture.
    FileStatus SaveBmp(const std::string& path) const;
    // The BMP file's bytes into a file opened in binary mode, which the caller commits.
    void WriteBmp(COutputFile& file) const;

    // The pixel at (x, y) + origin, y = 0 being the top row; outside the picture the outside
    // colour.
    COLORREF GetPixel(int x, int y) const;
    // Pixels outside the picture are ignored.
    void SetPixel(int x, int y, COLORREF color);
    void SetOrigin(int x, int y) {
        m_originX = x;
        m_originY = y;
    }
    void SetOutsideColor(COLORREF color) { m_outsideColor = color; }

    int OriginX() const { return m_originX; }
    int OriginY() const { return m_originY; }
    COLORREF OutsideColor() const { return m_outsideColor; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_stride; }
    const std::array<std::uint8_t, 40>& Header() const { return m_header; }
    // The bytes of picture row y (0 = top, no origin), blue, green, red per pixel.
    std::uint8_t* Row(int y) { return m_bits.data() + std::size_t(m_height - 1 - y) * m_stride; }
    const std::uint8_t* Row(int y) const {
        return m_bits.data() + std::size_t(m_height - 1 - y) * m_stride;
    }
    // Pixels [x0, x1) of picture row y (no origin) set to one colour.
    void FillSpan(int y, int x0, int x1, COLORREF color);
    // The whole picture set to one colour.
    void Fill(COLORREF color);

    // An optional coverage plane for pictures with a transparent background: one value a
    // pixel, from 0 (nothing drawn, the colour does not count) to 1 (opaque). Created all 0;
    // false when the memory cannot hold it. Create and DeleteBitmap drop it.
    bool CreateAlpha();
    bool HasAlpha() const { return !m_alpha.empty(); }
    // The coverage of picture row y (0 = top, no origin).
    float* AlphaRow(int y) { return m_alpha.data() + std::size_t(y) * std::size_t(m_width); }
    const float* AlphaRow(int y) const {
        return m_alpha.data() + std::size_t(y) * std::size_t(m_width);
    }

private:
    int m_originX = 0;
    int m_originY = 0;
    COLORREF m_outsideColor = 0x00FFFFFF;
    std::vector<std::uint8_t> m_bits;
    std::vector<float> m_alpha;
    std::array<std::uint8_t, 40> m_header{};
    int m_stride = 0;
    int m_width = 0;
    int m_height = 0;
};

// Pixel access on a row pointer, in the buffer's blue-green-red byte order.
inline COLORREF ReadBgr(const std::uint8_t* p) {
    return MakeRgb(p[2], p[1], p[0]);
}
inline void WriteBgr(std::uint8_t* p, COLORREF color) {
    p[0] = std::uint8_t(GetBValue(color));
    p[1] = std::uint8_t(GetGValue(color));
    p[2] = std::uint8_t(GetRValue(color));
}

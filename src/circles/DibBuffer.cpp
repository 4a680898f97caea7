// The pixel buffer of antialiased drawing and bitmap export, and its BMP file.
#include "circles/DibBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

// Greys, white and black above all, are three equal bytes: set with memset.
bool IsGrey(COLORREF color) {
    return GetRValue(color) == GetGValue(color) && GetGValue(color) == GetBValue(color);
}

} // namespace

bool CDibBuffer::WithinLimit(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0 || width > kMaxImageBytes) {
        return false;
    }
    std::int64_t stride = ((width * 24 + 31) & ~std::int64_t(31)) / 8;
    return stride <= kMaxImageBytes / height;
}

bool CDibBuffer::Create(int width, int height) {
    DeleteBitmap();
    if (!WithinLimit(width, height)) {
        return false;
    }
    std::int64_t stride = ((std::int64_t(width) * 24 + 31) & ~std::int64_t(31)) / 8;
    std::int64_t imageBytes = stride * height;
    try {
        m_bits.assign(std::size_t(imageBytes), 0);
    } catch (const std::bad_alloc&) {
        m_bits.clear();
        return false;
    }
    m_width = width;
    m_height = height;
    m_stride = int(stride);
    m_header.fill(0);
    Put32(&m_header[0], 40);
    Put32(&m_header[4], std::uint32_t(width));
    Put32(&m_header[8], std::uint32_t(height));
    Put16(&m_header[12], 1);
    Put16(&m_header[14], 24);
    Put32(&m_header[20], std::uint32_t(imageBytes));
    return true;
}

bool CDibBuffer::CreateAlpha() {
    if (!HasBitmap()) {
        return false;
    }
    try {
        m_alpha.assign(std::size_t(m_width) * std::size_t(m_height), 0.0f);
    } catch (const std::bad_alloc&) {
        m_alpha.clear();
        return false;
    }
    return true;
}

void CDibBuffer::DeleteBitmap() {
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_alpha.clear();
    m_alpha.shrink_to_fit();
    m_header.fill(0);
    m_width = m_height = m_stride = 0;
}

FileStatus CDibBuffer::SaveBmp(const std::string& path) const {
    if (!HasBitmap()) {
        return FileStatus::NothingToWrite;
    }
    COutputFile file;
    if (!file.Open(path, COutputFile::Mode::Binary)) {
        return FileStatus::CannotOpen;
    }
    WriteBmp(file);
    return file.Commit();
}

void CDibBuffer::WriteBmp(COutputFile& file) const {
    std::uint8_t fileHeader[14] = {};
    Put16(&fileHeader[0], 0x4D42);
    Put32(&fileHeader[2], std::uint32_t(m_bits.size() + 54));
    Put32(&fileHeader[10], 54);
    file.Write(fileHeader, sizeof fileHeader);
    file.Write(m_header.data(), m_header.size());
    file.Write(m_bits.data(), m_bits.size());
}

COLORREF CDibBuffer::GetPixel(int x, int y) const {
    std::int64_t px = std::int64_t(x) + m_originX;
    std::int64_t py = std::int64_t(y) + m_originY;
    if (px < 0 || py < 0 || px >= m_width || py >= m_height) {
        return m_outsideColor;
    }
    return ReadBgr(Row(int(py)) + 3 * px);
}

void CDibBuffer::SetPixel(int x, int y, COLORREF color) {
    std::int64_t px = std::int64_t(x) + m_originX;
    std::int64_t py = std::int64_t(y) + m_originY;
    if (px < 0 || py < 0 || px >= m_width || py >= m_height) {
        return;
    }
    WriteBgr(Row(int(py)) + 3 * px, color);
}

void CDibBuffer::FillSpan(int y, int x0, int x1, COLORREF color) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_width);
    if (y < 0 || y >= m_height || x0 >= x1) {
        return;
    }
    std::uint8_t* p = Row(y) + 3 * std::size_t(x0);
    std::size_t bytes = 3 * std::size_t(x1 - x0);
    if (IsGrey(color)) {
        std::memset(p, int(GetRValue(color)), bytes);
        return;
    }
    // Sixteen pixels make 48 bytes, a whole number of both pixels and 16-byte stores: the
    // span is written in such blocks of a prepared pattern, the rest from its start.
    constexpr std::size_t kBlock = 48;
    std::uint8_t pattern[kBlock];
    for (std::size_t i = 0; i < kBlock; i += 3) {
        WriteBgr(pattern + i, color);
    }
    std::size_t done = 0;
    for (; done + kBlock <= bytes; done += kBlock) {
        std::memcpy(p + done, pattern, kBlock);
    }
    std::memcpy(p + done, pattern, bytes - done);
}

void CDibBuffer::Fill(COLORREF color) {
    if (IsGrey(color) && m_stride == 3 * m_width) {
        // Rows without padding: one call over the whole picture, which the library may write
        // past the cache; with antialiased drawing after it, about 1 ms less at 2012² pixels.
        std::memset(m_bits.data(), int(GetRValue(color)), m_bits.size());
        return;
    }
    for (int y = 0; y < m_height; ++y) {
        FillSpan(y, 0, m_width, color);
    }
}

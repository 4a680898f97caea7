// Rows of the pixel buffer handed to libpng, the bytes collected in memory.
#include "export/PngFile.h"

#include "circles/DibBuffer.h"

#include <cmath>
#include <csetjmp>
#include <new>
#include <png.h>

namespace {

void Collect(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    try {
        bytes->insert(bytes->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory"); // no exception may cross libpng's C frames
    }
}

void NoFlush(png_structp) {}

// One picture row as libpng takes it: red, green, blue and, with a coverage plane, alpha.
void PackRow(const CDibBuffer& picture, int y, std::vector<png_byte>& row) {
    const std::uint8_t* bgr = picture.Row(y);
    const float* alpha = picture.HasAlpha() ? picture.AlphaRow(y) : nullptr;
    png_byte* out = row.data();
    for (int x = 0; x < picture.Width(); ++x) {
        *out++ = bgr[3 * x + 2];
        *out++ = bgr[3 * x + 1];
        *out++ = bgr[3 * x];
        if (alpha) {
            *out++ = png_byte(std::lround(255.0 * alpha[x]));
        }
    }
}

// libpng reports errors by a long jump back here: nothing that needs destroying is made
// between the setjmp and the end of the function.
bool Encode(png_structp png, png_infop info, const CDibBuffer& picture, int dpi,
            std::vector<png_byte>& row, std::vector<std::uint8_t>& bytes) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, &bytes, Collect, NoFlush);
    png_set_IHDR(png, info, png_uint_32(picture.Width()), png_uint_32(picture.Height()), 8,
                 picture.HasAlpha() ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const auto perMetre = png_uint_32(std::lround(dpi / 0.0254));
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < picture.Height(); ++y) {
        PackRow(picture, y, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    return true;
}

} // namespace

bool EncodePng(const CDibBuffer& picture, int dpi, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (!picture.HasBitmap() || dpi < 1) {
        return false;
    }
    std::vector<png_byte> row;
    try {
        row.resize(std::size_t(picture.Width()) * (picture.HasAlpha() ? 4 : 3));
    } catch (const std::bad_alloc&) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = info && Encode(png, info, picture, dpi, row, bytes);
    png_destroy_write_struct(&png, &info);
    if (!ok) {
        bytes.clear();
    }
    return ok;
}

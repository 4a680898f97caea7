// Metafile export: the circles recorded with two invisible corner pixels that make the
// recorded bounds the whole picture.
#include "circles/CPCircleArray.h"
#include "document/AppTitle.h"
#include "export/EmfSurface.h"
#include "export/Export.h"
#include "export/PictureCheck.h"
#include "geometry/Utf8Text.h"

namespace {

// UTF-8 to UTF-16; a byte that starts no valid sequence becomes U+FFFD.
std::u16string Utf16(const std::string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8(text, i, c);
        if (length == 0) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(char16_t(c));
        }
        i += length;
    }
    return out;
}

} // namespace

ExportStatus RecordEmf(const CCPCircleArray& circles, double radius, const std::string& title,
                       std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (ExportStatus status = CheckPicture(circles, radius); status != ExportStatus::Ok) {
        return status;
    }
    IntRect extent = circles.GetExtent(radius);
    if (extent.right >= CEmfSurface::kMaxCoordinate) {
        return ExportStatus::MetafileTooLarge;
    }
    CEmfSurface surface;
    RasterOp previous = surface.State().rasterOp;
    // The two pixels only widen the recorded bounds to the whole square. They are white, not
    // black, for readers that ignore the raster operation leaving the page unchanged and
    // would otherwise show two black dots in the corners.
    surface.SetRasterOp(RasterOp::NoOp);
    surface.SetPixel({extent.left, extent.top}, 0x00FFFFFF);
    surface.SetPixel({extent.right, extent.bottom}, 0x00FFFFFF);
    surface.SetRasterOp(previous);
    circles.Draw(surface, radius, DrawPlain);
    std::u16string description = Utf16(kAppTitle);
    description.push_back(0);
    description += Utf16(title.empty() ? "NoTitle" : title);
    description.push_back(0);
    description.push_back(0);
    return surface.Finish(description, bytes) ? ExportStatus::Ok : ExportStatus::MetafileTooLarge;
}

ExportStatus ExportEmf(const CCPCircleArray& circles, double radius, const ExportTarget& target) {
    std::vector<std::uint8_t> bytes;
    if (ExportStatus status = RecordEmf(circles, radius, target.Title(), bytes);
        status != ExportStatus::Ok) {
        return status;
    }
    return WriteBytes(target, bytes.data(), bytes.size());
}

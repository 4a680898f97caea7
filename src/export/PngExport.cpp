// PNG export: the bitmap export's picture, optionally on a transparent background, encoded
// with its resolution.
#include "circles/DibBuffer.h"
#include "export/BitmapPicture.h"
#include "export/Export.h"
#include "export/PngFile.h"

static Clearing ClearingOf(const PngSetup& setup) {
    if (!setup.transparent) {
        return Clearing::None;
    }
    return setup.clearGaps ? Clearing::MarginAndGaps : Clearing::Margin;
}

ExportStatus ExportPng(const CCPCircleArray& circles, const PngSetup& setup,
                       const ExportTarget& target, const PlainPainter& painter) {
    CDibBuffer picture;
    if (ExportStatus status =
            MakeBitmapPicture(circles, setup, ClearingOf(setup), painter, picture);
        status != ExportStatus::Ok) {
        return status;
    }
    std::vector<std::uint8_t> bytes;
    if (!EncodePng(picture, setup.dpi, bytes)) {
        return ExportStatus::BitmapTooLarge;
    }
    picture.DeleteBitmap(); // the encoded file replaces the pixels before it is written
    return WriteBytes(target, bytes.data(), bytes.size());
}

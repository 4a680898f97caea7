// Bitmap export: the picture of GetExtent on the background, plain or antialiased, as BMP.
#include "circles/DibBuffer.h"
#include "export/BitmapPicture.h"
#include "export/Export.h"

ExportStatus ExportBitmap(const CCPCircleArray& circles, const BitmapSetup& setup,
                          const ExportTarget& target, const PlainPainter& painter) {
    CDibBuffer picture;
    if (ExportStatus status = MakeBitmapPicture(circles, setup, Clearing::None, painter, picture);
        status != ExportStatus::Ok) {
        return status;
    }
    COutputFile file;
    if (!target.Open(file, COutputFile::Mode::Binary)) {
        return ExportStatus::CannotOpen;
    }
    picture.WriteBmp(file);
    return ToExportStatus(file.Commit());
}

// Bitmap export: the picture of GetExtent on the background, plain or antialiased, as BMP.
#include "circles/CPCircleArray.h"
#include "circles/DibBuffer.h"
#include "circles/DibSurface.h"
#include "export/Export.h"
#include "export/PictureCheck.h"

#include <climits>

ExportStatus ExportBitmap(const CCPCircleArray& circles, const BitmapSetup& setup,
                          const std::string& path, const PlainPainter& painter) {
    if (ExportStatus status = CheckPicture(circles, setup.radius); status != ExportStatus::Ok) {
        return status;
    }
    IntRect extent = circles.GetExtent(setup.radius);
    long long width = (long long)extent.right - extent.left;
    long long height = (long long)extent.bottom - extent.top;
    CDibBuffer picture;
    if (width > INT_MAX || height > INT_MAX || !picture.Create(int(width), int(height))) {
        return ExportStatus::BitmapTooLarge;
    }
    int cx = int(width / 2), cy = int(height / 2);
    if (setup.antialias) {
        picture.SetOutsideColor(setup.background);
        picture.SetOrigin(cx, cy);
        circles.DrawAntialiased(picture, setup.radius, setup.background);
    } else {
        picture.Fill(setup.background);
        auto draw = [&](CDrawSurface& surface) {
            surface.SetOrigin({cx, cy}); // model point (0, 0) in the middle
            circles.Draw(surface, setup.radius, DrawPlain);
        };
        if (painter) {
            painter(picture, draw);
        } else {
            CDibSurface surface(picture);
            draw(surface);
        }
    }
    return ToExportStatus(picture.SaveBmp(path));
}

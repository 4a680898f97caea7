// Copying between the pixel buffer and a QImage around Qt drawing.
#include "view/QtPicture.h"

#include "circles/DibBuffer.h"
#include "view/QtSurface.h"

#include <QImage>
#include <QPainter>

void PaintWithQt(CDibBuffer& picture, const std::function<void(CDrawSurface&)>& draw) {
    if (!picture.HasBitmap()) {
        return;
    }
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    if (image.isNull()) {
        return; // Qt could not hold it: the picture keeps its background
    }
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* from = picture.Row(y);
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.Width(); ++x) {
            to[x] = qRgb(from[3 * x + 2], from[3 * x + 1], from[3 * x]);
        }
    }
    {
        QPainter painter(&image);
        CQtSurface surface(painter);
        draw(surface);
    }
    for (int y = 0; y < picture.Height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* to = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            WriteBgr(to + 3 * x, MakeRgb(qRed(from[x]), qGreen(from[x]), qBlue(from[x])));
        }
    }
}

// Rendering the SVG icons into PNG pictures.
#include "app/IconImages.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

QByteArray RenderIconPng(const QByteArray& svg, int size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || size <= 0) {
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png : QByteArray();
}

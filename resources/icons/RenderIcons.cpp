// Build tool: draws an SVG icon into PNG pictures for the icon theme, OUTDIR/<size>x<size>/NAME.png
// for each SIZE, with the renderer that Register File Type uses.
#include "app/IconImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: render-icons IN.svg OUTDIR NAME SIZE...\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "render-icons: cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray svg = source.readAll();
    for (int i = 4; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QByteArray png = RenderIconPng(svg, size);
        QFile target(QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1x%1/").arg(size) +
                     QString::fromLocal8Bit(argv[3]) + QStringLiteral(".png"));
        if (png.isEmpty() || !QDir().mkpath(QFileInfo(target).absolutePath()) ||
            !target.open(QIODevice::WriteOnly) || target.write(png) != png.size()) {
            std::fprintf(stderr, "render-icons: cannot write the %s pixel icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}

// Where the editor's time goes on a large document: opening it, painting it in both modes,
// Circle Packing and the command states, measured in the editor itself (offscreen) as CPU and
// wall-clock time. Not a benchmark run by `make bench`; run by hand:
//   editor_timing FILE.tesl [PREFIX]
// With PREFIX, the graph-mode pictures are saved as PREFIX-*.png, to compare the pictures of
// two builds pixel for pixel.
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/TesselDoc.h"
#include "document/ViewSettings.h"
#include "view/TesselView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

void Measure(const char* what, const std::function<void()>& step) {
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu = std::clock();
    step();
    const double cpuSeconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    std::printf("%-44s cpu %8.3f s   wall %8.3f s\n", what, cpuSeconds, wall.elapsed() / 1000.0);
}

void Save(const QImage& image, const char* prefix, const char* name) {
    if (prefix) {
        image.save(QString::fromLocal8Bit(prefix) + QLatin1Char('-') + QLatin1String(name) +
                   QStringLiteral(".png"));
    }
}

// The graph at twice the pixel density, as a high-density screen shows it.
void SaveDense(CTesselView& view, const char* prefix, const char* name) {
    if (prefix) {
        QImage dense(view.size() * 2, QImage::Format_RGB32);
        dense.setDevicePixelRatio(2.0);
        view.Paint(dense);
        Save(dense, prefix, name);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: editor_timing FILE.tesl [PREFIX]\n");
        return 2;
    }
    const char* prefix = argc == 3 ? argv[2] : nullptr;
    QTemporaryDir folder;
    CTesselApp app;
    Measure("open and show", [&] {
        if (!app.InitInstance({QString::fromLocal8Bit(argv[1])},
                              folder.filePath(QStringLiteral("t.ini")).toStdString())) {
            std::exit(1);
        }
        QApplication::processEvents();
    });
    CTesselView& view = *app.m_pView;
    CMainFrame& frame = *app.m_pMainFrame;
    QImage image(view.size(), QImage::Format_RGB32);
    Measure("paint, graph mode", [&] { view.Paint(image); });
    Save(image, prefix, "graph");
    SaveDense(view, prefix, "graph-dense");
    Measure("command states", [&] { frame.UpdateCommands(); });
    Measure("Circle Packing (command)", [&] { frame.RunCommand(cmd::kCirclePacking); });
    Measure("repaint after packing (window)", [&] { view.repaint(); });
    Measure("paint, graph mode, packed", [&] { view.Paint(image); });
    Save(image, prefix, "packed");
    SaveDense(view, prefix, "packed-dense");
    Measure("paint, graph mode, packed, zoom 8", [&] {
        view.ZoomAt(QPoint(view.width() / 2, view.height() / 2 + int(view.Radius()) - 2), 8.0);
        view.Paint(image);
    });
    Save(image, prefix, "packed-zoomed");
    view.ZoomToFit();
    frame.show();
    QApplication::processEvents();
    Measure("zoom in, graph mode (command, window repaint)", [&] {
        frame.RunCommand(cmd::kZoomIn);
        view.repaint();
    });
    Measure("fit, graph mode (command, window repaint)", [&] {
        frame.RunCommand(cmd::kZoomToFit);
        view.repaint();
    });
    frame.RunCommand(cmd::kCircle);
    Measure("paint, circle mode", [&] { view.Paint(image); });
    Measure("paint, circle mode, zoom 8 at the rim", [&] {
        view.ZoomAt(QPoint(view.width() / 2, view.height() / 2 + int(view.Radius()) - 2), 8.0);
        view.Paint(image);
    });
    view.ZoomToFit();
    frame.RunCommand(cmd::kAntialiasing);
    Measure("paint, antialiased (image made)", [&] { view.Paint(image); });
    Measure("paint, antialiased (image kept)", [&] { view.Paint(image); });
    view.ZoomIn();
    Measure("paint, antialiased, zoomed", [&] { view.Paint(image); });
    frame.RunCommand(cmd::kAntialiasing);
    app.m_pDoc->SetModifiedFlag(false);
    return 0;
}

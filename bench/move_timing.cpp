// How many redraws per second a drag of the Move Packing tool makes on a large document: each
// step moves every circle from where the drag started and paints the picture as the window
// does, in circle mode, at the size of a usual window. Not a benchmark run by `make bench`;
// run by hand, on the offscreen platform or a display:
//   move_timing RINGS [STEPS]
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "geometry/DiskMove.h"
#include "packing/ConvergedPacking.h"
#include "view/TesselView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: move_timing RINGS [STEPS]\n");
        return 2;
    }
    const int rings = std::atoi(argv[1]);
    const int steps = argc == 3 ? std::atoi(argv[2]) : 60;
    QTemporaryDir folder;
    CTesselApp app;
    if (!app.InitInstance({}, folder.filePath(QStringLiteral("t.ini")).toStdString())) {
        return 1;
    }
    app.m_pMainFrame->resize(1280, 960);
    QApplication::processEvents();
    CTesselView& view = *app.m_pView;
    CTesselDoc& doc = view.Document();
    if (!BuildHexDisk(doc, rings)) {
        return 1;
    }
    CConvergedPacking outcome;
    doc.PackToConvergence(1e-12, {}, outcome);
    view.SetMode(CircleMode);
    QImage image(view.size(), QImage::Format_RGB32);
    view.Paint(image);
    doc.StartMove(ids::kStepMovePacking);
    QElapsedTimer moving;
    QElapsedTimer total;
    qint64 moveNs = 0;
    total.start();
    const std::clock_t cpu = std::clock();
    for (int step = 1; step <= steps; ++step) {
        moving.start();
        doc.ShowMove(CDiskMove::Along({0.1, 0.1}, {0.1 + 0.5 * step / steps, 0.1}));
        moveNs += moving.nsecsElapsed();
        view.Paint(image);
    }
    const double seconds = total.nsecsElapsed() / 1e9;
    const double cpuSeconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    doc.FinishMove();
    // On a machine shared with other work the processor time tells what the drag costs; the
    // wall-clock rate is what this run saw.
    std::printf("%d circles, %d x %d window: %.1f redraws/s by processor time, %.1f by the "
                "clock (moving the circles %.2f ms of %.2f ms per redraw)\n",
                doc.m_nodes.GetSize(), view.width(), view.height(), steps / cpuSeconds,
                steps / seconds, moveNs / 1e6 / steps, seconds * 1e3 / steps);
    return 0;
}

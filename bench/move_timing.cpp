// How many redraws per second a drag of the Move Packing tool makes on a large document: the
// view gets a press, pointer moves each followed by the repaint it asks for, and a release, in
// circle mode, at the size of a usual window. Not a benchmark run by `make bench`;
// run by hand, on the offscreen platform or a display:
//   move_timing RINGS [STEPS]
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "packing/ConvergedPacking.h"
#include "view/TesselView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
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
    app.m_pMainFrame->show();
    QApplication::processEvents();
    CTesselView& view = *app.m_pView;
    CTesselDoc& doc = view.Document();
    if (!BuildHexDisk(doc, rings)) {
        return 1;
    }
    CConvergedPacking outcome;
    doc.PackToConvergence(1e-12, {}, outcome);
    view.SetMode(CircleMode);
    view.SetMoveTool(true);
    view.repaint();
    // The drag as the window gets it: a press, pointer moves each followed by the repaint they
    // ask for, a release.
    const QPointF from(view.width() * 0.55, view.height() * 0.55);
    const auto send = [&view](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    QElapsedTimer moving;
    QElapsedTimer total;
    qint64 moveNs = 0;
    total.start();
    const std::clock_t cpu = std::clock();
    for (int step = 1; step <= steps; ++step) {
        moving.start();
        send(QEvent::MouseMove, from + QPointF(0.3 * view.width() * step / steps, 0),
             Qt::LeftButton);
        moveNs += moving.nsecsElapsed();
        view.repaint();
    }
    const double seconds = total.nsecsElapsed() / 1e9;
    const double cpuSeconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    QElapsedTimer release;
    release.start();
    send(QEvent::MouseButtonRelease, from + QPointF(0.3 * view.width(), 0), Qt::NoButton);
    view.repaint();
    const double releaseMs = release.nsecsElapsed() / 1e6;
    // On a machine shared with other work the processor time tells what the drag costs; the
    // wall-clock rate is what this run saw.
    std::printf("%d circles, %d x %d window: %.1f redraws/s by processor time, %.1f by the "
                "clock (moving the circles %.2f ms of %.2f ms per redraw; the full picture after "
                "the release %.0f ms)\n",
                doc.m_nodes.GetSize(), view.width(), view.height(), steps / cpuSeconds,
                steps / seconds, moveNs / 1e6 / steps, seconds * 1e3 / steps, releaseMs);
    return 0;
}

// How long the editor's window stops answering during the long commands on large documents:
// circle-mode frames on 100,000 circles (New Hex Disk 182), then on a million nodes New Hex Disk
// 577, Pack to Convergence on it, zoom steps in both modes, New Random Disk of 1,000,000. The
// window is frozen whenever its event loop does not come round: a timer of 5 ms records the longest
// gap between two of its ticks while each command runs (progress dialogs keep the loop going, so
// work behind one counts as answering). Not a benchmark run by `make bench`; run by hand on the
// offscreen platform: editor_freezes [FOLDER]. With a folder, the million circles at fit zoom are
// also saved there as coverage.png (as circle mode shows them) and exact.png (with antialiasing
// switched on), and the two compared.
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// Fills the size dialog of a generated disk and presses OK, its packing box cleared (Pack to
// Convergence is measured as a step of its own); closes message boxes.
void AnswerDialogs(const QString& field, const QString& value) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        box->accept();
        return;
    }
    auto* edit = modal->findChild<QLineEdit*>(field);
    auto* ok = modal->findChild<QAbstractButton*>(QStringLiteral("ok"));
    if (edit != nullptr && ok != nullptr) {
        edit->setText(value);
        if (auto* pack = modal->findChild<QCheckBox*>(QStringLiteral("pack"))) {
            pack->setChecked(false);
        }
        ok->click();
    }
}

// Runs the step and prints its wall-clock time and the longest time the event loop stood.
void Measure(const char* what, const std::function<void()>& step, const QString& field = {},
             const QString& value = {}) {
    QElapsedTimer wall;
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer ticks;
    ticks.setInterval(5);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.restart());
        AnswerDialogs(field, value);
    });
    wall.start();
    sinceTick.start();
    ticks.start();
    step();
    // The repaint the command asked for counts as part of it.
    QApplication::processEvents();
    longest = std::max(longest, sinceTick.elapsed());
    std::printf("%-44s wall %7.3f s   longest freeze %7.3f s\n", what, wall.elapsed() / 1000.0,
                longest / 1000.0);
    std::fflush(stdout);
}

// The view as it paints itself now.
QImage Picture(CTesselView& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    view.Paint(image);
    return image;
}

// Saves the coverage view and the exact antialiased picture into the folder and prints their
// mean absolute difference per channel.
void ComparePictures(CMainFrame& frame, CTesselView& view, const QDir& folder) {
    const QImage coverage = Picture(view);
    Measure("antialiasing on (exact), circle mode", [&] { frame.RunCommand(cmd::kAntialiasing); });
    const QImage exact = Picture(view);
    frame.RunCommand(cmd::kAntialiasing);
    coverage.save(folder.filePath(QStringLiteral("coverage.png")));
    exact.save(folder.filePath(QStringLiteral("exact.png")));
    double sum = 0;
    double darkness[2] = {0, 0};
    for (int y = 0; y < exact.height(); ++y) {
        for (int x = 0; x < exact.width(); ++x) {
            const QRgb a = coverage.pixel(x, y);
            const QRgb b = exact.pixel(x, y);
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b));
            darkness[0] += 255 - qGray(a);
            darkness[1] += 255 - qGray(b);
        }
    }
    const double pixels = double(exact.width()) * exact.height();
    std::printf("  coverage against exact: mean absolute difference %.3f levels a channel, "
                "mean grey %.2f / %.2f\n",
                sum / (3 * pixels), 255 - darkness[0] / pixels, 255 - darkness[1] / pixels);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    CTesselApp app;
    if (!app.InitInstance({}, folder.filePath(QStringLiteral("t.ini")).toStdString())) {
        return 1;
    }
    CMainFrame& frame = *app.m_pMainFrame;
    frame.resize(800, 600);
    frame.show();
    QApplication::processEvents();
    app.m_pDoc->SetModifiedFlag(false);
    // Circle mode frames on 100,000 circles first.
    Measure(
        "New Hex Disk 182", [&] { frame.RunCommand(cmd::kNewHexDisk); }, QStringLiteral("rings"),
        QStringLiteral("182"));
    Measure("Pack to Convergence", [&] { frame.RunCommand(cmd::kPackToConvergence); });
    Measure("circle mode", [&] { frame.RunCommand(cmd::kCircle); });
    Measure("zoom in, circle mode", [&] { frame.RunCommand(cmd::kZoomIn); });
    Measure("zoom in, circle mode", [&] { frame.RunCommand(cmd::kZoomIn); });
    Measure("fit, circle mode", [&] { frame.RunCommand(cmd::kZoomToFit); });
    Measure("graph mode", [&] { frame.RunCommand(cmd::kGraph); });
    app.m_pDoc->SetModifiedFlag(false);
    Measure(
        "New Hex Disk 577", [&] { frame.RunCommand(cmd::kNewHexDisk); }, QStringLiteral("rings"),
        QStringLiteral("577"));
    std::printf("  nodes %d\n", app.m_pDoc->m_nodes.GetSize());
    Measure("Pack to Convergence", [&] { frame.RunCommand(cmd::kPackToConvergence); });
    for (int step = 0; step < 3; ++step) {
        Measure("zoom in, graph mode", [&] { frame.RunCommand(cmd::kZoomIn); });
    }
    for (int step = 0; step < 3; ++step) {
        Measure("zoom out, graph mode", [&] { frame.RunCommand(cmd::kZoomOut); });
    }
    Measure("zoom out below fit, graph mode", [&] { frame.RunCommand(cmd::kZoomOut); });
    Measure("fit, graph mode", [&] { frame.RunCommand(cmd::kZoomToFit); });
    Measure("circle mode", [&] { frame.RunCommand(cmd::kCircle); });
    Measure("zoom in, circle mode", [&] { frame.RunCommand(cmd::kZoomIn); });
    Measure("fit, circle mode", [&] { frame.RunCommand(cmd::kZoomToFit); });
    if (argc > 1) {
        ComparePictures(frame, *app.m_pView, QDir(QString::fromLocal8Bit(argv[1])));
    }
    Measure("graph mode", [&] { frame.RunCommand(cmd::kGraph); });
    app.m_pDoc->SetModifiedFlag(false);
    Measure(
        "New Random Disk 1,000,000", [&] { frame.RunCommand(cmd::kNewRandomDisk); },
        QStringLiteral("nodes"), QStringLiteral("1000000"));
    std::printf("  nodes %d\n", app.m_pDoc->m_nodes.GetSize());
    app.m_pDoc->SetModifiedFlag(false);
    return 0;
}

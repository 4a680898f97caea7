// The export and clipboard commands of the editor.
#include "app/EditorExport.h"

#include "app/BmpSetupDlg.h"
#include "app/EmfSetupDlg.h"
#include "app/EpsSetupDlg.h"
#include "app/MessageBox.h"
#include "app/QtStrings.h"
#include "app/TextSetupDlg.h"
#include "app/VectorSetupDlg.h"
#include "circles/DibBuffer.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "export/BitmapPicture.h"
#include "export/Export.h"
#include "geometry/DPoint.h"
#include "interchange/CirclePackDocument.h"
#include "view/QtPicture.h"
#include "view/QtSurface.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QPainter>
#include <QProgressDialog>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <future>

namespace {

// Pictures of more pixels than this are made in the background with a progress dialog.
constexpr double kLargeBitmapPixels = 1024.0 * 1024.0;

QString AskExportPath(QWidget* parent, int filterId, const QString& suffix) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(DialogFilter(filterId));
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

void Report(QWidget* parent, ExportStatus status, const QString& path) {
    if (status != ExportStatus::Ok) {
        ShowWarning(parent, QString::fromStdString(ExportErrorText(status, path.toStdString())));
    }
}

// Keeps a window open while the picture is made from its document on another thread.
class CCloseBlocker : public QObject {
public:
    explicit CCloseBlocker(QWidget* window) : m_window(window) {
        m_window->installEventFilter(this);
    }
    ~CCloseBlocker() override { m_window->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Close) {
            return false;
        }
        event->ignore();
        return true;
    }

private:
    QWidget* m_window;
};

// Runs `work` on another thread while the event loop goes on behind a busy progress dialog;
// the window cannot be closed meanwhile, since the work reads its document.
ExportStatus RunWithProgress(QWidget* parent, const std::function<ExportStatus()>& work) {
    const CCloseBlocker blocker(parent->window());
    std::future<ExportStatus> result = std::async(std::launch::async, work);
    QProgressDialog progress(LoadQString(ids::kExportInProgress), QString(), 0, 0, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    while (result.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return result.get();
}

// The picture's square for the circles at `radius`, with the origin in its middle.
QRect PictureRect(const CCPCircleArray& circles, double radius) {
    const IntRect extent = circles.GetExtent(radius);
    return QRect(extent.left, extent.top, extent.right - extent.left, extent.bottom - extent.top);
}

void DrawCircles(QPainter& painter, const CCPCircleArray& circles, double radius) {
    CQtSurface surface(painter);
    circles.Draw(surface, radius, DrawPlain);
}

QByteArray RenderPng(const CCPCircleArray& circles, double radius) {
    const QRect rect = PictureRect(circles, radius);
    QImage image(rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.translate(-rect.left(), -rect.top());
        DrawCircles(painter, circles, radius);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The bitmap export `work` runs in the background with a progress dialog when the picture is
// large, here otherwise.
ExportStatus RunBitmapExport(QWidget* parent, const CTesselDoc& doc, int radius,
                             const std::function<ExportStatus()>& work) {
    const double side = 2.0 * (radius + doc.m_circles.m_outer.m_thickness);
    return side * side > kLargeBitmapPixels ? RunWithProgress(parent, work) : work();
}

} // namespace

void ExportEpsCommand(QWidget* parent, const CTesselDoc& doc, double radius) {
    const QString path = AskExportPath(parent, ids::kFilterEps, QStringLiteral("eps"));
    if (path.isEmpty()) {
        return;
    }
    CEpsSetupDlg setup(radius, parent);
    if (setup.exec() != QDialog::Accepted) {
        return;
    }
    Report(parent, ExportEps(doc, path.toStdString(), setup.m_radius, setup.m_leftBottom), path);
}

void ExportTextCommand(QWidget* parent, const CTesselDoc& doc, double radius, CIniFile& profile) {
    const QString path = AskExportPath(parent, ids::kFilterText, QString());
    if (path.isEmpty()) {
        return;
    }
    CTextSetupDlg setup(radius, profile, parent);
    if (setup.exec() != QDialog::Accepted) {
        return;
    }
    Report(parent,
           ExportText(doc, path.toStdString(), setup.m_radius, setup.m_format.toStdString()), path);
}

void ExportBitmapCommand(QWidget* parent, const CTesselDoc& doc, double radius,
                         COLORREF background) {
    const QString path = AskExportPath(parent, ids::kFilterBitmap, QStringLiteral("bmp"));
    if (path.isEmpty()) {
        return;
    }
    CBmpSetupDlg setup(static_cast<int>(RoundHalfAway(radius)), background, parent,
                       CBmpSetupDlg::Kind::Bmp, LargestBitmapRadius(doc.m_circles));
    if (setup.exec() != QDialog::Accepted) {
        return;
    }
    BitmapSetup bitmap;
    bitmap.radius = setup.m_radius;
    bitmap.antialias = setup.m_antialias != 0;
    bitmap.background = setup.m_background;
    const std::string target = path.toStdString();
    const auto work = [&doc, bitmap, target] {
        return ExportBitmap(doc.m_circles, bitmap, target, PaintWithQt);
    };
    Report(parent, RunBitmapExport(parent, doc, setup.m_radius, work), path);
}

void ExportPngCommand(QWidget* parent, const CTesselDoc& doc, double radius, COLORREF background) {
    const QString path = AskExportPath(parent, ids::kFilterPng, QStringLiteral("png"));
    if (path.isEmpty()) {
        return;
    }
    CBmpSetupDlg setup(static_cast<int>(RoundHalfAway(radius)), background, parent,
                       CBmpSetupDlg::Kind::Png, LargestBitmapRadius(doc.m_circles));
    if (setup.exec() != QDialog::Accepted) {
        return;
    }
    PngSetup png;
    png.radius = setup.m_radius;
    png.antialias = setup.m_antialias != 0;
    png.background = setup.m_background;
    png.transparent = setup.m_transparent != 0;
    png.dpi = setup.m_dpi;
    const std::string target = path.toStdString();
    const auto work = [&doc, png, target] {
        return ExportPng(doc.m_circles, png, target, PaintWithQt);
    };
    Report(parent, RunBitmapExport(parent, doc, setup.m_radius, work), path);
}

void ExportVectorCommand(QWidget* parent, const CTesselDoc& doc, double radius,
                         CVectorSetupDlg::Kind kind) {
    using Kind = CVectorSetupDlg::Kind;
    const int filter = kind == Kind::Svg   ? ids::kFilterSvg
                       : kind == Kind::Pdf ? ids::kFilterPdf
                                           : ids::kFilterTikz;
    const QString suffix = kind == Kind::Svg   ? QStringLiteral("svg")
                           : kind == Kind::Pdf ? QStringLiteral("pdf")
                                               : QStringLiteral("tex");
    const QString path = AskExportPath(parent, filter, suffix);
    if (path.isEmpty()) {
        return;
    }
    CVectorSetupDlg setup(kind, radius, parent);
    if (setup.exec() != QDialog::Accepted) {
        return;
    }
    const std::string target = path.toStdString();
    switch (kind) {
    case Kind::Svg:
        Report(parent, ExportSvg(doc.m_circles, setup.m_radius, target), path);
        return;
    case Kind::Pdf:
        Report(parent, ExportPdf(doc.m_circles, setup.m_radius, target), path);
        return;
    case Kind::Tikz:
        break;
    }
    Report(parent, ExportTikz(doc.m_circles, setup.m_radius, setup.m_document != 0, target), path);
}

void ExportCirclePackCommand(QWidget* parent, const CTesselDoc& doc) {
    const QString path = AskExportPath(parent, ids::kFilterCirclePack, QStringLiteral("p"));
    if (path.isEmpty()) {
        return;
    }
    std::string problem;
    const ExportTarget target(path.toStdString());
    const std::string text = ExportCirclePack(doc, target.Title(), problem);
    if (!problem.empty()) {
        ShowWarning(parent,
                    QString::fromStdString(FileMessage("Cannot export", target.path, problem)));
        return;
    }
    Report(parent, WriteBytes(target, text.data(), text.size()), path);
}

void ExportEmfCommand(QWidget* parent, const CTesselDoc& doc, double radius) {
    const QString path = AskExportPath(parent, ids::kFilterEmf, QStringLiteral("emf"));
    if (path.isEmpty()) {
        return;
    }
    CEmfSetupDlg setup(static_cast<int>(RoundHalfAway(radius)), parent);
    if (setup.exec() != QDialog::Accepted) {
        return;
    }
    Report(parent, ExportEmf(doc.m_circles, setup.m_radius, path.toStdString()), path);
}

void CopyToClipboardCommand(QWidget* parent, const CTesselDoc& doc, double radius,
                            const QString& title) {
    std::vector<std::uint8_t> emf;
    const ExportStatus status = RecordEmf(doc.m_circles, radius, title.toStdString(), emf);
    if (status != ExportStatus::Ok) {
        // No PNG or SVG rendering either: they would show the same broken picture.
        Report(parent, status, title);
        return;
    }
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard == nullptr) {
        ShowWarning(parent, LoadQString(ids::kCannotOpenClipboard));
        return;
    }
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/emf"), QByteArray(reinterpret_cast<const char*>(emf.data()),
                                                          static_cast<qsizetype>(emf.size())));
    data->setData(QStringLiteral("image/png"), RenderPng(doc.m_circles, radius));
    std::string svg;
    RecordSvg(doc.m_circles, radius, title.toStdString(), svg); // checked by RecordEmf above
    data->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(svg));
    clipboard->setMimeData(data);
    const QMimeData* placed = clipboard->mimeData();
    if (placed == nullptr || !placed->hasFormat(QStringLiteral("image/emf"))) {
        ShowWarning(parent, LoadQString(ids::kCannotOpenClipboard));
    }
}

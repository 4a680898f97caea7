// Printing the view's picture, with page setup, printer dialog and preview.
#include "app/Printing.h"

#include "app/MessageBox.h"
#include "app/QtStrings.h"
#include "document/StringIds.h"
#include "view/TesselView.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <algorithm>

CPrinting::CPrinting(CTesselView& view) : m_view(view) {}

void CPrinting::OnPrintSetup() {
    QPageSetupDialog dialog(&m_printer, m_view.window());
    dialog.exec();
}

void CPrinting::OnPrint(bool askFirst) {
    if (askFirst) {
        QPrintDialog dialog(&m_printer, m_view.window());
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    if (!PrintPicture(m_printer)) {
        ShowWarning(m_view.window(), LoadQString(ids::kCannotPrint));
    }
}

void CPrinting::OnPrintPreview() {
    QPrintPreviewDialog dialog(&m_printer, m_view.window());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* printer) { PrintPicture(*printer); });
    dialog.exec();
}

bool CPrinting::PrintPicture(QPrinter& printer) {
    QImage picture(m_view.size(), QImage::Format_RGB32);
    m_view.Paint(picture);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRect page = painter.viewport();
    // The largest size of the picture's shape that fits the page.
    const double fit =
        std::min(double(page.width()) / picture.width(), double(page.height()) / picture.height());
    painter.setViewport(page.x(), page.y(), int(picture.width() * fit),
                        int(picture.height() * fit));
    painter.setWindow(picture.rect());
    painter.drawImage(0, 0, picture);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

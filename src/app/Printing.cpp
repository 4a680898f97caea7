// Printing the view's picture, with page setup, printer dialog and preview.
#include "app/Printing.h"

#include "app/MessageBox.h"
#include "app/QtStrings.h"
#include "document/StringIds.h"
#include "view/PagePicture.h"
#include "view/TesselView.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

// At the printer's own resolution, so that the circles are placed to its dots.
CPrinting::CPrinting(CTesselView& view) : m_view(view), m_printer(QPrinter::HighResolution) {}

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
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    PaintPage(painter, painter.viewport(), m_view.Document(), m_view.Mode(), m_view.Radius());
    return painter.end() && printer.printerState() != QPrinter::Error;
}

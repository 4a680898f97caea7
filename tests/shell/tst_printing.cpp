// Printing: the picture reaches the printer (a PDF file here) through Ctrl+P and its dialog or
// directly, Print Setup's choices carry over to the next print, and failures are reported.
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/Printing.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "model/HotSpot.h"
#include "view/PagePicture.h"
#include "view/TesselView.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The page's width and height in points, from the PDF's media box.
QSizeF MediaBox(const QByteArray& pdf) {
    static const QRegularExpression box(
        QStringLiteral("/MediaBox \\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"));
    const QRegularExpressionMatch match = box.match(QString::fromLatin1(pdf));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QSizeF();
}

// A page drawn as vectors: a PDF without a picture of pixels in it.
bool IsPrintedPicture(const QByteArray& pdf) {
    return pdf.startsWith("%PDF") && pdf.contains("/Page") && !pdf.contains("/Subtype /Image");
}

// The page as the printer gets it, on an image of a page of that many dots per inch.
QImage PrintedPage(const CTesselView& view, QSize inches, int dpi) {
    QImage page(inches * dpi, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(dpi / 0.0254));
    page.setDotsPerMeterY(qRound(dpi / 0.0254));
    page.fill(Qt::white);
    QPainter painter(&page);
    PaintPage(painter, page.rect(), view.Document(), view.Mode(), view.Radius());
    return page;
}

QRgb Rgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The bounding box of the pixels that are not white.
QRect Inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFF) != 0xFFFFFF) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

template <class Dialog>
ModalStep Finish(QDialog::DialogCode code, std::function<void(Dialog*)> before = {}) {
    return [code, before](QWidget* modal) {
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (dialog == nullptr) {
            return false;
        }
        if (before) {
            before(dialog);
        }
        code == QDialog::Accepted ? dialog->accept() : dialog->reject();
        return true;
    };
}

} // namespace

class TestPrinting : public QObject, protected CEditorTest {
    Q_OBJECT

    QString File(const char* name) const { return m_folder.filePath(QLatin1String(name)); }
    QPrinter& Printer() { return m_app->Printing().Printer(); }

    void PrintTo(const QString& path) {
        Printer().setOutputFormat(QPrinter::PdfFormat);
        Printer().setOutputFileName(path);
    }

private slots:
    void init() {
        SetLanguage(Language::English);
        QVERIFY(StartEditor());
        // The starting triangle cannot be packed: printing goes on without asking first.
        QVERIFY(!View().CanRunPacking());
    }
    void cleanup() { CloseEditor(); }

    void ctrlPPrintsAfterThePrinterDialog() {
        PrintTo(File("keyed.pdf"));
        CModalScript script({Finish<QPrintDialog>(QDialog::Accepted)});
        QTest::keyClick(m_app->m_pMainFrame, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(script.Done());
        QVERIFY(IsPrintedPicture(ReadAll(File("keyed.pdf"))));
    }

    void cancellingThePrinterDialogPrintsNothing() {
        PrintTo(File("cancelled.pdf"));
        CModalScript script({Finish<QPrintDialog>(QDialog::Rejected)});
        m_app->m_pMainFrame->RunCommand(cmd::kPrint);
        QVERIFY(script.Done());
        QVERIFY(!QFileInfo::exists(File("cancelled.pdf")));
    }

    void printSetupChoicesCarryOverToThePrint() {
        PrintTo(File("portrait.pdf"));
        m_app->m_pMainFrame->RunCommand(cmd::kPrintDirect);
        const QSizeF portrait = MediaBox(ReadAll(File("portrait.pdf")));
        QVERIFY(portrait.height() > portrait.width());

        // Cancel keeps the page as it was.
        CModalScript cancelled(
            {Finish<QPageSetupDialog>(QDialog::Rejected, [](QPageSetupDialog* dialog) {
                dialog->findChild<QRadioButton*>(QStringLiteral("landscape"))->click();
            })});
        m_app->m_pMainFrame->RunCommand(cmd::kPrintSetup);
        QVERIFY(cancelled.Done());
        QCOMPARE(Printer().pageLayout().orientation(), QPageLayout::Portrait);

        CModalScript landscape(
            {Finish<QPageSetupDialog>(QDialog::Accepted, [](QPageSetupDialog* dialog) {
                auto* button = dialog->findChild<QRadioButton*>(QStringLiteral("landscape"));
                QVERIFY(button != nullptr);
                button->click();
            })});
        m_app->m_pMainFrame->RunCommand(cmd::kPrintSetup);
        QVERIFY(landscape.Done());
        PrintTo(File("landscape.pdf"));
        m_app->m_pMainFrame->RunCommand(cmd::kPrintDirect);
        const QByteArray pdf = ReadAll(File("landscape.pdf"));
        QVERIFY(IsPrintedPicture(pdf));
        QCOMPARE(MediaBox(pdf), portrait.transposed());
    }

    // What the mode shows, fitted to the page inside its margin, at the page's resolution,
    // the same at any zoom and without selection marks.
    void thePageShowsTheModeFittedWithoutMarksOrZoom() {
        QVERIFY(BuildHexDisk(Doc(), 3));
        View().OnInitialUpdate();
        m_app->m_pMainFrame->RunCommand(cmd::kCirclePacking);
        const int dpi = 150;
        const QSize a4(8, 11);
        const double margin = kPageMarginPoints * dpi / 72.0;

        // Graph mode: every node square at its place, as wide as Size points.
        const QImage graph = PrintedPage(View(), a4, dpi);
        const QRect inked = Inked(graph);
        QVERIFY(inked.left() >= margin - 1 && inked.right() <= graph.width() - margin);
        QVERIFY(inked.top() >= margin - 1 && inked.bottom() <= graph.height() - margin);
        // Fitted: the picture fills the page's width but for the margin and half a node square.
        const double marks = (CHotSpot::m_size + 1) * dpi / 72.0;
        QVERIFY(inked.width() > graph.width() - 2 * (margin + marks) - 4);

        // Circle mode: each circle's middle in its own inner colour, the selected one too.
        m_app->m_pMainFrame->RunCommand(cmd::kCircle);
        const CCPCircle* first = Doc().m_circles.GetAt(0);
        QTest::mouseClick(
            &View(), Qt::LeftButton, {},
            QPoint(int(first->m_euclidCentre.x * View().Radius()) + View().width() / 2,
                   int(first->m_euclidCentre.y * View().Radius()) + View().height() / 2));
        QCOMPARE(first->m_selected, 1);
        const QImage circles = PrintedPage(View(), a4, dpi);
        const QRect disk = Inked(circles);
        QVERIFY(std::abs(disk.width() - (graph.width() - 2 * margin)) <= 6);
        const QPointF middle = QRectF(disk).center();
        const double radius = disk.width() / 2.0;
        int checked = 0;
        for (const CCPCircle* c : Doc().m_circles.m_list) {
            if (c->m_euclidRadius * radius < 6) {
                continue;
            }
            for (const QPoint step : {QPoint(0, 0), QPoint(2, 1), QPoint(-1, 2)}) {
                const QPoint at = QPoint(qRound(middle.x() + c->m_euclidCentre.x * radius),
                                         qRound(middle.y() + c->m_euclidCentre.y * radius)) +
                                  step;
                QCOMPARE(circles.pixel(at), Rgb(c->m_innerCol));
            }
            ++checked;
        }
        QVERIFY(checked > 10);
        View().ZoomAt(QPoint(View().width() / 3, View().height() / 3), 4.0);
        QVERIFY(PrintedPage(View(), a4, dpi) == circles);
    }

    void aFailedPrintIsReported() {
        PrintTo(File("missing-folder/out.pdf"));
        QString text;
        CModalScript script({PressButton(QMessageBox::Ok, &text)});
        m_app->m_pMainFrame->RunCommand(cmd::kPrintDirect);
        QVERIFY(script.Done());
        QCOMPARE(text, QString::fromStdString(LoadString(ids::kCannotPrint)));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"

// Printing: the picture reaches the printer (a PDF file here) through Ctrl+P and its dialog or
// directly, Print Setup's choices carry over to the next print, and failures are reported.
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/Printing.h"
#include "app/TesselApp.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "view/TesselView.h"

#include <QPageSetupDialog>
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

bool IsPrintedPicture(const QByteArray& pdf) {
    return pdf.startsWith("%PDF") && pdf.contains("/Subtype /Image");
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

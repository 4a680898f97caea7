// The export setup dialogs: their starting values, range checks, and what OK and Cancel keep.
#include "DialogDriver.h"
#include "app/BmpSetupDlg.h"
#include "app/DialogFields.h"
#include "app/EmfSetupDlg.h"
#include "app/EpsSetupDlg.h"
#include "app/TextSetupDlg.h"
#include "app/VectorSetupDlg.h"
#include "document/IniFile.h"
#include "document/StringTable.h"
#include "export/Export.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

namespace {

void Show(QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

QString Text(QDialog& dialog, const char* name) {
    return Child<QLineEdit>(&dialog, name)->text();
}

// Types `text` into the named edit and presses OK; returns the refusal shown, if any.
QStringList EnterAndOk(QDialog& dialog, const char* name, const QString& text) {
    CMessageCatcher catcher;
    TypeInto(Child<QLineEdit>(&dialog, name), text);
    ClickButton(&dialog, "ok");
    return catcher.m_texts;
}

} // namespace

class TestExportSetup : public QObject {
    Q_OBJECT

private slots:
    // A dialog is wide enough for its whole title beside the title bar's icon and buttons,
    // in both languages ("Enhanced Meta File Setup" was cut to "Enhan... Setup").
    void setupDialogsAreWideEnoughForTheirTitles() {
        CIniFile profile;
        for (Language language : {Language::English, Language::Japanese}) {
            SetLanguage(language);
            CEmfSetupDlg emf(100);
            CEpsSetupDlg eps(100);
            CBmpSetupDlg bmp(100, 0);
            CTextSetupDlg text(100, profile);
            for (QDialog* dialog : std::initializer_list<QDialog*>{&emf, &eps, &bmp, &text}) {
                Show(*dialog);
                QFont bold = dialog->font();
                bold.setBold(true);
                const int title = QFontMetrics(bold).horizontalAdvance(dialog->windowTitle());
                QVERIFY2(dialog->width() >= title + 100, qPrintable(dialog->windowTitle()));
            }
        }
        SetLanguage(Language::English);
    }

    void epsStartsFromRadiusAndZeroOffset() {
        CEpsSetupDlg dialog(140.25);
        Show(dialog);
        QCOMPARE(Text(dialog, "radius"), QStringLiteral("140.25"));
        QCOMPARE(Text(dialog, "leftBottom"), QStringLiteral("0"));
        ClickButton(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_radius, 140.25);
        QCOMPARE(dialog.m_leftBottom, 0.0);
    }

    void epsRefusesEachFieldBelowItsMinimum() {
        CEpsSetupDlg dialog(200);
        Show(dialog);
        QStringList shown = EnterAndOk(dialog, "radius", QStringLiteral("0.5"));
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains(QStringLiteral("100000")));
        QCOMPARE(shown[0], *CDialogFields::RealRefusal(QStringLiteral("0.5"), 1.0, kEpsMaxRadius));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), Child<QLineEdit>(&dialog, "radius"));
        QCOMPARE(dialog.m_radius, 200.0);

        // A valid radius with a negative offset: the offset is refused and nothing is taken.
        TypeInto(Child<QLineEdit>(&dialog, "radius"), QStringLiteral("72"));
        shown = EnterAndOk(dialog, "leftBottom", QStringLiteral("-1"));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(dialog.focusWidget(), Child<QLineEdit>(&dialog, "leftBottom"));
        QCOMPARE(dialog.m_radius, 200.0);
        QVERIFY(dialog.isVisible());

        // Beyond what PostScript readers draw.
        for (const auto& [field, text] : {std::pair{"radius", "100001"}, std::pair{"radius", "1e6"},
                                          std::pair{"leftBottom", "1e40"}}) {
            TypeInto(Child<QLineEdit>(&dialog, "radius"), QStringLiteral("72"));
            QCOMPARE(EnterAndOk(dialog, field, QLatin1String(text)).size(), 1);
            QVERIFY(dialog.isVisible());
        }
        TypeInto(Child<QLineEdit>(&dialog, "radius"), QStringLiteral("72"));
        shown = EnterAndOk(dialog, "leftBottom", QStringLiteral("72"));
        QVERIFY(shown.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_radius, 72.0);
        QCOMPARE(dialog.m_leftBottom, 72.0);
    }

    void numbersAreNotNumbersOfTheUsersLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        CEpsSetupDlg dialog(1234.5);
        Show(dialog);
        QCOMPARE(Text(dialog, "radius"), QStringLiteral("1234.5"));
        for (const char* bad : {"1,5", "abc", "", "nan", "inf", "1e999", "12 34"}) {
            QCOMPARE(EnterAndOk(dialog, "radius", QLatin1String(bad)).size(), 1);
        }
        QVERIFY(EnterAndOk(dialog, "radius", QStringLiteral(" 1e3 ")).isEmpty());
        QCOMPARE(dialog.m_radius, 1000.0);
        QLocale::setDefault(QLocale::c());
    }

    void textFormatComesFromAndGoesToTheProfile() {
        CIniFile profile;
        {
            CTextSetupDlg dialog(140, profile);
            Show(dialog);
            QCOMPARE(Text(dialog, "radius"), QStringLiteral("140"));
            QCOMPARE(Text(dialog, "format"), QStringLiteral("%X, %Y, %R"));
            QCOMPARE(EnterAndOk(dialog, "radius", QStringLiteral("-0.001")).size(), 1);
            QVERIFY(!profile.Has("TextExport", "Format"));
            TypeInto(Child<QLineEdit>(&dialog, "format"), QStringLiteral("%HIR%HIG%HIB %T"));
            QVERIFY(EnterAndOk(dialog, "radius", QStringLiteral("0")).isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.m_radius, 0.0);
            QCOMPARE(dialog.m_format, QStringLiteral("%HIR%HIG%HIB %T"));
        }
        QCOMPARE(profile.GetString("TextExport", "Format", ""), std::string("%HIR%HIG%HIB %T"));

        // The next export opens on the stored format; Cancel leaves the profile alone.
        CTextSetupDlg dialog(50, profile);
        Show(dialog);
        QCOMPARE(Text(dialog, "format"), QStringLiteral("%HIR%HIG%HIB %T"));
        TypeInto(Child<QLineEdit>(&dialog, "format"), QStringLiteral("changed"));
        ClickButton(&dialog, "cancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.m_format, QStringLiteral("%HIR%HIG%HIB %T"));
        QCOMPARE(profile.GetString("TextExport", "Format", ""), std::string("%HIR%HIG%HIB %T"));
    }

    void integerRadiusRange_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("zero") << QStringLiteral("0") << false;
        QTest::newRow("one") << QStringLiteral("1") << true;
        QTest::newRow("largest") << QStringLiteral("2147483647") << true;
        QTest::newRow("beyond") << QStringLiteral("2147483648") << false;
        QTest::newRow("huge") << QStringLiteral("99999999999999999999999") << false;
        QTest::newRow("fraction") << QStringLiteral("1.5") << false;
        QTest::newRow("letters") << QStringLiteral("12a") << false;
        QTest::newRow("negative") << QStringLiteral("-5") << false;
    }

    void integerRadiusRange() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        CEmfSetupDlg emf(140);
        CBmpSetupDlg bmp(140, MakeRgb(255, 255, 255));
        for (QDialog* dialog : {static_cast<QDialog*>(&emf), static_cast<QDialog*>(&bmp)}) {
            Show(*dialog);
            QCOMPARE(Text(*dialog, "radius"), QStringLiteral("140"));
            const QStringList shown = EnterAndOk(*dialog, "radius", text);
            QCOMPARE(shown.isEmpty(), accepted);
            QCOMPARE(dialog->result(), accepted ? int(QDialog::Accepted) : 0);
        }
        const int expected = accepted ? text.toInt() : 140;
        QCOMPARE(emf.m_radius, expected);
        QCOMPARE(bmp.m_radius, expected);
    }

    void bmpTakesAntialiasAndBackgroundOnOkOnly() {
        CPickerScript picker;
        {
            CBmpSetupDlg dialog(100, MakeRgb(255, 255, 255));
            Show(dialog);
            auto* background = Child<CColorButton>(&dialog, "background");
            QCOMPARE(background->Color(), MakeRgb(255, 255, 255));
            QVERIFY(!Child<QCheckBox>(&dialog, "antialias")->isChecked());
            picker.Choose(MakeRgb(255, 0, 0));
            QTest::mouseClick(background, Qt::LeftButton);
            QTest::mouseClick(Child<QCheckBox>(&dialog, "antialias"), Qt::LeftButton);
            ClickButton(&dialog, "cancel");
            QCOMPARE(dialog.m_background, MakeRgb(255, 255, 255));
            QCOMPARE(dialog.m_antialias, 0);
        }
        CBmpSetupDlg dialog(100, MakeRgb(255, 255, 255));
        Show(dialog);
        picker.Choose(MakeRgb(0, 0, 255));
        QTest::mouseClick(Child<CColorButton>(&dialog, "background"), Qt::LeftButton);
        QTest::mouseClick(Child<QCheckBox>(&dialog, "antialias"), Qt::LeftButton);
        ClickButton(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_background, MakeRgb(0, 0, 255));
        QCOMPARE(dialog.m_antialias, 1);
    }

    void pngSetupAddsTransparencyAndResolution() {
        CBmpSetupDlg dialog(100, MakeRgb(255, 255, 255), nullptr, CBmpSetupDlg::Kind::Png);
        Show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("PNG File Setup"));
        QCOMPARE(Text(dialog, "dpi"), QStringLiteral("96"));
        auto* transparent = Child<QCheckBox>(&dialog, "transparent");
        auto* background = Child<CColorButton>(&dialog, "background");
        QVERIFY(!transparent->isChecked());
        QTest::mouseClick(transparent, Qt::LeftButton);
        QVERIFY(!background->isEnabled()); // no background shows through a transparent one
        const QStringList refused = EnterAndOk(dialog, "dpi", QStringLiteral("0"));
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused[0], *CDialogFields::IntegerRefusal(QStringLiteral("0"), 1, 100000));
        QCOMPARE(dialog.m_transparent, 0); // nothing taken over
        QVERIFY(EnterAndOk(dialog, "dpi", QStringLiteral("600")).isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_transparent, 1);
        QCOMPARE(dialog.m_dpi, 600);
        CBmpSetupDlg bmp(100, MakeRgb(255, 255, 255));
        QVERIFY(bmp.findChild<QLineEdit*>(QStringLiteral("dpi")) == nullptr);
    }

    void vectorSetupsTakeARealRadiusOfAtLeastOne() {
        for (auto kind : {CVectorSetupDlg::Kind::Svg, CVectorSetupDlg::Kind::Pdf}) {
            CVectorSetupDlg dialog(kind, 140.5);
            Show(dialog);
            QCOMPARE(dialog.windowTitle(), kind == CVectorSetupDlg::Kind::Svg
                                               ? QStringLiteral("SVG File Setup")
                                               : QStringLiteral("PDF File Setup"));
            QCOMPARE(Text(dialog, "radius"), QStringLiteral("140.5"));
            QCOMPARE(EnterAndOk(dialog, "radius", QStringLiteral("0.5")).size(), 1);
            QCOMPARE(EnterAndOk(dialog, "radius", QStringLiteral("4e6")).size(), 1);
            QVERIFY(dialog.isVisible());
            QVERIFY(EnterAndOk(dialog, "radius", QStringLiteral("2.25")).isEmpty());
            QCOMPARE(dialog.m_radius, 2.25);
        }
    }

    void enterInAnEditIsOk() {
        CEmfSetupDlg dialog(140);
        Show(dialog);
        CMessageCatcher catcher;
        TypeInto(Child<QLineEdit>(&dialog, "radius"), QStringLiteral("300"));
        QTest::keyClick(Child<QLineEdit>(&dialog, "radius"), Qt::Key_Return);
        QVERIFY(catcher.m_texts.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_radius, 300);
    }
};

QTEST_MAIN(TestExportSetup)
#include "tst_exportsetup.moc"

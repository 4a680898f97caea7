// The circle bar on its own in a main window: enable rules, "?" display, width entry, spin,
// colour picks, the gradation toggles, and docking.
#include "DialogDriver.h"
#include "app/CircleBar.h"
#include "circles/CPCircleArray.h"
#include "document/ViewSettings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

struct Applied {
    CCPCircle style;
    int flags = 0;
};

// A main window with the bar docked on the left, recording what the bar asks of the view.
struct Fixture {
    // Builds the bar on view settings with these gradation colours.
    explicit Fixture(std::pair<COLORREF, COLORREF> gradation = {0xFFFFFF, 0}) {
        settings.GraStartCol = gradation.first;
        settings.GraEndCol = gradation.second;
        bar = new CCircleBar(settings, &window);
        window.setCentralWidget(new QWidget(&window));
        window.addDockWidget(Qt::LeftDockWidgetArea, bar);
        QObject::connect(bar, &CCircleBar::ApplyStyle, [this](const CCPCircle& style, int flags) {
            applied.push_back({style, flags});
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    template <class T> T* Control(const char* name) { return Child<T>(bar, name); }
    QLineEdit* Width() { return Control<QLineEdit>("width"); }

    // Shows a selection of circles that agree on everything.
    void Select(int width = 3) {
        CCPCircle style;
        style.m_innerCol = MakeRgb(1, 2, 3);
        style.m_lineCol = MakeRgb(4, 5, 6);
        style.m_thickness = width;
        bar->ShowCommonStyle(style,
                             StyleAnySelected | StyleInnerColor | StyleLineColor | StyleLineWidth);
    }

    CViewSettings settings;
    QMainWindow window;
    CCircleBar* bar = nullptr;
    std::vector<Applied> applied;
};

} // namespace

class TestCircleBar : public QObject {
    Q_OBJECT

private slots:
    void startsDisabledWithBlackButtons() {
        Fixture f;
        QVERIFY(!f.bar->BarEnabled());
        for (const char* name : {"lineColor", "innerColor", "linear", "circular"}) {
            QVERIFY2(!f.Control<QWidget>(name)->isEnabled(), name);
        }
        QVERIFY(!f.Width()->isEnabled());
        for (const char* name : {"startColor", "endColor", "lineTarget", "innerTarget"}) {
            QVERIFY2(f.Control<QWidget>(name)->isEnabled(), name);
        }
        QVERIFY(f.bar->IsLineTarget());
        QVERIFY(f.bar->IsInnerTarget());
        QCOMPARE(f.Control<CColorButton>("lineColor")->Color(), COLORREF{0});
        QVERIFY(f.Control<CColorButton>("lineColor")->HasColor());
        QCOMPARE(f.bar->GradationMode(), 0);
    }

    void commonStyleShowsColoursAndQuestionMarks() {
        Fixture f;
        f.Select(3);
        QVERIFY(f.bar->BarEnabled());
        QVERIFY(f.Width()->isEnabled());
        QVERIFY(f.Control<QWidget>("linear")->isEnabled());
        QCOMPARE(f.Width()->text(), QStringLiteral("3"));
        QCOMPARE(f.Control<CColorButton>("innerColor")->Color(), MakeRgb(1, 2, 3));
        QCOMPARE(f.Control<CColorButton>("lineColor")->Color(), MakeRgb(4, 5, 6));

        CCPCircle style;
        style.m_lineCol = MakeRgb(7, 7, 7);
        f.bar->ShowCommonStyle(style, StyleAnySelected | StyleLineColor);
        QCOMPARE(f.Width()->text(), QStringLiteral("?"));
        QVERIFY(!f.Control<CColorButton>("innerColor")->HasColor());
        QVERIFY(f.Control<CColorButton>("lineColor")->HasColor());

        // Nothing selected: the view passes 14 and the bar is disabled again.
        f.bar->ShowCommonStyle(CCPCircle{}, StyleInnerColor | StyleLineColor | StyleLineWidth);
        QVERIFY(!f.bar->BarEnabled());
        QVERIFY(!f.Control<QWidget>("innerColor")->isEnabled());
        QCOMPARE(f.Width()->text(), QStringLiteral("1"));
    }

    // The largest width shows whole: the box does not scroll it out of sight.
    void theLargestWidthFitsTheBox() {
        Fixture f;
        f.Select(2147483647);
        const QString text = QStringLiteral("2147483647");
        QCOMPARE(f.Width()->text(), text);
        f.Width()->setCursorPosition(int(text.size()));
        f.Width()->grab(); // the box scrolls its text when it paints
        const int textEnd = f.Width()->fontMetrics().horizontalAdvance(text);
        QVERIFY2(
            f.Width()->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() >= textEnd,
            qPrintable(
                QStringLiteral("cursor at %1, text %2 wide, box %3 wide")
                    .arg(f.Width()->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x())
                    .arg(textEnd)
                    .arg(f.Width()->width())));
    }

    void pastedDigitsWithLettersApplyTheDigits() {
        Fixture f;
        f.Select(3);
        QGuiApplication::clipboard()->setText(QStringLiteral("12abc"));
        f.Width()->setFocus();
        QTest::keyClick(f.Width(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f.Width(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.Width()->text(), QStringLiteral("12abc"));
        QTest::keyClick(f.Width(), Qt::Key_Return);
        QCOMPARE(f.applied.size(), size_t{1});
        QCOMPARE(f.applied[0].flags, StyleLineWidth);
        QCOMPARE(f.applied[0].style.m_thickness, 12);
        QCOMPARE(f.Width()->text(), QStringLiteral("12"));
    }

    void typedLettersAreRefusedAndLeavingAppliesAnEdit() {
        Fixture f;
        f.Select(3);
        TypeInto(f.Width(), QStringLiteral("4x5-"));
        QCOMPARE(f.Width()->text(), QStringLiteral("45"));
        QVERIFY(f.applied.empty());
        f.Control<QPushButton>("lineTarget")->setFocus();
        QCOMPARE(f.applied.size(), size_t{1});
        QCOMPARE(f.applied[0].style.m_thickness, 45);
    }

    void questionMarkAppliesNothing() {
        Fixture f;
        CCPCircle style;
        f.bar->ShowCommonStyle(style, StyleAnySelected | StyleInnerColor | StyleLineColor);
        f.Width()->setFocus();
        f.Control<QPushButton>("lineTarget")->setFocus();
        QTest::mouseClick(f.Width(), Qt::LeftButton);
        QTest::keyClick(f.Width(), Qt::Key_Return);
        TypeInto(f.Width(), QString());
        QTest::keyClick(f.Width(), Qt::Key_Return);
        QVERIFY(f.applied.empty());
        QCOMPARE(f.Width()->text(), QStringLiteral("?"));
    }

    void readLineWidthLimitsTheValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QStringLiteral("8") << 8 << QStringLiteral("8");
        QTest::newRow("zeros") << QStringLiteral("007") << 7 << QStringLiteral("7");
        QTest::newRow("zero") << QStringLiteral("0") << 0 << QStringLiteral("0");
        QTest::newRow("largest") << QStringLiteral("2147483647") << 2147483647
                                 << QStringLiteral("2147483647");
        QTest::newRow("too large")
            << QStringLiteral("99999999999999999999") << 2147483647 << QStringLiteral("2147483647");
        QTest::newRow("sign") << QStringLiteral("-3") << -1 << QStringLiteral("?");
        QTest::newRow("blank first") << QStringLiteral(" 3") << -1 << QStringLiteral("?");
        QTest::newRow("empty") << QString() << -1 << QStringLiteral("?");
    }

    void readLineWidthLimitsTheValue() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, shown);
        CViewSettings settings;
        CCircleBar bar(settings);
        Child<QLineEdit>(&bar, "width")->setText(text);
        QCOMPARE(bar.ReadLineWidth(), width);
        QCOMPARE(Child<QLineEdit>(&bar, "width")->text(), shown);
    }

    void spinStepsFromTheShownWidth() {
        Fixture f;
        f.Select(3);
        QTest::mouseClick(f.Control<QToolButton>("widthUp"), Qt::LeftButton);
        QCOMPARE(f.applied.back().style.m_thickness, 4);
        QCOMPARE(f.applied.back().flags, StyleLineWidth);
        QCOMPARE(f.Width()->text(), QStringLiteral("4"));
        f.Width()->setFocus();
        QTest::keyClick(f.Width(), Qt::Key_Down);
        QTest::keyClick(f.Width(), Qt::Key_Down);
        QCOMPARE(f.applied.back().style.m_thickness, 2);
        f.Select(0);
        QTest::mouseClick(f.Control<QToolButton>("widthDown"), Qt::LeftButton);
        QCOMPARE(f.applied.back().style.m_thickness, 0);
        f.Select(2147483647);
        QTest::mouseClick(f.Control<QToolButton>("widthUp"), Qt::LeftButton);
        QCOMPARE(f.applied.back().style.m_thickness, 2147483647);
        // With "?" shown the spin goes on from where it stood.
        f.bar->SetLineWidthText(-1);
        QTest::mouseClick(f.Control<QToolButton>("widthDown"), Qt::LeftButton);
        QCOMPARE(f.applied.back().style.m_thickness, 2147483646);
        QCOMPARE(f.applied.size(), size_t{6});
    }

    void colourPicksApplyOneAttribute() {
        Fixture f;
        f.Select();
        CPickerScript picker;
        picker.Choose(MakeRgb(255, 0, 0));
        QTest::mouseClick(f.Control<CColorButton>("lineColor"), Qt::LeftButton);
        picker.Choose(MakeRgb(0, 255, 0));
        QTest::mouseClick(f.Control<CColorButton>("innerColor"), Qt::LeftButton);
        QCOMPARE(f.applied.size(), size_t{2});
        QCOMPARE(f.applied[0].flags, StyleLineColor);
        QCOMPARE(f.applied[0].style.m_lineCol, MakeRgb(255, 0, 0));
        // The other attributes of the record are those of a fresh circle.
        QCOMPARE(f.applied[0].style.m_innerCol, DefInnerCol);
        QCOMPARE(f.applied[0].style.m_thickness, DefThickness);
        QCOMPARE(f.applied[1].flags, StyleInnerColor);
        QCOMPARE(f.applied[1].style.m_innerCol, MakeRgb(0, 255, 0));
        // The pickers started from the colours shown.
        QCOMPARE(picker.m_seeds, (std::vector<COLORREF>{MakeRgb(4, 5, 6), MakeRgb(1, 2, 3)}));

        picker.Cancel();
        QTest::mouseClick(f.Control<CColorButton>("lineColor"), Qt::LeftButton);
        QCOMPARE(f.applied.size(), size_t{2});
        QCOMPARE(f.Control<CColorButton>("lineColor")->Color(), MakeRgb(255, 0, 0));
    }

    void gradationColoursWorkWhileDisabled() {
        Fixture f({MakeRgb(255, 255, 255), MakeRgb(0, 0, 1)});
        QCOMPARE(f.bar->StartColor(), MakeRgb(255, 255, 255));
        QCOMPARE(f.bar->EndColor(), MakeRgb(0, 0, 1));
        CPickerScript picker;
        picker.Choose(MakeRgb(10, 20, 30));
        QTest::mouseClick(f.Control<CColorButton>("startColor"), Qt::LeftButton);
        picker.Cancel();
        QTest::mouseClick(f.Control<CColorButton>("endColor"), Qt::LeftButton);
        QCOMPARE(f.bar->StartColor(), MakeRgb(10, 20, 30));
        QCOMPARE(f.bar->EndColor(), MakeRgb(0, 0, 1));
        QCOMPARE(f.settings.GraStartCol, MakeRgb(10, 20, 30));
        QCOMPARE(f.settings.GraEndCol, MakeRgb(0, 0, 1));

        QTest::mouseClick(f.Control<QPushButton>("innerTarget"), Qt::LeftButton);
        QVERIFY(f.bar->IsLineTarget());
        QVERIFY(!f.bar->IsInnerTarget());
        QVERIFY(f.applied.empty());
    }

    void linearAndCircularArePairedByTheMode() {
        Fixture f;
        f.Select();
        QSignalSpy modes(f.bar, &CCircleBar::GradationModeChanged);
        auto* linear = f.Control<QPushButton>("linear");
        auto* circular = f.Control<QPushButton>("circular");
        QTest::mouseClick(linear, Qt::LeftButton);
        QCOMPARE(f.bar->GradationMode(), 1);
        QVERIFY(linear->isChecked());
        QTest::mouseClick(circular, Qt::LeftButton);
        QCOMPARE(f.bar->GradationMode(), 2);
        QVERIFY(!linear->isChecked());
        QVERIFY(circular->isChecked());
        QTest::mouseClick(circular, Qt::LeftButton);
        QCOMPARE(f.bar->GradationMode(), 0);
        QVERIFY(!circular->isChecked());
        QCOMPARE(modes.count(), 3);
        QCOMPARE(modes.at(1).at(0).toInt(), 2);

        // The view resets the mode after a click or a mode switch.
        QTest::mouseClick(linear, Qt::LeftButton);
        f.bar->SetGradationMode(0);
        QVERIFY(!linear->isChecked());
        // A disabled bar starts no gradation.
        f.bar->SetEnabled(false);
        QTest::mouseClick(circular, Qt::LeftButton);
        QCOMPARE(f.bar->GradationMode(), 0);
        QVERIFY(!circular->isChecked());
        QCOMPARE(modes.count(), 4);
    }

    // The bar against a real circle array, wired as the view wires it.
    void editsReachTheSelectedCirclesOnly() {
        Fixture f;
        CCPCircleArray circles;
        CCPCircle a, b, c;
        a.m_thickness = 2;
        b.m_thickness = 5;
        for (CCPCircle* circle : {&a, &b, &c}) {
            circles.Add(circle);
        }
        a.m_selected = b.m_selected = 1;
        const auto refresh = [&] {
            CCPCircle style;
            const int flags = circles.GetCommonStyle(style);
            f.bar->ShowCommonStyle(style, flags);
        };
        QObject::connect(f.bar, &CCircleBar::ApplyStyle, [&](const CCPCircle& style, int flags) {
            circles.ApplyStyle(style, flags);
        });
        refresh();
        QCOMPARE(f.Width()->text(), QStringLiteral("?"));
        f.Width()->setFocus();
        f.Control<QPushButton>("lineTarget")->setFocus();
        QCOMPARE(a.m_thickness, 2);
        QCOMPARE(b.m_thickness, 5);

        CPickerScript picker;
        picker.Cancel();
        QTest::mouseClick(f.Control<CColorButton>("lineColor"), Qt::LeftButton);
        picker.Choose(MakeRgb(255, 0, 0));
        QTest::mouseClick(f.Control<CColorButton>("innerColor"), Qt::LeftButton);
        QCOMPARE(a.m_lineCol, DefLineCol);
        QCOMPARE(a.m_innerCol, MakeRgb(255, 0, 0));
        QCOMPARE(b.m_innerCol, MakeRgb(255, 0, 0));
        QCOMPARE(c.m_innerCol, DefInnerCol);

        a.m_selected = 0;
        refresh();
        QCOMPARE(f.Width()->text(), QStringLiteral("5"));
        QTest::mouseClick(f.Control<QToolButton>("widthUp"), Qt::LeftButton);
        QCOMPARE(b.m_thickness, 6);
        QCOMPARE(a.m_thickness, 2);
        QCOMPARE(c.m_thickness, DefThickness);
    }

    void dockedLeftOrRightAndHidingKeepsValues() {
        Fixture f;
        QCOMPARE(f.bar->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        QVERIFY(!f.bar->isAreaAllowed(Qt::TopDockWidgetArea));
        QVERIFY(!(f.bar->features() & QDockWidget::DockWidgetFloatable));
        QCOMPARE(f.window.dockWidgetArea(f.bar), Qt::LeftDockWidgetArea);
        f.window.addDockWidget(Qt::RightDockWidgetArea, f.bar);
        QCOMPARE(f.window.dockWidgetArea(f.bar), Qt::RightDockWidgetArea);

        f.Select(6);
        CPickerScript picker;
        picker.Choose(MakeRgb(1, 1, 1));
        QTest::mouseClick(f.Control<CColorButton>("startColor"), Qt::LeftButton);
        f.bar->SetGradationMode(2);
        QTest::mouseClick(f.Control<QPushButton>("lineTarget"), Qt::LeftButton);
        f.bar->toggleViewAction()->trigger();
        QVERIFY(!f.bar->isVisible());
        f.bar->toggleViewAction()->trigger();
        QVERIFY(f.bar->isVisible());
        QCOMPARE(f.Width()->text(), QStringLiteral("6"));
        QVERIFY(f.bar->BarEnabled());
        QCOMPARE(f.bar->GradationMode(), 2);
        QVERIFY(f.Control<QPushButton>("circular")->isChecked());
        QVERIFY(!f.bar->IsLineTarget());
        QCOMPARE(f.bar->StartColor(), MakeRgb(1, 1, 1));
        QCOMPARE(f.Control<CColorButton>("innerColor")->Color(), MakeRgb(1, 2, 3));
        QVERIFY(f.applied.empty());
    }
};

QTEST_MAIN(TestCircleBar)
#include "tst_circlebar.moc"

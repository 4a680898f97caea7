// The colour swatch button: its face, and picking through a driven colour picker.
#include "DialogDriver.h"
#include "app/ColorButton.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QColor CentrePixel(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// The share of the face's pixels that are exactly `color`.
double Share(QWidget& widget, const QColor& color) {
    const QImage image = widget.grab().toImage();
    int hits = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            hits += image.pixelColor(x, y).rgb() == color.rgb() ? 1 : 0;
        }
    }
    return static_cast<double>(hits) / (image.width() * image.height());
}

} // namespace

class TestColorButton : public QObject {
    Q_OBJECT

private slots:
    void colourLayoutMapsToQColor() {
        QCOMPARE(ToQColor(MakeRgb(10, 20, 30)), QColor(10, 20, 30));
        QCOMPARE(FromQColor(QColor(10, 20, 30)), MakeRgb(10, 20, 30));
        QCOMPARE(FromQColor(QColor::fromHsv(0, 255, 255)), MakeRgb(255, 0, 0));
    }

    void faceShowsSwatchOrQuestionMark() {
        QWidget owner;
        CColorButton button(&owner);
        button.resize(40, 30);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QVERIFY(button.HasColor());
        QCOMPARE(button.Color(), COLORREF{0});
        QCOMPARE(CentrePixel(button), QColor(Qt::black));

        button.SetColor(MakeRgb(0, 128, 255), false);
        QVERIFY(!button.HasColor());
        const QColor face = button.palette().color(QPalette::Button);
        QVERIFY(Share(button, face) > 0.3);
        QVERIFY(Share(button, QColor(Qt::black)) > 0.02);

        button.SetColor(MakeRgb(0, 128, 255));
        QVERIFY(button.HasColor());
        QCOMPARE(CentrePixel(button), QColor(0, 128, 255));
        QVERIFY(Share(button, QColor(0, 128, 255)) > 0.5);
    }

    void clickPicksAndCancelChangesNothing() {
        QWidget owner;
        CColorButton button(&owner);
        button.resize(40, 30);
        button.SetColor(MakeRgb(1, 2, 3), false);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QSignalSpy picked(&button, &CColorButton::ColorPicked);
        CPickerScript picker;

        picker.Cancel();
        const QImage before = button.grab().toImage();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(picked.count(), 0);
        QVERIFY(!button.HasColor());
        QCOMPARE(button.Color(), MakeRgb(1, 2, 3));
        QCOMPARE(button.grab().toImage(), before);

        picker.Choose(MakeRgb(200, 100, 50));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).value<COLORREF>(), MakeRgb(200, 100, 50));
        QVERIFY(button.HasColor());
        QCOMPARE(CentrePixel(button), QColor(200, 100, 50));
        // Both runs started from the colour the button held.
        QCOMPARE(picker.m_seeds, (std::vector<COLORREF>{MakeRgb(1, 2, 3), MakeRgb(1, 2, 3)}));

        picker.Cancel();
        QVERIFY(!button.PickColor());
        QCOMPARE(button.Color(), MakeRgb(200, 100, 50));
        picker.Choose(MakeRgb(9, 9, 9));
        QVERIFY(button.PickColor());
        QCOMPARE(button.Color(), MakeRgb(9, 9, 9));
    }

    // Disabled, a swatch is dimmed but keeps its colour: black stays dark, red stays red.
    void disabledSwatchShowsItsColourDimmed() {
        QWidget owner;
        CColorButton button(&owner);
        button.resize(40, 30);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        const QColor face = button.palette().color(QPalette::Button);
        button.setEnabled(false);
        const QColor black = CentrePixel(button);
        QVERIFY2(black != QColor(Qt::black) && black.value() < 80, qPrintable(black.name()));
        button.SetColor(MakeRgb(255, 0, 0));
        const QColor red = CentrePixel(button);
        QVERIFY2(red != QColor(Qt::red) && red.red() > 240 && red.green() < 80 && red.blue() < 80,
                 qPrintable(red.name()));
        button.SetColor(MakeRgb(255, 255, 255));
        QVERIFY(CentrePixel(button).value() > face.value()); // white stays lighter than the face
        button.setEnabled(true);
        QCOMPARE(CentrePixel(button), QColor(Qt::white));
    }

    void disabledButtonDoesNotPick() {
        QWidget owner;
        CColorButton button(&owner);
        button.resize(40, 30);
        button.setEnabled(false);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        CPickerScript picker;
        picker.Choose(MakeRgb(5, 5, 5));
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(picker.m_seeds.empty());
        QCOMPARE(button.Color(), COLORREF{0});
    }
};

QTEST_MAIN(TestColorButton)
#include "tst_colorbutton.moc"

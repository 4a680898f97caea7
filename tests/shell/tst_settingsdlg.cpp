// The Settings dialog: what it shows, what OK refuses and in which order, and what it keeps.
#include "DialogDriver.h"
#include "app/SettingsDlg.h"
#include "circles/CPCircle.h"
#include "document/ViewSettings.h"
#include "model/CPEdge.h"
#include "model/CPNode.h"
#include "model/HotSpot.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

namespace {

CSettingsValues Defaults() {
    CSettingsValues v;
    v.m_nodeInnerCol = 0xFFFF00;
    v.m_nodeOuterCol = 0xFF00FF;
    v.m_nodeNotConnectCol = 0x00FFFF;
    v.m_nodeSize = 4;
    v.m_thurstonThreshold = 0.0001;
    v.m_edgeInnerCol = 0xFF0000;
    v.m_edgeOuterCol = 0x0000FF;
    v.m_edgeThickness = 1;
    v.m_edgeHit = 3.0;
    v.m_defOutInnerCol = 0xFFFFFF;
    v.m_defOutLineCol = 0;
    v.m_defOutThickness = 1;
    v.m_defInnerCol = 0xFFFFFE;
    v.m_defLineCol = 1;
    v.m_defThickness = 2;
    v.m_backModeColor = 0x808080;
    v.m_bgColor = 0xFFFFFF;
    v.m_margin = 10;
    v.m_graphResizeRate = 0.9;
    v.m_graSnap = 0;
    v.m_convergenceTolerance = 1e-12;
    return v;
}

bool Same(const CSettingsValues& a, const CSettingsValues& b) {
    return a.m_nodeInnerCol == b.m_nodeInnerCol && a.m_nodeOuterCol == b.m_nodeOuterCol &&
           a.m_nodeNotConnectCol == b.m_nodeNotConnectCol && a.m_nodeSize == b.m_nodeSize &&
           a.m_thurstonThreshold == b.m_thurstonThreshold && a.m_edgeInnerCol == b.m_edgeInnerCol &&
           a.m_edgeOuterCol == b.m_edgeOuterCol && a.m_edgeThickness == b.m_edgeThickness &&
           a.m_edgeHit == b.m_edgeHit && a.m_defOutInnerCol == b.m_defOutInnerCol &&
           a.m_defOutLineCol == b.m_defOutLineCol && a.m_defOutThickness == b.m_defOutThickness &&
           a.m_defInnerCol == b.m_defInnerCol && a.m_defLineCol == b.m_defLineCol &&
           a.m_defThickness == b.m_defThickness && a.m_backModeColor == b.m_backModeColor &&
           a.m_bgColor == b.m_bgColor && a.m_margin == b.m_margin &&
           a.m_graphResizeRate == b.m_graphResizeRate && a.m_graSnap == b.m_graSnap &&
           a.m_convergenceTolerance == b.m_convergenceTolerance;
}

QLineEdit* Edit(QDialog& dialog, const char* name) {
    return Child<QLineEdit>(&dialog, name);
}

} // namespace

class TestSettingsDlg : public QObject {
    Q_OBJECT

private slots:
    void showsEveryValue() {
        const CSettingsValues values = Defaults();
        CSettingsDlg dialog(values);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const std::pair<const char*, const char*> texts[] = {
            {"nodeSize", "4"}, {"threshold", "0.0001"},  {"edgeThickness", "1"},
            {"edgeHit", "3"},  {"defOutThickness", "1"}, {"defThickness", "2"},
            {"margin", "10"},  {"resizeRate", "0.9"},    {"convergenceTolerance", "1e-12"},
        };
        for (const auto& [name, text] : texts) {
            QCOMPARE(Edit(dialog, name)->text(), QLatin1String(text));
        }
        const std::pair<const char*, COLORREF> colours[] = {
            {"nodeInnerCol", 0xFFFF00},
            {"nodeOuterCol", 0xFF00FF},
            {"nodeNotConnectCol", 0x00FFFF},
            {"edgeInnerCol", 0xFF0000},
            {"edgeOuterCol", 0x0000FF},
            {"defOutInnerCol", 0xFFFFFF},
            {"defOutLineCol", 0},
            {"defInnerCol", 0xFFFFFE},
            {"defLineCol", 1},
            {"backModeColor", 0x808080},
            {"bgColor", 0xFFFFFF},
        };
        for (const auto& [name, colour] : colours) {
            QCOMPARE(Child<CColorButton>(&dialog, name)->Color(), colour);
        }
        QVERIFY(!Child<QCheckBox>(&dialog, "graSnap")->isChecked());
    }

    void okTakesEveryEdit() {
        CSettingsDlg dialog(Defaults());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        CPickerScript picker;
        picker.Choose(0x123456);
        QTest::mouseClick(Child<CColorButton>(&dialog, "edgeOuterCol"), Qt::LeftButton);
        TypeInto(Edit(dialog, "nodeSize"), QStringLiteral("255"));
        TypeInto(Edit(dialog, "edgeHit"), QStringLiteral("1"));
        TypeInto(Edit(dialog, "resizeRate"), QStringLiteral("0.01"));
        TypeInto(Edit(dialog, "margin"), QStringLiteral("50"));
        TypeInto(Edit(dialog, "defOutThickness"), QStringLiteral("65535"));
        TypeInto(Edit(dialog, "threshold"), QStringLiteral("1e-5"));
        TypeInto(Edit(dialog, "convergenceTolerance"), QStringLiteral("1e-15"));
        QTest::mouseClick(Child<QCheckBox>(&dialog, "graSnap"), Qt::LeftButton);
        CMessageCatcher catcher;
        ClickButton(&dialog, "ok");
        QVERIFY(catcher.m_texts.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        CSettingsValues expected = Defaults();
        expected.m_edgeOuterCol = 0x123456;
        expected.m_nodeSize = 255;
        expected.m_edgeHit = 1.0;
        expected.m_graphResizeRate = 0.01;
        expected.m_margin = 50;
        expected.m_defOutThickness = 65535;
        expected.m_thurstonThreshold = 1e-5;
        expected.m_graSnap = 1;
        expected.m_convergenceTolerance = 1e-15;
        QVERIFY(Same(dialog.Values(), expected));
    }

    void refusals_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bound");
        QTest::newRow("node size 256")
            << QByteArray("nodeSize") << QStringLiteral("256") << QStringLiteral("255");
        QTest::newRow("resize 0.005")
            << QByteArray("resizeRate") << QStringLiteral("0.005") << QStringLiteral("0.01");
        QTest::newRow("resize 1.001")
            << QByteArray("resizeRate") << QStringLiteral("1.001") << QStringLiteral("0.01");
        QTest::newRow("hit 0.5") << QByteArray("edgeHit") << QStringLiteral("0.5")
                                 << QStringLiteral("255");
        QTest::newRow("threshold -1")
            << QByteArray("threshold") << QStringLiteral("-1") << QStringLiteral("1");
        QTest::newRow("margin 65536")
            << QByteArray("margin") << QStringLiteral("65536") << QStringLiteral("65535");
        QTest::newRow("width letters")
            << QByteArray("defThickness") << QStringLiteral("x") << QStringLiteral("65535");
        QTest::newRow("edge width 3.5")
            << QByteArray("edgeThickness") << QStringLiteral("3.5") << QStringLiteral("255");
        // Pack to Convergence cannot get below what doubles resolve, nor stop at zero.
        QTest::newRow("tolerance 0")
            << QByteArray("convergenceTolerance") << QStringLiteral("0") << QStringLiteral("1e-15");
        QTest::newRow("tolerance 1e-16") << QByteArray("convergenceTolerance")
                                         << QStringLiteral("1e-16") << QStringLiteral("1e-15");
        QTest::newRow("tolerance 2")
            << QByteArray("convergenceTolerance") << QStringLiteral("2") << QStringLiteral("1");
        QTest::newRow("tolerance text")
            << QByteArray("convergenceTolerance") << QStringLiteral("tight") << QStringLiteral("1");
    }

    // A refused field keeps the dialog open, focuses the field, names the range, and changes
    // nothing; Cancel afterwards changes nothing either.
    void refusals() {
        QFETCH(QByteArray, field);
        QFETCH(QString, text);
        QFETCH(QString, bound);
        CSettingsDlg dialog(Defaults());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        TypeInto(Edit(dialog, "margin"), QStringLiteral("77"));
        TypeInto(Edit(dialog, field.constData()), text);
        CMessageCatcher catcher;
        ClickButton(&dialog, "ok");
        QCOMPARE(catcher.m_texts.size(), 1);
        QVERIFY2(catcher.m_texts[0].contains(bound), qPrintable(catcher.m_texts[0]));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), Edit(dialog, field.constData()));
        QVERIFY(Same(dialog.Values(), Defaults()));
        ClickButton(&dialog, "cancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(Same(dialog.Values(), Defaults()));
    }

    void firstFailingFieldInOrderIsRefused() {
        CSettingsDlg dialog(Defaults());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // Checked in the order edge width, circle width, node size, hit, threshold, outer
        // circle width, snap, resize rate, margin, and then the convergence tolerance that
        // the editor adds, whatever the layout.
        const char* order[] = {"edgeThickness", "defThickness", "nodeSize",
                               "edgeHit",       "threshold",    "defOutThickness",
                               "resizeRate",    "margin",       "convergenceTolerance"};
        for (const char* name : order) {
            TypeInto(Edit(dialog, name), QStringLiteral("-7"));
        }
        for (const char* name : order) {
            CMessageCatcher catcher;
            ClickButton(&dialog, "ok");
            QCOMPARE(catcher.m_texts.size(), 1);
            QCOMPARE(dialog.focusWidget(), Edit(dialog, name));
            TypeInto(Edit(dialog, name), QStringLiteral("1"));
        }
        CMessageCatcher catcher;
        ClickButton(&dialog, "ok");
        QVERIFY(catcher.m_texts.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void messagesNameTheTypeOfTheField() {
        CSettingsDlg dialog(Defaults());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        TypeInto(Edit(dialog, "nodeSize"), QStringLiteral("256"));
        CMessageCatcher catcher;
        ClickButton(&dialog, "ok");
        TypeInto(Edit(dialog, "nodeSize"), QStringLiteral("4"));
        TypeInto(Edit(dialog, "edgeHit"), QStringLiteral("256"));
        ClickButton(&dialog, "ok");
        QCOMPARE(catcher.m_texts.size(), 2);
        // Each names its field, in its group where labels repeat.
        QCOMPARE(catcher.m_texts[0],
                 QStringLiteral("Node > Size: ") +
                     *CDialogFields::IntegerRefusal(QStringLiteral("256"), 0, 255));
        QCOMPARE(catcher.m_texts[1],
                 QStringLiteral("Edge > Hit Width: ") +
                     *CDialogFields::RealRefusal(QStringLiteral("256"), 1, 255));
        QVERIFY(catcher.m_texts[0] != catcher.m_texts[1]);
    }

    // A threshold of 0 is accepted and replaced; the dialog says so under the field as it is
    // typed, and says nothing for a value used as it stands.
    void thresholdRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("stored");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("zero") << QStringLiteral("0") << 0.0001 << true;
        QTest::newRow("negative zero") << QStringLiteral("-0") << 0.0001 << true;
        QTest::newRow("one") << QStringLiteral("1") << 1.0 << false;
        QTest::newRow("small") << QStringLiteral("0.00001") << 0.00001 << false;
    }

    void thresholdRule() {
        QFETCH(QString, text);
        QFETCH(double, stored);
        QFETCH(bool, replaced);
        CSettingsDlg dialog(Defaults());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        TypeInto(Edit(dialog, "threshold"), text);
        QCOMPARE(Child<QLabel>(&dialog, "thresholdNote")->text(),
                 replaced ? QStringLiteral("0 or less: 0.0001 is used") : QString());
        ClickButton(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Values().m_thurstonThreshold, stored);
        QCOMPARE(dialog.ThresholdReplaced(), replaced);
    }

    // The dialog edits the variables the model and the view work with.
    void okReachesTheProgramSettings() {
        CViewSettings view;
        CSettingsDlg dialog(CSettingsValues::Current(view));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(Edit(dialog, "margin")->text(), QStringLiteral("10"));
        QCOMPARE(Edit(dialog, "resizeRate")->text(), QStringLiteral("0.9"));
        CPickerScript picker;
        picker.Choose(0x0000FF);
        QTest::mouseClick(Child<CColorButton>(&dialog, "defInnerCol"), Qt::LeftButton);
        TypeInto(Edit(dialog, "nodeSize"), QStringLiteral("7"));
        TypeInto(Edit(dialog, "edgeHit"), QStringLiteral("2.5"));
        TypeInto(Edit(dialog, "margin"), QStringLiteral("50"));
        TypeInto(Edit(dialog, "threshold"), QStringLiteral("0"));
        TypeInto(Edit(dialog, "convergenceTolerance"), QStringLiteral("3e-10"));
        ClickButton(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.Values().Store(view);
        QCOMPARE(view.Tolerance, 3e-10);

        QCOMPARE(CCPCircle().m_innerCol, COLORREF{0x0000FF});
        QCOMPARE(CHotSpot::m_size, 7);
        QCOMPARE(CCPEdge::m_hit, 2.5);
        QCOMPARE(CCPNode::m_threshold, 0.0001);
        QCOMPARE(view.Margin, 50);
        QVERIFY(Same(CSettingsValues::Current(view), dialog.Values()));
        ResetCircleDefaults();
        CHotSpot::ResetDefaults();
        CCPEdge::ResetDefaults();
        CCPNode::ResetDefaults();
    }

    void cancelAfterPickingKeepsTheBackground() {
        CSettingsDlg dialog(Defaults());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        CPickerScript picker;
        picker.Choose(0x0000FF);
        QTest::mouseClick(Child<CColorButton>(&dialog, "bgColor"), Qt::LeftButton);
        QCOMPARE(Child<CColorButton>(&dialog, "bgColor")->Color(), COLORREF{0x0000FF});
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(Same(dialog.Values(), Defaults()));
    }
};

QTEST_MAIN(TestSettingsDlg)
#include "tst_settingsdlg.moc"

// The editor in circle mode with real events: selection, gradations, style copy and paste,
// the command states, the exports from their dialogs and the clipboard.
#include "DialogDriver.h"
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CircleBar.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "view/QtPicture.h"
#include "view/TesselView.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QProgressDialog>
#include <QtTest>

namespace {

// Presses OK in the setup dialog that opens, keeping the values it offers.
ModalStep AcceptSetup() {
    return [](QWidget* modal) {
        if (qobject_cast<QFileDialog*>(modal) != nullptr) {
            return false;
        }
        ClickButton(modal, "ok");
        return !modal->isVisible();
    };
}

} // namespace

class TestCircleMode : public QObject, protected CEditorTest {
    Q_OBJECT

    CCPCircleArray& Circles() { return Doc().m_circles; }

    // The client point of a circle's centre.
    QPoint CentreOf(const CCPCircle* c) {
        return QPoint(int(std::lround(c->m_euclidCentre.x * View().Radius())) + View().width() / 2,
                      int(std::lround(c->m_euclidCentre.y * View().Radius())) +
                          View().height() / 2);
    }
    int SelectedCount() {
        int n = 0;
        for (const CCPCircle* c : Circles().m_list) {
            n += c->m_selected != 0;
        }
        return n;
    }
    void Trigger(int id) {
        Frame().UpdateCommands();
        Frame().Action(id)->trigger();
    }
    // A left drag through the centre, half the radius either side: a gradation or a rubber band.
    void DragAcrossTheCentre() {
        const QPoint centre(View().width() / 2, View().height() / 2);
        const int r = int(View().Radius());
        QTest::mousePress(&View(), Qt::LeftButton, {}, centre - QPoint(r / 2, 0));
        QTest::mouseMove(&View(), centre + QPoint(r / 2, 0));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, centre + QPoint(r / 2, 0));
    }

private slots:
    void init() {
        QVERIFY(StartEditor());
        QVERIFY(BuildHexDisk(Doc(), 2));
        Trigger(cmd::kCirclePacking);
        Trigger(cmd::kCircle);
        QCOMPARE(View().Mode(), int(CircleMode));
    }

    void cleanup() { CloseEditor(); }

    void clickShiftClickAndTheOuterCircle() {
        CCPCircle* a = Circles().m_list[0];
        CCPCircle* b = Circles().m_list[1];
        QTest::mouseClick(&View(), Qt::LeftButton, {}, CentreOf(a));
        QVERIFY(a->m_selected && SelectedCount() == 1);
        auto* bar = Frame().findChild<CCircleBar*>();
        QVERIFY(bar != nullptr && bar->BarEnabled());
        QTest::mouseClick(&View(), Qt::LeftButton, Qt::ShiftModifier, CentreOf(b));
        QVERIFY(a->m_selected && b->m_selected && SelectedCount() == 2);
        QTest::mouseClick(&View(), Qt::LeftButton, Qt::ControlModifier, CentreOf(a));
        QVERIFY(!a->m_selected && b->m_selected && SelectedCount() == 1);
        // Outside the disk: nothing at all is selected.
        QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(SelectedCount(), 0);
        QVERIFY(!Circles().m_outer.m_selected);
        QVERIFY(!bar->BarEnabled());
        // Inside the disk but in a gap between the listed circles: the outer circle.
        QPoint gap;
        for (int degree = 0; degree < 360 && gap.isNull(); ++degree) {
            const double r = View().Radius() - 3;
            const IntPoint p{int(r * std::cos(degree * M_PI / 180)),
                             int(r * std::sin(degree * M_PI / 180))};
            if (Circles().HitTest(CDPoint(p) / View().Radius(), false) == nullptr) {
                gap = QPoint(p.x + View().width() / 2, p.y + View().height() / 2);
            }
        }
        QVERIFY(!gap.isNull());
        QTest::mouseClick(&View(), Qt::LeftButton, {}, gap);
        QVERIFY(Circles().m_outer.m_selected);
        QCOMPARE(SelectedCount(), 0);
    }

    // The rubber band shows in its colour all along, over hatched circles too.
    void theRubberBandShowsOverTheHatch() {
        Trigger(cmd::kSelectAll);
        const QPoint centre(View().width() / 2, View().height() / 2);
        const int r = int(View().Radius()) / 2;
        QTest::mousePress(&View(), Qt::LeftButton, {}, centre - QPoint(r, r));
        QTest::mouseMove(&View(), centre + QPoint(r, r));
        const QImage shown = View().grab().toImage();
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, centre + QPoint(r, r));
        int missing = 0;
        for (int x = centre.x() - r + 2; x < centre.x() + r - 2; ++x) {
            // A pen two pixels wide along the top edge: one of its rows is the edge itself.
            const int top = centre.y() - r;
            missing += (shown.pixel(x, top) & 0xFFFFFF) != 0x7FBFFF &&
                       (shown.pixel(x, top - 1) & 0xFFFFFF) != 0x7FBFFF;
        }
        QCOMPARE(missing, 0);
    }

    void rectangleSelectsAndShiftToggles() {
        const QPoint centre(View().width() / 2, View().height() / 2);
        const int r = int(View().Radius());
        QTest::mousePress(&View(), Qt::LeftButton, {}, centre - QPoint(r, r));
        QTest::mouseMove(&View(), centre);
        QCOMPARE(View().RubberBandCount(), 1);
        QTest::mouseMove(&View(), centre + QPoint(r, r));
        QCOMPARE(View().RubberBandCount(), 1);
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, centre + QPoint(r, r));
        QCOMPARE(View().RubberBandCount(), 0);
        QCOMPARE(SelectedCount(), Circles().GetCount());
        // The same drag with Shift inverts every one of them.
        QTest::mousePress(&View(), Qt::LeftButton, Qt::ShiftModifier, centre - QPoint(r, r));
        QTest::mouseMove(&View(), centre + QPoint(r, r));
        QTest::mouseRelease(&View(), Qt::LeftButton, Qt::ShiftModifier, centre + QPoint(r, r));
        QCOMPARE(SelectedCount(), 0);
    }

    void selectAllAndInverseKeepTheOuterFlag() {
        Circles().m_outer.m_selected = 1;
        Trigger(cmd::kSelectAll);
        QCOMPARE(SelectedCount(), Circles().GetCount());
        QVERIFY(Circles().m_outer.m_selected);
        Circles().m_list[0]->m_selected = 0;
        Trigger(cmd::kSelectInverse);
        QCOMPARE(SelectedCount(), 1);
        QVERIFY(Circles().m_list[0]->m_selected);
        QVERIFY(Circles().m_outer.m_selected);
        // In graph mode the handlers do nothing, even when called directly.
        Trigger(cmd::kGraph);
        View().OnSelectAll();
        QCOMPARE(SelectedCount(), 0);
    }

    void gradationChangesExactlyTheSelection() {
        for (int i = 0; i < 3; ++i) {
            Circles().m_list[i]->m_selected = 1;
        }
        View().AnnounceSelectionStyle();
        std::vector<COLORREF> before;
        for (const CCPCircle* c : Circles().m_list) {
            before.push_back(c->m_innerCol);
        }
        auto* linear = Frame().findChild<QPushButton*>(QStringLiteral("linear"));
        QVERIFY(linear != nullptr);
        QTest::mouseClick(linear, Qt::LeftButton);
        QCOMPARE(View().GradationMode(), 1);
        DragAcrossTheCentre();
        int changed = 0;
        for (int i = 0; i < Circles().GetCount(); ++i) {
            const bool differs = Circles().m_list[i]->m_innerCol != before[i];
            QVERIFY(!differs || Circles().m_list[i]->m_selected);
            changed += differs;
        }
        QVERIFY(changed > 0);
        QCOMPARE(View().GradationMode(), 1);
        // A right press ends the gradation mode.
        QTest::mouseClick(&View(), Qt::RightButton, {},
                          QPoint(View().width() / 2, View().height() / 2));
        QCOMPARE(View().GradationMode(), 0);
    }

    // The bar's Line and Inner targets decide which colours the next gradation sets.
    void gradationSetsOnlyTheTargetsOfTheBar() {
        Circles().SelectAll(1, false);
        View().AnnounceSelectionStyle();
        std::vector<COLORREF> lines;
        for (const CCPCircle* c : Circles().m_list) {
            lines.push_back(c->m_lineCol);
        }
        auto* lineTarget = Frame().findChild<QPushButton*>(QStringLiteral("lineTarget"));
        auto* linear = Frame().findChild<QPushButton*>(QStringLiteral("linear"));
        QVERIFY(lineTarget != nullptr && linear != nullptr);
        QTest::mouseClick(lineTarget, Qt::LeftButton);
        QVERIFY(!lineTarget->isChecked());
        QTest::mouseClick(linear, Qt::LeftButton);
        DragAcrossTheCentre();
        int innerChanged = 0;
        for (int i = 0; i < Circles().GetCount(); ++i) {
            QCOMPARE(Circles().m_list[i]->m_lineCol, lines[i]);
            innerChanged += Circles().m_list[i]->m_innerCol != DefInnerCol;
        }
        QVERIFY(innerChanged > 0);
    }

    void copyAndPasteCircleFlags() {
        CCPCircle* a = Circles().m_list[0];
        CCPCircle* b = Circles().m_list[1];
        CCPCircle* target = Circles().m_list[2];
        a->m_innerCol = b->m_innerCol = 0x0000FF;
        a->m_lineCol = b->m_lineCol = 0x00FF00;
        a->m_thickness = 3;
        b->m_thickness = 5;
        a->m_selected = b->m_selected = 1;
        Trigger(cmd::kCopyCircle);
        QCOMPARE(View().CopiedFlags(), 7);
        Circles().SelectAll(0, true);
        target->m_selected = 1;
        target->m_thickness = 9;
        Trigger(cmd::kPasteCircle);
        QCOMPARE(target->m_innerCol, COLORREF(0x0000FF));
        QCOMPARE(target->m_lineCol, COLORREF(0x00FF00));
        QCOMPARE(target->m_thickness, 9);
        QVERIFY(Doc().IsModified());
        // Nothing selected: all three attributes are pasted from the style kept.
        Circles().SelectAll(0, true);
        Trigger(cmd::kCopyCircle);
        QCOMPARE(View().CopiedFlags(), 14);
    }

    // As a user does it: width typed into the bar, then a click on the view and the keys.
    void keysReachTheViewAfterTheBarAndPasteShowsInIt() {
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        CCPCircle* a = Circles().m_list[0];
        CCPCircle* b = Circles().m_list[1];
        QTest::mouseClick(&View(), Qt::LeftButton, {}, CentreOf(a));
        auto* width =
            Frame().findChild<CCircleBar*>()->findChild<QLineEdit*>(QStringLiteral("width"));
        QVERIFY(width != nullptr);
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("4"));
        // Leaving the edit applies the width to a; the view then has the keys.
        QTest::mouseClick(&View(), Qt::LeftButton, {}, CentreOf(a));
        QCOMPARE(a->m_thickness, 4);
        QCOMPARE(QApplication::focusWidget(), &View());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(View().CopiedFlags(), 15); // one circle: every attribute and the selection
        QTest::mouseClick(&View(), Qt::LeftButton, {}, CentreOf(b));
        QCOMPARE(width->text(), QString::number(b->m_thickness));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b->m_thickness, 4);
        QCOMPARE(width->text(), QStringLiteral("4"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(SelectedCount(), Circles().GetCount());
    }

    // While the bar's width box has the focus, the editing keys edit its text and leave the
    // circles, the copied style and the document's history alone; Enter then applies the
    // width to the selection only, and Esc gives the keys back to the view unapplied.
    void editingKeysStayWithTheWidthBox_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("select all, type") << "Ctrl+A, 5"
                                          << "5";
        QTest::newRow("copy, paste") << "Ctrl+A, Ctrl+C, End, Ctrl+V"
                                     << "1212";
        QTest::newRow("cut, paste") << "Ctrl+A, Ctrl+X, Ctrl+V, Ctrl+V"
                                    << "1212";
        QTest::newRow("undo") << "5, Ctrl+Z"
                              << "12";
        QTest::newRow("redo") << "5, Ctrl+Z, Ctrl+Shift+Z"
                              << "125";
        QTest::newRow("redo by Y") << "5, Ctrl+Z, Ctrl+Y"
                                   << "125";
        QTest::newRow("delete") << "Home, Del"
                                << "2";
    }
    void editingKeysStayWithTheWidthBox() {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        CCPCircle* a = Circles().m_list[0];
        a->m_thickness = 12;
        QTest::mouseClick(&View(), Qt::LeftButton, {}, CentreOf(a));
        const std::vector<std::uint8_t> before = Doc().SaveToBytes();
        const std::size_t steps = Doc().History().Count();
        auto* width =
            Frame().findChild<CCircleBar*>()->findChild<QLineEdit*>(QStringLiteral("width"));
        QCOMPARE(width->text(), QStringLiteral("12"));
        width->setFocus();
        width->end(false);
        QTest::keySequence(width, QKeySequence(keys));
        QCOMPARE(width->text(), text);
        QCOMPARE(SelectedCount(), 1);
        QCOMPARE(View().CopiedFlags(), 0);
        QVERIFY(Doc().SaveToBytes() == before);
        QCOMPARE(Doc().History().Count(), steps);
        QCOMPARE(QApplication::focusWidget(), width);

        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(a->m_thickness, text.toInt());
        for (const CCPCircle* other : Circles().m_list) {
            QVERIFY(other == a || other->m_thickness != text.toInt());
        }
        QTest::keyClicks(width, QStringLiteral("9"));
        QTest::keyClick(width, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), &View());
        QCOMPARE(width->text(), text);
        QCOMPARE(a->m_thickness, text.toInt());
        QTest::keyClick(&View(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(SelectedCount(), Circles().GetCount());
    }

    // The text boxes of a dialog over the window keep their editing keys too.
    void dialogTextBoxesKeepTheirEditingKeys() {
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        QStringList wrong;
        int boxes = 0;
        CModalScript script({[&](QWidget* modal) {
            for (QLineEdit* box : modal->findChildren<QLineEdit*>()) {
                box->setFocus();
                QTest::keySequence(box, QKeySequence(QStringLiteral("Ctrl+A, 7, Ctrl+A, Ctrl+C")));
                QTest::keySequence(box, QKeySequence(QStringLiteral("End, Ctrl+V, Ctrl+Z")));
                ++boxes;
                if (box->text() != QStringLiteral("7")) {
                    wrong << box->objectName() + QStringLiteral(": ") + box->text();
                }
            }
            static_cast<QDialog*>(modal)->reject();
            return true;
        }});
        Trigger(cmd::kSettings);
        QVERIFY(script.Done());
        QCOMPARE(boxes, 9); // every edit of the dialog
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
        QCOMPARE(SelectedCount(), 0);
    }

    // Another document has no selection: the bar no longer shows the last one's.
    void aNewDocumentLeavesTheCircleBarWithoutASelection() {
        QTest::mouseClick(&View(), Qt::LeftButton, {}, CentreOf(Circles().m_list[0]));
        auto* bar = Frame().findChild<CCircleBar*>();
        QVERIFY(bar->BarEnabled());
        Doc().SetModifiedFlag(false);
        Trigger(cmd::kFileNew);
        QCOMPARE(View().Mode(), int(CircleMode));
        QVERIFY(!bar->BarEnabled());
    }

    void commandStatesInBothModes() {
        const int circleOnly[] = {cmd::kSelectAll, cmd::kSelectInverse, cmd::kCopyCircle,
                                  cmd::kPasteCircle};
        Frame().UpdateCommands();
        for (int id : circleOnly) {
            QVERIFY(Frame().Action(id)->isEnabled());
        }
        QVERIFY(!Frame().Action(cmd::kGraphScaleDown)->isEnabled());
        Trigger(cmd::kGraph);
        for (int id : circleOnly) {
            QVERIFY(!Frame().Action(id)->isEnabled());
        }
        QVERIFY(Frame().Action(cmd::kGraphScaleDown)->isEnabled());
        // Ctrl+C in graph mode leaves the copied flags alone.
        QTest::keyClick(&View(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(View().CopiedFlags(), 0);
        // Scale-down multiplies the node positions by the resize rate.
        const double x = Doc().m_nodes.GetAt(1)->x;
        Trigger(cmd::kGraphScaleDown);
        QCOMPARE(Doc().m_nodes.GetAt(1)->x, x * 0.9);
        // Antialiasing and the circle bar are checked while on.
        QVERIFY(!Frame().Action(cmd::kAntialiasing)->isChecked());
        Trigger(cmd::kAntialiasing);
        QVERIFY(Frame().Action(cmd::kAntialiasing)->isChecked());
        QVERIFY(View().AaDirty());
        QVERIFY(Frame().Action(cmd::kCircleBar)->isChecked());
        Trigger(cmd::kCircleBar);
        QVERIFY(!Frame().Action(cmd::kCircleBar)->isChecked());
    }

    void settingsOkRecomputesTheRadius() {
        const double before = View().Radius();
        CModalScript script({[](QWidget* modal) {
            auto* margin = modal->findChild<QLineEdit*>(QStringLiteral("margin"));
            if (margin == nullptr) {
                return false;
            }
            TypeInto(margin, QStringLiteral("40"));
            ClickButton(modal, "ok");
            return !modal->isVisible();
        }});
        Trigger(cmd::kSettings);
        QVERIFY(script.Done());
        QCOMPARE(View().Radius(), before + 10 - 40);
    }

    void selectAllKeyOnlyInCircleMode() {
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        QTest::keyClick(&View(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(SelectedCount(), Circles().GetCount());
        Trigger(cmd::kGraph);
        QTest::keyClick(&View(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(SelectedCount(), 0);
        // Keys without a command change nothing (Ctrl+Z is Undo now, tested with it).
        const int nodes = Doc().m_nodes.GetSize();
        Doc().SetModifiedFlag(false);
        QTest::keyClick(&View(), Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(&View(), Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keyClick(&View(), Qt::Key_F6);
        QTest::keyClick(&View(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(Doc().m_nodes.GetSize(), nodes);
        QVERIFY(!Doc().IsModified());
    }

    void exportsWriteTheCoreWritersBytes() {
        const double radius = View().Radius();
        const QString eps = m_folder.filePath(QStringLiteral("a.eps"));
        {
            CModalScript script({ChooseFile(eps), AcceptSetup()});
            Trigger(cmd::kExportEps);
            QVERIFY(script.Done());
        }
        const QString epsRef = m_folder.filePath(QStringLiteral("ref.eps"));
        QVERIFY(ExportEps(Doc(), epsRef.toStdString(), radius, 0) == ExportStatus::Ok);
        QCOMPARE(ReadAll(eps), ReadAll(epsRef));

        const QString bmp = m_folder.filePath(QStringLiteral("a.bmp"));
        {
            CModalScript script({ChooseFile(bmp), AcceptSetup()});
            Trigger(cmd::kExportBitmap);
            QVERIFY(script.Done());
        }
        const QString bmpRef = m_folder.filePath(QStringLiteral("ref.bmp"));
        BitmapSetup setup;
        setup.radius = std::lround(radius);
        QVERIFY(ExportBitmap(Circles(), setup, bmpRef.toStdString(), PaintWithQt) ==
                ExportStatus::Ok);
        QCOMPARE(ReadAll(bmp), ReadAll(bmpRef));

        // The title in the metafile is the file's name, so the reference is written first
        // under the same name.
        const QString emf = m_folder.filePath(QStringLiteral("a.emf"));
        QVERIFY(ExportEmf(Circles(), std::lround(radius), emf.toStdString()) == ExportStatus::Ok);
        const QByteArray reference = ReadAll(emf);
        QVERIFY(!reference.isEmpty());
        QVERIFY(QFile::remove(emf));
        {
            CModalScript script({ChooseFile(emf), AcceptSetup()});
            Trigger(cmd::kExportEmf);
            QVERIFY(script.Done());
        }
        QCOMPARE(ReadAll(emf), reference);

        const QString text = m_folder.filePath(QStringLiteral("a.txt"));
        {
            CModalScript script({ChooseFile(text), AcceptSetup()});
            Trigger(cmd::kExportText);
            QVERIFY(script.Done());
        }
        const QString textRef = m_folder.filePath(QStringLiteral("ref.txt"));
        QVERIFY(ExportText(Doc(), textRef.toStdString(), radius, "%X, %Y, %R") == ExportStatus::Ok);
        QCOMPARE(ReadAll(text), ReadAll(textRef));
    }

    // SVG and PDF carry the file's name as their title: the reference is written first under
    // the same name, as for the metafile.
    void newExportsWriteTheCoreWritersBytes() {
        const double radius = View().Radius();
        struct Case {
            int command;
            const char* name;
            std::function<ExportStatus(const std::string&)> write;
        };
        PngSetup png;
        png.radius = std::lround(radius);
        png.background = 0x00FFFFFF;
        const Case cases[] = {
            {cmd::kExportSvg, "a.svg",
             [&](const std::string& path) { return ExportSvg(Circles(), radius, path); }},
            {cmd::kExportPdf, "a.pdf",
             [&](const std::string& path) { return ExportPdf(Circles(), radius, path); }},
            {cmd::kExportPng, "a.png",
             [&](const std::string& path) { return ExportPng(Circles(), png, path, PaintWithQt); }},
        };
        for (const Case& c : cases) {
            const QString path = m_folder.filePath(QString::fromLatin1(c.name));
            QVERIFY(c.write(path.toStdString()) == ExportStatus::Ok);
            const QByteArray reference = ReadAll(path);
            QVERIFY(reference.size() > 100);
            QVERIFY(QFile::remove(path));
            CModalScript script({ChooseFile(path), AcceptSetup()});
            Trigger(c.command);
            QVERIFY(script.Done());
            QCOMPARE(ReadAll(path), reference);
        }
    }

    void pngSetupTakesTransparencyAndResolution() {
        const QString path = m_folder.filePath(QStringLiteral("t.png"));
        CModalScript script(
            {ChooseFile(path), [](QWidget* modal) {
                 auto* dpi = modal->findChild<QLineEdit*>(QStringLiteral("dpi"));
                 if (dpi == nullptr) {
                     return false;
                 }
                 TypeInto(dpi, QStringLiteral("300"));
                 QTest::mouseClick(Child<QCheckBox>(modal, "transparent"), Qt::LeftButton);
                 QTest::mouseClick(Child<QCheckBox>(modal, "antialias"), Qt::LeftButton);
                 ClickButton(modal, "ok");
                 return !modal->isVisible();
             }});
        Trigger(cmd::kExportPng);
        QVERIFY(script.Done());
        QImage image;
        QVERIFY(image.load(path, "PNG"));
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(image.dotsPerMeterX(), 11811); // 300 dpi
    }

    void largeBitmapIsMadeBehindAProgressDialog() {
        const QString bmp = m_folder.filePath(QStringLiteral("large.bmp"));
        bool progressShown = false;
        bool closeRefused = false;
        CModalScript script({ChooseFile(bmp),
                             [](QWidget* modal) {
                                 auto* radius =
                                     modal->findChild<QLineEdit*>(QStringLiteral("radius"));
                                 if (radius == nullptr) {
                                     return false;
                                 }
                                 TypeInto(radius, QStringLiteral("1000"));
                                 ClickButton(modal, "ok");
                                 return !modal->isVisible();
                             },
                             [this, &progressShown, &closeRefused](QWidget* modal) {
                                 progressShown = qobject_cast<QProgressDialog*>(modal) != nullptr;
                                 // The document stays while the picture is being made.
                                 closeRefused = progressShown && !Frame().close();
                                 return progressShown;
                             }});
        Trigger(cmd::kExportBitmap);
        QVERIFY(progressShown);
        QVERIFY(closeRefused);
        QVERIFY(Frame().isVisible());
        const QString reference = m_folder.filePath(QStringLiteral("large-ref.bmp"));
        BitmapSetup setup;
        setup.radius = 1000;
        QVERIFY(ExportBitmap(Circles(), setup, reference.toStdString(), PaintWithQt) ==
                ExportStatus::Ok);
        QCOMPARE(ReadAll(bmp), ReadAll(reference));
    }

    void failedExportIsReported() {
        const QString path = m_folder.filePath(QStringLiteral("missing/a.eps"));
        QString message;
        CModalScript script(
            {ChooseFile(path), AcceptSetup(), PressButton(QMessageBox::Ok, &message)});
        Trigger(cmd::kExportEps);
        QTRY_VERIFY(script.Done());
        QVERIFY(message.contains(QStringLiteral("Cannot Open File")));
    }

    void clipboardHoldsThePicture() {
        Trigger(cmd::kCopyToClipboard);
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data != nullptr);
        std::vector<std::uint8_t> emf;
        QVERIFY(RecordEmf(Circles(), View().Radius(), "Untitled", emf) == ExportStatus::Ok);
        QCOMPARE(data->data(QStringLiteral("image/emf")),
                 QByteArray(reinterpret_cast<const char*>(emf.data()), qsizetype(emf.size())));
        QImage png;
        QVERIFY(png.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
        QCOMPARE(png.width(), Circles().GetExtent(View().Radius()).right * 2);
        QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    }
};

QTEST_MAIN(TestCircleMode)
#include "tst_circlemode.moc"

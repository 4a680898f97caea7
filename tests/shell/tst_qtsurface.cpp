// The Qt drawing surface on an image: pixel extents of ellipses, XOR, hatch, fills, origin.
#include "circles/CPCircleArray.h"
#include "circles/DibBuffer.h"
#include "circles/DibSurface.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "model/CPEdge.h"
#include "model/HotSpot.h"
#include "view/QtPicture.h"
#include "view/QtSurface.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>

namespace {

QImage Blank(int w, int h, QRgb color = 0xFFFFFFFF) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// The smallest rectangle holding every pixel that differs from `background`, right and
// bottom excluded.
QRect Painted(const QImage& image, QRgb background = 0xFFFFFFFF) {
    int l = image.width(), t = image.height(), r = -1, b = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
            }
        }
    }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

template <class Draw> QImage Paint(QImage image, Draw draw) {
    QPainter painter(&image);
    CQtSurface surface(painter);
    draw(surface);
    painter.end();
    return image;
}

} // namespace

class TestQtSurface : public QObject {
    Q_OBJECT

private slots:
    void ellipseCoversItsRectangleWithoutRightAndBottom_data() {
        QTest::addColumn<int>("penWidth");
        QTest::addColumn<bool>("nullPen");
        QTest::newRow("one-pixel pen") << 0 << false;
        QTest::newRow("width 1") << 1 << false;
        QTest::newRow("no pen") << 0 << true;
    }
    void ellipseCoversItsRectangleWithoutRightAndBottom() {
        QFETCH(int, penWidth);
        QFETCH(bool, nullPen);
        QImage image = Paint(Blank(40, 40), [&](CQtSurface& s) {
            s.SelectPen(nullPen ? SurfacePen::Null() : SurfacePen::Solid(penWidth, 0x0000FF));
            s.SelectBrush(SurfaceBrush::Solid(0x00FF00));
            s.Ellipse({8, 18, 15, 25});
        });
        QCOMPARE(Painted(image), QRect(QPoint(8, 18), QPoint(14, 24)));
        QCOMPARE(image.pixel(11, 21), qRgb(0, 255, 0));
        if (!nullPen) {
            QCOMPARE(image.pixel(8, 21), qRgb(255, 0, 0));
        }
    }

    void widePenIsCentredOnTheOutline() {
        QImage image = Paint(Blank(60, 60), [](CQtSurface& s) {
            s.SelectPen(SurfacePen::Solid(5, 0));
            s.Ellipse({10, 10, 41, 41});
        });
        QRect r = Painted(image);
        QVERIFY(qAbs(r.left() - 8) <= 1 && qAbs(r.right() - 42) <= 1);
        QCOMPARE(image.pixel(25, 25), qRgb(255, 255, 255)); // the default brush is white
    }

    // A pen as wide as the circle's diameter or wider covers the whole inside: the plain
    // drawing (Qt's and the core's) shows what the pixel-coverage drawing shows.
    void penWiderThanTheCircleCoversItsInsideAsAntialiasingDoes_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("150 on radius 55") << 150;
        QTest::newRow("110, the diameter") << 110;
        QTest::newRow("5000") << 5000;
        QTest::newRow("20000") << 20000;
        QTest::newRow("the largest") << 2147483647;
    }
    void penWiderThanTheCircleCoversItsInsideAsAntialiasingDoes() {
        QFETCH(int, width);
        CCPCircleArray circles;
        circles.m_outer.m_thickness = 0;
        circles.m_outer.m_innerCol = 0x00FFFFFF;
        CCPCircle c;
        c.m_euclidCentre.Set(0, 0);
        c.m_euclidRadius = 0.55;
        c.m_thickness = width;
        c.m_lineCol = 0x000000FF;
        c.m_innerCol = 0x00FFFFFF;
        circles.Add(&c);
        constexpr int kSide = 301, kMid = 150;
        CDibBuffer qt, core, antialiased;
        for (CDibBuffer* picture : {&qt, &core, &antialiased}) {
            QVERIFY(picture->Create(kSide, kSide));
            picture->Fill(0x00808080);
        }
        auto draw = [&](CDrawSurface& s) {
            s.SetOrigin({kMid, kMid});
            circles.Draw(s, 100, DrawPlain);
        };
        PaintWithQt(qt, draw);
        CDibSurface surface(core);
        draw(surface);
        antialiased.SetOrigin(kMid, kMid);
        circles.DrawAntialiased(antialiased, 100);
        antialiased.SetOrigin(0, 0);           // pixels read from the corner, as the other two
        const double outer = 55 + width / 2.0; // the pen's outer edge
        for (int y = 0; y < kSide; y += 3) {
            for (int x = 0; x < kSide; x += 3) {
                const double d = std::hypot(x - kMid, y - kMid);
                if (std::abs(d - outer) < 2 || std::abs(d - 100) < 2) {
                    continue; // an edge: the outer circle's or the pen's
                }
                const COLORREF expected = antialiased.GetPixel(x, y);
                if (d < outer) {
                    QCOMPARE(expected, 0x000000FFu);
                }
                QVERIFY2(qt.GetPixel(x, y) == expected && core.GetPixel(x, y) == expected,
                         qPrintable(QStringLiteral("pixel %1, %2: %3 %4 %5")
                                        .arg(x)
                                        .arg(y)
                                        .arg(qt.GetPixel(x, y), 0, 16)
                                        .arg(core.GetPixel(x, y), 0, 16)
                                        .arg(expected, 0, 16)));
            }
        }
        circles.m_list.clear();
    }

    void xorHatchTwiceRestoresThePicture() {
        QImage before = Paint(Blank(50, 50), [](CQtSurface& s) {
            s.SelectBrush(SurfaceBrush::Solid(0x336699));
            s.Ellipse({5, 5, 45, 45});
        });
        auto overlay = [](CQtSurface& s) {
            s.SaveState();
            s.SelectPen(SurfacePen::Null());
            s.SelectBrush(SurfaceBrush::CrossHatch(0x7FBFFF));
            s.SetTransparentBackground(true);
            s.SetRasterOp(RasterOp::XorPen);
            s.Ellipse({5, 5, 45, 45});
            s.RestoreState();
        };
        QImage once = Paint(before, overlay);
        QVERIFY(once != before);
        int hatched = 0, untouched = 0;
        for (int y = 10; y < 40; ++y) {
            for (int x = 10; x < 40; ++x) {
                QRgb p = once.pixel(x, y);
                if (p == before.pixel(x, y)) {
                    ++untouched; // a gap of the hatch: transparent background
                } else {
                    QCOMPARE(p & 0xFFFFFF, (before.pixel(x, y) ^ qRgb(255, 191, 127)) & 0xFFFFFF);
                    ++hatched;
                }
            }
        }
        QVERIFY(hatched > 0 && untouched > hatched);
        QCOMPARE(Paint(once, overlay), before);
    }

    void opaqueHatchFillsTheGapsWhite() {
        QImage image = Paint(Blank(30, 30, 0xFF000000), [](CQtSurface& s) {
            s.SelectPen(SurfacePen::Null());
            s.SelectBrush(SurfaceBrush::CrossHatch(0x0000FF));
            s.Ellipse({0, 0, 30, 30});
        });
        int red = 0, white = 0;
        for (int x = 10; x < 20; ++x) {
            QRgb p = image.pixel(x, 15);
            red += p == qRgb(255, 0, 0);
            white += p == qRgb(255, 255, 255);
        }
        QVERIFY2(red > 0 && white > 0 && red + white == 10, "hatch lines on a white ground");
    }

    void fillsPixelsLinesAndTheNoOpOperation() {
        QImage image = Paint(Blank(20, 20), [](CQtSurface& s) {
            s.SetRasterOp(RasterOp::XorPen); // a plain fill ignores it
            s.FillRect({2, 3, 6, 5}, 0x000000);
            s.SetRasterOp(RasterOp::NoOp);
            s.SetPixel({15, 15}, 0x000000);
            s.Ellipse({10, 10, 18, 18});
            s.SetRasterOp(RasterOp::CopyPen);
            s.SetPixel({1, 1}, 0x0000FF);
        });
        QCOMPARE(image.pixel(1, 1), qRgb(255, 0, 0));
        image.setPixel(1, 1, 0xFFFFFFFF);
        QCOMPARE(Painted(image), QRect(QPoint(2, 3), QPoint(5, 4)));

        QImage line = Paint(Blank(20, 20), [](CQtSurface& s) { s.Line({2, 5}, {12, 5}); });
        QCOMPARE(Painted(line), QRect(QPoint(2, 5), QPoint(11, 5)));
    }

    // The painter hears of a state when something is drawn in it: each drawing comes out in
    // the state it was drawn in, however the state went to and fro without drawing between.
    void eachDrawingComesOutInItsOwnState() {
        QImage image = Paint(Blank(40, 20), [](CQtSurface& s) {
            s.SaveState();
            s.SelectPen(SurfacePen::Solid(1, 0x0000FF));
            s.Line({0, 2}, {10, 2});
            s.SelectPen(SurfacePen::Solid(1, 0xFF0000));
            s.Line({0, 4}, {10, 4});
            s.RestoreState();
            s.SaveState();
            s.SelectPen(SurfacePen::Solid(1, 0x00FF00));
            s.SetOrigin({20, 0});
            s.RestoreState();
            s.Line({0, 6}, {10, 6}); // the starting pen, at the starting origin
            // A plain fill amid XOR drawing leaves the XOR in force for what follows.
            s.SetRasterOp(RasterOp::XorPen);
            s.FillRect({0, 8, 10, 10}, 0x0000FF);
            s.SetPixel({5, 12}, 0xFFFFFF);
            s.SetOrigin({20, 0});
            s.SetOrigin({30, 0});
            s.SetRasterOp(RasterOp::CopyPen);
            s.SetPixel({0, 15}, 0x00FF00);
        });
        QCOMPARE(image.pixel(5, 2), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(5, 4), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(5, 6), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(25, 6), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(5, 9), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(5, 12), qRgb(0, 0, 0)); // white XOR white
        QCOMPARE(image.pixel(30, 15), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(20, 15), qRgb(255, 255, 255));
    }

    void originAndRestoreState() {
        QImage image = Paint(Blank(30, 30), [](CQtSurface& s) {
            s.SaveState();
            s.SetOrigin({15, 15});
            s.SelectBrush(SurfaceBrush::Solid(0));
            s.FillRect({-2, -2, 2, 2}, 0);
            s.RestoreState();
            s.SetPixel({0, 0}, 0); // origin back at the corner
        });
        QCOMPARE(Painted(image), QRect(QPoint(0, 0), QPoint(16, 16)));
        QCOMPARE(image.pixel(13, 13), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(12, 12), qRgb(255, 255, 255));
    }

    void paintingIntoThePixelBufferKeepsItsBackground() {
        CDibBuffer picture;
        QVERIFY(picture.Create(21, 11));
        picture.Fill(0x00336699);
        PaintWithQt(picture, [](CDrawSurface& s) {
            s.SetOrigin({10, 5});
            s.SelectPen(SurfacePen::Null());
            s.SelectBrush(SurfaceBrush::Solid(0x00FF0000));
            s.Ellipse({-2, -2, 3, 3});
        });
        QCOMPARE(picture.GetPixel(10, 5), 0x00FF0000u);
        QCOMPARE(picture.GetPixel(0, 0), 0x00336699u);
        QCOMPARE(picture.GetPixel(20, 10), 0x00336699u);
        QCOMPARE(picture.GetPixel(8, 5), 0x00FF0000u);
        QCOMPARE(picture.GetPixel(7, 5), 0x00336699u);
    }

    // The editor draws plain bitmaps with Qt, tessel-cli with the core's own rasteriser: the
    // two pictures must agree but for a few edge pixels.
    void qtAndCorePlainPicturesAgree() {
        CCPCircleArray circles;
        CCPCircle a, b, c;
        a.m_euclidCentre.Set(0.5, 0.1);
        a.m_euclidRadius = 0.3;
        a.m_innerCol = 0x0000FF;
        b.m_euclidCentre.Set(-0.3, -0.2);
        b.m_euclidRadius = 0.45;
        b.m_thickness = 4;
        b.m_innerCol = 0x00FF00;
        c.m_euclidCentre.Set(0, 0.6);
        c.m_euclidRadius = 0.2;
        c.m_thickness = 0;
        for (CCPCircle* circle : {&a, &b, &c}) {
            circles.Add(circle);
        }
        auto draw = [&](CDrawSurface& s) {
            s.SetOrigin({106, 106});
            circles.Draw(s, 100, DrawPlain);
        };
        CDibBuffer qt, core;
        for (CDibBuffer* picture : {&qt, &core}) {
            QVERIFY(picture->Create(212, 212));
            picture->Fill(0x00808080);
        }
        PaintWithQt(qt, draw);
        CDibSurface surface(core);
        draw(surface);
        // Where the two differ, it is on an outline: the rasterisers may round edges apart.
        auto nearAnOutline = [&](int x, int y) {
            for (int i = -1; i < circles.GetCount(); ++i) {
                const CCPCircle* k = circles.GetAt(i);
                double d = std::hypot(x - 106 - 100 * k->m_euclidCentre.x,
                                      y - 106 - 100 * k->m_euclidCentre.y);
                if (std::abs(d - 100 * k->m_euclidRadius) <= k->m_thickness / 2.0 + 1.5) {
                    return true;
                }
            }
            return false;
        };
        for (int y = 0; y < 212; ++y) {
            for (int x = 0; x < 212; ++x) {
                if (qt.GetPixel(x, y) != core.GetPixel(x, y)) {
                    QVERIFY2(nearAnOutline(x, y),
                             qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
                }
            }
        }
        QCOMPARE(qt.GetPixel(156, 116), 0x0000FFu);
        QCOMPARE(core.GetPixel(156, 116), 0x0000FFu);
        circles.m_list.clear();
    }

    // Ellipses of one or two pixels across in a thin pen are drawn as plain pixels, the same
    // pixels as Qt's own ellipse gives, whatever the brush.
    void tinyOutlinesAreTheEllipsesPixels_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("penWidth");
        QTest::newRow("one pixel") << 1 << 0;
        QTest::newRow("two pixels") << 2 << 0;
        QTest::newRow("two pixels, pen width 1") << 2 << 1;
    }
    void tinyOutlinesAreTheEllipsesPixels() {
        QFETCH(int, size);
        QFETCH(int, penWidth);
        const QImage shown = Paint(Blank(12, 12), [&](CQtSurface& s) {
            s.SelectPen(SurfacePen::Solid(penWidth, 0x00336699));
            s.SelectBrush(SurfaceBrush::Solid(0x0000FF00));
            s.Ellipse({5, 4, 5 + size, 4 + size});
        });
        QImage qt = Blank(12, 12);
        QPainter painter(&qt);
        QPen pen(QColor(0x99, 0x66, 0x33), penWidth);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(QColor(0, 255, 0));
        painter.drawEllipse(QRectF(5, 4, size - 1, size - 1));
        painter.end();
        QCOMPARE(shown, qt);
        QCOMPARE(Painted(shown).isEmpty(), size == 1);
    }

    // On a screen, edges that lie under the squares of their end nodes are left out: the
    // picture is the same to the pixel as with every edge drawn, at every density, pen width,
    // square size and device pixel ratio.
    void edgesUnderTheNodeSquaresAreLeftOutUnseen_data() {
        QTest::addColumn<double>("radius"); // of the graph on screen, in pixels
        QTest::addColumn<int>("thickness");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("ratio");
        QTest::newRow("far below a pixel") << 12.0 << 1 << 4 << 1;
        QTest::newRow("about a pixel apart") << 40.0 << 1 << 4 << 1;
        QTest::newRow("a few pixels apart") << 140.0 << 1 << 4 << 1;
        QTest::newRow("no pen width") << 40.0 << 0 << 4 << 1;
        QTest::newRow("wide pen") << 40.0 << 5 << 4 << 1;
        QTest::newRow("small squares") << 40.0 << 2 << 1 << 1;
        QTest::newRow("squares of one pixel") << 40.0 << 1 << 0 << 1;
        QTest::newRow("two device pixels a pixel") << 40.0 << 1 << 4 << 2;
    }
    void edgesUnderTheNodeSquaresAreLeftOutUnseen() {
        QFETCH(double, radius);
        QFETCH(int, thickness);
        QFETCH(int, size);
        QFETCH(int, ratio);
        CTesselDoc doc;
        QVERIFY(BuildRandomDisk(doc, 2000, 11));
        double reach = 0;
        for (const CCPNode* node : doc.m_nodes.m_array) {
            reach = std::max(reach, std::hypot(node->x, node->y));
        }
        CCPEdge::m_thickness = thickness;
        CHotSpot::m_size = size;
        CViewTransform view = CViewTransform::ForPicture(radius / reach, CDPoint(3, -2), 1.0);
        view.SetWindow(75, 75);
        auto picture = [&](bool screen) {
            QImage image = Blank(150 * ratio, 150 * ratio);
            image.setDevicePixelRatio(ratio);
            return Paint(image, [&](CQtSurface& s) {
                if (screen) {
                    s.SetVisibleArea({0, 0, 150, 150});
                }
                s.SetOrigin({75, 75});
                doc.m_edges.Draw(s, view);
                doc.m_nodes.Draw(s, view);
            });
        };
        const QImage shown = picture(true);
        const QImage whole = picture(false);
        CCPEdge::ResetDefaults();
        CHotSpot::ResetDefaults();
        QVERIFY(shown == whole);
    }
};

QTEST_MAIN(TestQtSurface)
#include "tst_qtsurface.moc"

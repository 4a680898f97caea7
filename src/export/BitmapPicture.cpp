// Making the pixels of a bitmap export.
#include "export/BitmapPicture.h"

#include "circles/CPCircleArray.h"
#include "circles/DibBuffer.h"
#include "circles/DibSurface.h"
#include "export/PictureCheck.h"

#include <algorithm>
#include <climits>

namespace {

using OuterFill = CCPCircleArray::OuterFill;

void DrawPlainly(const CCPCircleArray& circles, double radius, OuterFill outerFill,
                 const PlainPainter& painter, CDibBuffer& picture) {
    auto draw = [&](CDrawSurface& surface) {
        // Model point (0, 0) in the middle.
        surface.SetOrigin({picture.Width() / 2, picture.Height() / 2});
        circles.Draw(surface, radius, DrawPlain, 0x00FFFFFF, outerFill);
    };
    if (painter) {
        painter(picture, draw);
    } else {
        CDibSurface surface(picture);
        draw(surface);
    }
}

// Plain drawing paints whole pixels: those it leaves alone keep the background, so drawing
// on black and again on white tells them apart; the others are opaque.
bool MakeTransparentPlain(const CCPCircleArray& circles, double radius, OuterFill outerFill,
                          const PlainPainter& painter, CDibBuffer& picture) {
    CDibBuffer white;
    if (!white.Create(picture.Width(), picture.Height()) || !picture.CreateAlpha()) {
        return false;
    }
    picture.Fill(0);
    white.Fill(0x00FFFFFF);
    DrawPlainly(circles, radius, outerFill, painter, picture);
    DrawPlainly(circles, radius, outerFill, painter, white);
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* a = picture.Row(y);
        const std::uint8_t* b = white.Row(y);
        float* alpha = picture.AlphaRow(y);
        for (int x = 0; x < picture.Width(); ++x) {
            alpha[x] = std::equal(a + 3 * x, a + 3 * x + 3, b + 3 * x) ? 1.0f : 0.0f;
        }
    }
    return true;
}

} // namespace

ExportStatus MakeBitmapPicture(const CCPCircleArray& circles, const BitmapSetup& setup,
                               Clearing clearing, const PlainPainter& painter,
                               CDibBuffer& picture) {
    if (ExportStatus status = CheckPicture(circles, setup.radius); status != ExportStatus::Ok) {
        return status;
    }
    IntRect extent = circles.GetExtent(setup.radius);
    long long width = (long long)extent.right - extent.left;
    long long height = (long long)extent.bottom - extent.top;
    if (width > INT_MAX || height > INT_MAX || !picture.Create(int(width), int(height))) {
        return ExportStatus::BitmapTooLarge;
    }
    const bool transparent = clearing != Clearing::None;
    const OuterFill outerFill =
        clearing == Clearing::MarginAndGaps ? OuterFill::Open : OuterFill::Filled;
    if (setup.antialias) {
        if (transparent && !picture.CreateAlpha()) {
            return ExportStatus::BitmapTooLarge;
        }
        picture.SetOutsideColor(setup.background);
        picture.SetOrigin(int(width / 2), int(height / 2));
        circles.DrawAntialiased(picture, setup.radius, setup.background, outerFill);
    } else if (transparent) {
        if (!MakeTransparentPlain(circles, setup.radius, outerFill, painter, picture)) {
            return ExportStatus::BitmapTooLarge;
        }
    } else {
        picture.Fill(setup.background);
        DrawPlainly(circles, setup.radius, outerFill, painter, picture);
    }
    return ExportStatus::Ok;
}

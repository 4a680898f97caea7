// The one drawing interface of the program: the view, printing, metafiles, plain bitmaps and
// the tests all draw through it.
#pragma once

#include "geometry/Color.h"
#include "geometry/IntGeometry.h"

#include <optional>
#include <vector>

enum class PenStyle { Null, Solid };
enum class BrushStyle { Null, Solid, CrossHatch };
// How a drawn colour combines with what is already there.
enum class RasterOp { CopyPen, XorPen, NoOp };

struct SurfacePen {
    PenStyle style = PenStyle::Solid;
    int width = 0; // 0 draws one pixel wide, as a 1-pixel pen does
    COLORREF color = 0;

    static SurfacePen Null() { return {PenStyle::Null, 0, 0}; }
    static SurfacePen Solid(int width, COLORREF color) { return {PenStyle::Solid, width, color}; }
    friend bool operator==(const SurfacePen&, const SurfacePen&) = default;
};

struct SurfaceBrush {
    BrushStyle style = BrushStyle::Solid;
    COLORREF color = 0x00FFFFFF;

    static SurfaceBrush Null() { return {BrushStyle::Null, 0}; }
    static SurfaceBrush Solid(COLORREF color) { return {BrushStyle::Solid, color}; }
    static SurfaceBrush CrossHatch(COLORREF color) { return {BrushStyle::CrossHatch, color}; }
    friend bool operator==(const SurfaceBrush&, const SurfaceBrush&) = default;
};

// A circle as exactly as the model gives it, in device units before the origin, together
// with the integer rectangle its ellipse is drawn in on pixel devices.
struct SurfaceCircle {
    double x = 0;
    double y = 0;
    double radius = 0;
    IntRect rect;
};

// Everything a drawing call depends on besides its own arguments.
struct SurfaceState {
    SurfacePen pen;
    SurfaceBrush brush;
    bool transparentBackground = false; // hatch gaps are left unpainted
    RasterOp rasterOp = RasterOp::CopyPen;
    IntPoint origin; // device position of logical (0, 0)
    friend bool operator==(const SurfaceState&, const SurfaceState&) = default;
};

// The state rules live here once: the current pen, brush, background mode, raster operation
// and origin, and a stack of saved states. A backend overrides only the hooks below; it is
// told of every state change and draws with the state it is handed.
class CDrawSurface {
public:
    virtual ~CDrawSurface() = default;

    void SaveState();
    // Returns to the state of the matching SaveState. Every restore must have one: a restore
    // without it is a fault of the caller, stopped by an assertion in debug builds and
    // otherwise left without effect.
    void RestoreState();

    void SelectPen(const SurfacePen& pen);
    void SelectBrush(const SurfaceBrush& brush);
    void SetTransparentBackground(bool transparent);
    void SetRasterOp(RasterOp op);
    void SetOrigin(IntPoint origin);
    const SurfaceState& State() const { return m_state; }

    // The device rectangle a screen shows. Drawers may skip what lies wholly outside it, and
    // circles less than a pixel across, which a screen cannot show; without one (files,
    // printing) everything is drawn.
    void SetVisibleArea(const IntRect& device) { m_visible = device; }
    bool IsScreen() const { return m_visible.has_value(); }
    // Whether a rectangle in logical units (before the origin), grown by margin on every
    // side, meets the visible area.
    bool IsVisible(const IntRect& rect, int margin) const;

    // An ellipse inscribed in the rectangle (right and bottom excluded), outlined with the
    // pen and filled with the brush.
    void Ellipse(const IntRect& rect);
    // A circle outlined with the pen and filled with the brush. Pixel backends draw the
    // ellipse of its rectangle; vector files draw its exact centre and radius.
    void Circle(const SurfaceCircle& circle);
    // A line with the pen from one point to another (the end point itself is not drawn).
    void Line(IntPoint from, IntPoint to);
    // A solid rectangle in a colour, with no outline; pen and brush are not used.
    void FillRect(const IntRect& rect, COLORREF color);
    void SetPixel(IntPoint point, COLORREF color);

protected:
    virtual void OnSaveState() {}
    virtual void OnRestoreState() {}
    virtual void OnStateChanged(const SurfaceState& state) { (void)state; }
    virtual void DoEllipse(const IntRect& rect, const SurfaceState& state) = 0;
    virtual void DoCircle(const SurfaceCircle& circle, const SurfaceState& state) {
        DoEllipse(circle.rect, state);
    }
    virtual void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) = 0;
    virtual void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) = 0;
    virtual void DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) = 0;

private:
    void Change(const SurfaceState& next);

    SurfaceState m_state;
    std::vector<SurfaceState> m_saved;
    std::optional<IntRect> m_visible;
};

// CSvgSurface: a drawing surface that writes SVG elements, circles with their exact centre
// and radius.
#pragma once

#include "circles/DrawSurface.h"

#include <string>

// Device units are SVG user units. A file has nothing to combine with, so drawing under the
// XOR or no-op raster operation writes nothing, and a cross-hatched brush fills nothing: the
// exports draw their circles plainly.
class CSvgSurface : public CDrawSurface {
public:
    // The elements drawn so far, one a line.
    const std::string& Elements() const { return m_elements; }

protected:
    void DoEllipse(const IntRect& rect, const SurfaceState& state) override;
    void DoCircle(const SurfaceCircle& circle, const SurfaceState& state) override;
    void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) override;
    void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) override;
    void DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) override;

private:
    // The fill and stroke attributes of a closed shape in the state's brush and pen.
    static std::string Paint(const SurfaceState& state);
    void Rect(double x, double y, double width, double height, COLORREF color);

    std::string m_elements;
};

// A number as SVG takes it: the shortest text that reads back as the same double.
std::string SvgNumber(double value);
// "#rrggbb" of a colour.
std::string SvgColor(COLORREF color);
// Text for XML content or attributes: markup characters escaped, control characters and
// invalid UTF-8 replaced.
std::string XmlText(const std::string& text);

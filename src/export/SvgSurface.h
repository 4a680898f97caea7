// CSvgSurface: a drawing surface that writes SVG elements, circles with their exact centre
// and radius.
#pragma once

#include "export/VectorSurface.h"

#include <string>

// Device units are SVG user units, which the export makes pixels: shapes lie where the
// bitmap exports draw them.
class CSvgSurface : public CVectorSurface {
public:
    CSvgSurface() : CVectorSurface(0.5) {}

    // The elements drawn so far, one a line.
    const std::string& Elements() const { return m_elements; }

protected:
    void DrawEllipse(double x, double y, double rx, double ry, const SurfaceState& state) override;
    void DrawSegment(double x0, double y0, double x1, double y1,
                     const SurfaceState& state) override;
    void DrawBox(double x, double y, double width, double height, COLORREF color) override;

private:
    std::string m_elements;
};

// A number as SVG takes it: the shortest text that reads back as the same double.
std::string SvgNumber(double value);
// "#rrggbb" of a colour.
std::string SvgColor(COLORREF color);
// Text for XML content or attributes: markup characters escaped, control characters and
// invalid UTF-8 replaced.
std::string XmlText(const std::string& text);

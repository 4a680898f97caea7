// CTikzSurface: a drawing surface that writes TikZ commands, one \filldraw, \fill or \draw per
// circle, each colour defined once.
#pragma once

#include "export/VectorSurface.h"

#include <map>
#include <string>

// Device units are PostScript points (bp) of the page, y downwards from the picture's top edge as
// on the other surfaces; the commands are written with y upwards from its bottom edge, as TikZ has
// it.
class CTikzSurface : public CVectorSurface {
public:
    explicit CTikzSurface(double side) : CVectorSurface(0), m_side(side) {}

    // \definecolor lines for the colours used, in the order they were first used.
    const std::string& ColorDefinitions() const { return m_definitions; }
    // The drawing commands so far, one a line.
    const std::string& Commands() const { return m_commands; }

protected:
    void DrawEllipse(double x, double y, double rx, double ry, const SurfaceState& state) override;
    void DrawSegment(double x0, double y0, double x1, double y1,
                     const SurfaceState& state) override;
    void DrawBox(double x, double y, double width, double height, COLORREF color) override;

private:
    // The name of the colour, defined on its first use.
    std::string Color(COLORREF color);
    // "[fill=c1, draw=c2, line width=1pt]" and the command that goes with it.
    std::string Paint(const SurfaceState& state, bool fill, std::string& command);
    std::string Point(double x, double y) const;

    double m_side;
    std::map<COLORREF, std::string> m_names;
    std::string m_definitions;
    std::string m_commands;
};

// TikZ commands for the drawing calls.
#include "export/TikzSurface.h"

#include "geometry/NumberText.h"

std::string CTikzSurface::Color(COLORREF color) {
    auto found = m_names.find(color);
    if (found != m_names.end()) {
        return found->second;
    }
    std::string name = "tc" + std::to_string(m_names.size() + 1);
    m_definitions += "\\definecolor{" + name + "}{RGB}{" + std::to_string(GetRValue(color)) + "," +
                     std::to_string(GetGValue(color)) + "," + std::to_string(GetBValue(color)) +
                     "}\n";
    m_names.emplace(color, name);
    return name;
}

std::string CTikzSurface::Paint(const SurfaceState& state, bool fill, std::string& command) {
    const bool filled = fill && state.brush.style == BrushStyle::Solid;
    const bool outlined = state.pen.style != PenStyle::Null;
    std::string options;
    if (filled) {
        options += "fill=" + Color(state.brush.color);
    }
    if (outlined) {
        const int width = state.pen.width > 0 ? state.pen.width : 1;
        options += std::string(filled ? ", " : "") + "draw=" + Color(state.pen.color) +
                   ", line width=" + std::to_string(width) + "bp";
    }
    command = filled && outlined ? "\\filldraw" : filled ? "\\fill" : "\\draw";
    return "[" + options + "]";
}

std::string CTikzSurface::Point(double x, double y) const {
    return "(" + FormatShortest(x) + "," + FormatShortest(m_side - y) + ")";
}

void CTikzSurface::DrawEllipse(double x, double y, double rx, double ry,
                               const SurfaceState& state) {
    std::string command;
    const std::string options = Paint(state, true, command);
    if (options == "[]") {
        return;
    }
    const std::string radius =
        rx == ry ? "radius=" + FormatShortest(rx)
                 : "x radius=" + FormatShortest(rx) + ", y radius=" + FormatShortest(ry);
    m_commands += command + options + " " + Point(x, y) + " circle[" + radius + "];\n";
}

void CTikzSurface::DrawSegment(double x0, double y0, double x1, double y1,
                               const SurfaceState& state) {
    std::string command;
    const std::string options = Paint(state, false, command);
    m_commands += command + options + " " + Point(x0, y0) + " -- " + Point(x1, y1) + ";\n";
}

void CTikzSurface::DrawBox(double x, double y, double width, double height, COLORREF color) {
    m_commands += "\\fill[fill=" + Color(color) + "] " + Point(x, y + height) + " rectangle " +
                  Point(x + width, y) + ";\n";
}

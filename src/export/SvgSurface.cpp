// SVG elements for the drawing calls.
#include "export/SvgSurface.h"

#include "geometry/Utf8Text.h"

#include <charconv>

namespace {

bool Draws(const SurfaceState& state) {
    return state.rasterOp == RasterOp::CopyPen;
}

} // namespace

std::string SvgNumber(double value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string SvgColor(COLORREF color) {
    static const char digits[] = "0123456789abcdef";
    std::string text = "#";
    for (unsigned channel : {GetRValue(color), GetGValue(color), GetBValue(color)}) {
        text += digits[channel >> 4];
        text += digits[channel & 15];
    }
    return text;
}

std::string XmlText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8(text, i, c);
        bool control = c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xFFFE || c == 0xFFFF;
        if (length == 0 || control) {
            out += "\xEF\xBF\xBD"; // U+FFFD: XML 1.0 cannot hold these
            i += length == 0 ? 1 : length;
            continue;
        }
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.append(text, i, length); break;
        }
        i += length;
    }
    return out;
}

std::string CSvgSurface::Paint(const SurfaceState& state) {
    std::string fill = state.brush.style == BrushStyle::Solid ? SvgColor(state.brush.color)
                                                              : std::string("none");
    std::string text = " fill=\"" + fill + "\"";
    if (state.pen.style == PenStyle::Null) {
        return text + " stroke=\"none\"";
    }
    // A width of 0 is the one-pixel pen.
    int width = state.pen.width > 0 ? state.pen.width : 1;
    return text + " stroke=\"" + SvgColor(state.pen.color) + "\" stroke-width=\"" +
           std::to_string(width) + "\"";
}

void CSvgSurface::DoCircle(const SurfaceCircle& circle, const SurfaceState& state) {
    if (!Draws(state)) {
        return;
    }
    m_elements += "<circle cx=\"" + SvgNumber(state.origin.x + circle.x) + "\" cy=\"" +
                  SvgNumber(state.origin.y + circle.y) + "\" r=\"" + SvgNumber(circle.radius) +
                  "\"" + Paint(state) + "/>\n";
}

void CSvgSurface::DoEllipse(const IntRect& rect, const SurfaceState& state) {
    if (!Draws(state)) {
        return;
    }
    // The ellipse through the rectangle's first and last pixels, as pixel devices draw it.
    double rx = (double(rect.right) - rect.left - 1) / 2;
    double ry = (double(rect.bottom) - rect.top - 1) / 2;
    m_elements += "<ellipse cx=\"" + SvgNumber(state.origin.x + rect.left + rx) + "\" cy=\"" +
                  SvgNumber(state.origin.y + rect.top + ry) + "\" rx=\"" + SvgNumber(rx) +
                  "\" ry=\"" + SvgNumber(ry) + "\"" + Paint(state) + "/>\n";
}

void CSvgSurface::DoLine(IntPoint from, IntPoint to, const SurfaceState& state) {
    if (!Draws(state) || state.pen.style == PenStyle::Null) {
        return;
    }
    SurfaceState pen = state;
    pen.brush = SurfaceBrush::Null();
    std::int64_t ox = state.origin.x, oy = state.origin.y;
    m_elements += "<line x1=\"" + std::to_string(ox + from.x) + "\" y1=\"" +
                  std::to_string(oy + from.y) + "\" x2=\"" + std::to_string(ox + to.x) +
                  "\" y2=\"" + std::to_string(oy + to.y) + "\"" + Paint(pen) + "/>\n";
}

void CSvgSurface::Rect(double x, double y, double width, double height, COLORREF color) {
    m_elements += "<rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" width=\"" +
                  SvgNumber(width) + "\" height=\"" + SvgNumber(height) + "\" fill=\"" +
                  SvgColor(color) + "\"/>\n";
}

void CSvgSurface::DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) {
    if (Draws(state) && rect.right > rect.left && rect.bottom > rect.top) {
        Rect(double(state.origin.x) + rect.left, double(state.origin.y) + rect.top,
             double(rect.right) - rect.left, double(rect.bottom) - rect.top, color);
    }
}

void CSvgSurface::DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) {
    if (Draws(state)) {
        Rect(double(state.origin.x) + point.x, double(state.origin.y) + point.y, 1, 1, color);
    }
}

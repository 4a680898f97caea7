// SVG elements for the drawing calls.
#include "export/SvgSurface.h"

#include "geometry/Utf8Text.h"

#include <charconv>

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
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out.append(text, i, length);
            break;
        }
        i += length;
    }
    return out;
}

namespace {

// The fill and stroke attributes of a shape in the state's brush and pen.
std::string Paint(const SurfaceState& state) {
    std::string fill =
        state.brush.style == BrushStyle::Solid ? SvgColor(state.brush.color) : std::string("none");
    std::string text = " fill=\"" + fill + "\"";
    if (state.pen.style == PenStyle::Null) {
        return text + " stroke=\"none\"";
    }
    int width = state.pen.width > 0 ? state.pen.width : 1;
    return text + " stroke=\"" + SvgColor(state.pen.color) + "\" stroke-width=\"" +
           std::to_string(width) + "\"";
}

} // namespace

void CSvgSurface::DrawEllipse(double x, double y, double rx, double ry, const SurfaceState& state) {
    m_elements += rx == ry ? "<circle cx=\"" + SvgNumber(x) + "\" cy=\"" + SvgNumber(y) +
                                 "\" r=\"" + SvgNumber(rx) + "\""
                           : "<ellipse cx=\"" + SvgNumber(x) + "\" cy=\"" + SvgNumber(y) +
                                 "\" rx=\"" + SvgNumber(rx) + "\" ry=\"" + SvgNumber(ry) + "\"";
    m_elements += Paint(state) + "/>\n";
}

void CSvgSurface::DrawSegment(double x0, double y0, double x1, double y1,
                              const SurfaceState& state) {
    SurfaceState pen = state;
    pen.brush = SurfaceBrush::Null();
    m_elements += "<line x1=\"" + SvgNumber(x0) + "\" y1=\"" + SvgNumber(y0) + "\" x2=\"" +
                  SvgNumber(x1) + "\" y2=\"" + SvgNumber(y1) + "\"" + Paint(pen) + "/>\n";
}

void CSvgSurface::DrawBox(double x, double y, double width, double height, COLORREF color) {
    m_elements += "<rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" width=\"" +
                  SvgNumber(width) + "\" height=\"" + SvgNumber(height) + "\" fill=\"" +
                  SvgColor(color) + "\"/>\n";
}

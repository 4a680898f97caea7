// Writing circles as EPS drawing lines and as lines of the user's text format.
#include "circles/CPCircle.h"
#include "circles/CPCircleArray.h"
#include "circles/OutputFile.h"
#include "circles/TextFormat.h"
#include "geometry/NumberText.h"

namespace {

// A colour as the three channel fractions PostScript's setrgbcolor takes.
std::string RgbText(COLORREF c) {
    return FormatFixed(GetRValue(c) / 255.0, 6) + " " + FormatFixed(GetGValue(c) / 255.0, 6) + " " +
           FormatFixed(GetBValue(c) / 255.0, 6);
}

} // namespace

void CCPCircle::WriteEpsLine(COutputFile& file, double scale) const {
    // The x coordinate is negated because the page is turned half round by the header.
    std::string geometry = FormatFixed(-(scale * m_euclidCentre.x), 6) + " " +
                           FormatFixed(scale * m_euclidCentre.y, 6) + " " +
                           FormatFixed(scale * m_euclidRadius, 6);
    if (m_thickness <= 0) {
        file.Write(RgbText(m_innerCol) + " " + geometry + " FCircle\n");
        return;
    }
    file.Write(RgbText(m_lineCol) + " " + RgbText(m_innerCol) + " " + geometry + " " +
               std::to_string(m_thickness) + " FLCircle\n");
}

void CCPCircle::WriteTextLine(COutputFile& file, double scale, const std::string& format) const {
    CircleTextValues values{scale * m_euclidCentre.x,
                            -(scale * m_euclidCentre.y),
                            scale * m_euclidRadius,
                            m_thickness,
                            m_innerCol,
                            m_lineCol};
    file.Write(ExpandTextFormat(format, values) + "\n");
}

void CCPCircleArray::WriteEps(COutputFile& file, double scale) const {
    for (int i = -1; i < GetCount(); ++i) {
        GetAt(i)->WriteEpsLine(file, scale);
    }
}

void CCPCircleArray::WriteText(COutputFile& file, double scale, const std::string& format) const {
    for (int i = -1; i < GetCount(); ++i) {
        GetAt(i)->WriteTextLine(file, scale, format);
    }
}

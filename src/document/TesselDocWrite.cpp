// The document's EPS and text writers: the EPS header and trailer around the circle lines.
#include "circles/OutputFile.h"
#include "document/AppTitle.h"
#include "document/TesselDoc.h"
#include "geometry/NumberText.h"

void CTesselDoc::WriteEps(COutputFile& file, double scale, double offset) const {
    IntRect extent = m_circles.GetExtent(scale);
    std::string o = FormatFixed(offset, 6);
    std::string centre = FormatFixed(offset + extent.right, 6);
    file.Write("%!PS-Adobe-3.0 EPSF-3.0\n");
    file.Write("%%BoundingBox: " + o + " " + o + " " + FormatFixed(offset + extent.Width(), 6) +
               " " + FormatFixed(offset + extent.Height(), 6) + "\n");
    file.Write(std::string("%%Creator: ") + kAppTitle + "\n");
    file.Write("%%EndComments\n\n\n");
    file.Write("/FLCircle {setlinewidth newpath 0 360 arc setrgbcolor gsave fill grestore "
               "setrgbcolor stroke } def\n");
    file.Write("/FCircle {newpath 0 360 arc setrgbcolor fill} def\n");
    file.Write("gsave\n");
    file.Write(centre + " " + centre + " translate\n");
    file.Write("180 rotate\n");
    m_circles.WriteEps(file, scale);
    file.Write("showpage\n");
    file.Write("grestore\n");
}

void CTesselDoc::WriteText(COutputFile& file, double scale, const std::string& format) const {
    m_circles.WriteText(file, scale, format);
}

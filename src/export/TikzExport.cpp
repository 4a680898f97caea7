// TikZ export: the picture square of the EPS export, the scale in points, as a tikzpicture to
// \input into a LaTeX document or as a complete article of one page the picture's size.
#include "circles/CPCircleArray.h"
#include "document/AppTitle.h"
#include "export/Export.h"
#include "export/PictureCheck.h"
#include "export/TikzSurface.h"

ExportStatus RecordTikz(const CCPCircleArray& circles, double scale, bool document,
                        std::string& text) {
    text.clear();
    ExportStatus status = CheckPicture(circles, scale);
    const IntRect extent = circles.GetExtent(scale);
    const std::int64_t half = extent.right;
    if (status == ExportStatus::Ok && !(scale <= kTikzMaxRadius && 2 * half <= kTexMaxLength)) {
        status = ExportStatus::PictureTooLarge;
    }
    if (status != ExportStatus::Ok) {
        return status;
    }
    const std::string side = std::to_string(2 * half);
    CTikzSurface surface(double(2 * half));
    surface.SetOrigin({extent.right, extent.bottom}); // model point (0, 0) in the middle
    circles.Draw(surface, scale, DrawPlain);
    // One unit is one PostScript point (bp), so that numbers are the EPS export's; the box is the
    // picture's.
    std::string picture = "% " + std::string(kAppTitle) + ": " +
                          std::to_string(circles.GetCount() + 1) + " circles, " + side +
                          " bp square\n" + surface.ColorDefinitions() +
                          "\\begin{tikzpicture}[x=1bp, y=1bp]\n"
                          "\\useasboundingbox (0,0) rectangle (" +
                          side + "," + side + ");\n" + surface.Commands() + "\\end{tikzpicture}\n";
    if (!document) {
        text = std::move(picture);
        return ExportStatus::Ok;
    }
    // The page is the picture: LaTeX's paper size, which it hands to pdfTeX, and no margins;
    // the article class and TikZ alone, which Debian's texlive-latex-base and
    // texlive-pictures hold.
    const std::string length = side + "bp";
    text = "\\documentclass{article}\n\\usepackage{tikz}\n";
    text += "\\paperwidth=" + length + " \\paperheight=" + length + "\n";
    text += "\\textwidth=" + length + " \\textheight=" + length + "\n";
    text += "\\hoffset=-1in \\voffset=-1in \\oddsidemargin=0pt \\evensidemargin=0pt\n"
            "\\topmargin=0pt \\headheight=0pt \\headsep=0pt \\footskip=0pt\n"
            "\\parindent=0pt \\pagestyle{empty}\n\\begin{document}\n";
    text += picture + "\\end{document}\n";
    return ExportStatus::Ok;
}

ExportStatus ExportTikz(const CCPCircleArray& circles, double scale, bool document,
                        const ExportTarget& target) {
    std::string text;
    if (ExportStatus status = RecordTikz(circles, scale, document, text);
        status != ExportStatus::Ok) {
        return status;
    }
    return WriteBytes(target, text.data(), text.size());
}

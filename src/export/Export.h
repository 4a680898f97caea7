// The file exports of the circles, shared by the editor and tessel-cli.
#pragma once

#include "export/ExportStatus.h"
#include "export/ExportTarget.h"
#include "geometry/Color.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

class CCPCircleArray;
class CDibBuffer;
class CDrawSurface;
class CTesselDoc;

// The largest EPS scale and offset, in points (about 35 m each). Ghostscript, behind most
// programs that read PostScript, keeps device coordinates below 2^23 pixels; within these
// limits the whole picture, even with the widest outer line, stays below that at 1200 dpi.
constexpr double kEpsMaxRadius = 100000;
constexpr double kEpsMaxOffset = 100000;

// The largest scale of SVG and PDF pictures, in pixels or points: their side then stays
// within kVectorMaxSide whatever the outer line width.
constexpr double kVectorMaxRadius = 3900000;
// Text has no reader that limits it.
constexpr double kTextMaxRadius = std::numeric_limits<double>::max();

// EPS at a scale in points, the picture's lower left corner `offset` points from the page's.
// A scale above kEpsMaxRadius or an offset outside [0, kEpsMaxOffset] is PictureTooLarge.
ExportStatus ExportEps(const CTesselDoc& doc, const ExportTarget& target, double scale,
                       double offset);

// One line per circle in the user's token format.
ExportStatus ExportText(const CTesselDoc& doc, const ExportTarget& target, double scale,
                        const std::string& format);

struct BitmapSetup {
    double radius = 1; // pixels
    bool antialias = false;
    COLORREF background = 0x00FFFFFF;
};

// Gives a drawing surface on the picture's pixels to `draw`. Without one the core's own
// aliased surface draws; the editor passes one that draws with its window system.
using PlainPainter =
    std::function<void(CDibBuffer& picture, const std::function<void(CDrawSurface&)>& draw)>;

// The square picture of GetExtent on the background: plain, or antialiased.
ExportStatus ExportBitmap(const CCPCircleArray& circles, const BitmapSetup& setup,
                          const ExportTarget& target, const PlainPainter& painter = {});

// The same picture as a PNG file that records its resolution. With a transparent background
// the margin and the gaps between the circles (the outer circle's inside) are left clear,
// the edges partly covered; elsewhere the colours are those of the bitmap.
struct PngSetup : BitmapSetup {
    bool transparent = false;
    // With a transparent background: false keeps the outer circle's inside filled, so that
    // only the margin around it is clear.
    bool clearGaps = true;
    int dpi = 96; // stored as pixels per metre
    static constexpr int kMaxDpi = 100000;
};
ExportStatus ExportPng(const CCPCircleArray& circles, const PngSetup& setup,
                       const ExportTarget& target, const PlainPainter& painter = {});

// The circles as an enhanced metafile's bytes, `title` (or "NoTitle") in its description.
ExportStatus RecordEmf(const CCPCircleArray& circles, double radius, const std::string& title,
                       std::vector<std::uint8_t>& bytes);
// The same written to a file, with the file's name as the title.
ExportStatus ExportEmf(const CCPCircleArray& circles, double radius, const ExportTarget& target);

// The picture as SVG: one circle element per circle with its exact centre and radius, the
// scale in pixels; `title` (none when empty) as the document's title.
ExportStatus RecordSvg(const CCPCircleArray& circles, double scale, const std::string& title,
                       std::string& text);
// The same written to a file, with the file's name as the title.
ExportStatus ExportSvg(const CCPCircleArray& circles, double scale, const ExportTarget& target);

// The picture as a one-page PDF the size of the picture, the scale in points.
ExportStatus ExportPdf(const CCPCircleArray& circles, double scale, const ExportTarget& target);

// TeX's lengths end below 16384 points: the TikZ picture's side stays within that, which a
// radius of kTikzMaxRadius points keeps with any outer line up to 180 points wide.
constexpr double kTikzMaxRadius = 8000;
constexpr std::int64_t kTexMaxLength = 16383;

// The picture as TikZ at a scale in points (at most kTikzMaxRadius): one command per
// circle with its colours (each defined once) and line width, in a tikzpicture the picture
// square's size; with `document`, a complete article of one page that size for pdflatex.
ExportStatus RecordTikz(const CCPCircleArray& circles, double scale, bool document,
                        std::string& text);
ExportStatus ExportTikz(const CCPCircleArray& circles, double scale, bool document,
                        const ExportTarget& target);

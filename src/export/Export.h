// The four file exports of the circles, shared by the editor and tessel-cli.
#pragma once

#include "export/ExportStatus.h"
#include "geometry/Color.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CCPCircleArray;
class CDibBuffer;
class CDrawSurface;
class CTesselDoc;

// EPS at a scale in points, the picture's lower left corner `offset` points from the page's.
ExportStatus ExportEps(const CTesselDoc& doc, const std::string& path, double scale, double offset);

// One line per circle in the user's token format.
ExportStatus ExportText(const CTesselDoc& doc, const std::string& path, double scale,
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
                          const std::string& path, const PlainPainter& painter = {});

// The circles as an enhanced metafile's bytes, `title` (or "NoTitle") in its description.
ExportStatus RecordEmf(const CCPCircleArray& circles, double radius, const std::string& title,
                       std::vector<std::uint8_t>& bytes);
// The same written to a file, with the file's name as the title.
ExportStatus ExportEmf(const CCPCircleArray& circles, double radius, const std::string& path);

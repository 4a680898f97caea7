// The pixels of the bitmap exports (BMP, PNG): the picture of GetExtent made plain or
// antialiased, on the background or on a transparent one.
#pragma once

#include "export/Export.h"

class CCPCircleArray;
class CDibBuffer;

// Where a picture on a transparent background is clear.
enum class Clearing { None, Margin, MarginAndGaps };

// Fills `picture` (origin in its middle) with the circles at setup.radius. With clearing the
// picture gets a coverage plane, clear in the margin, and with MarginAndGaps inside the outer
// circle as well, which is then drawn by its line alone. BitmapTooLarge when the pixels cannot
// be held.
ExportStatus MakeBitmapPicture(const CCPCircleArray& circles, const BitmapSetup& setup,
                               Clearing clearing, const PlainPainter& painter, CDibBuffer& picture);

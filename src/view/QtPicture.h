// Plain drawing with Qt into a CDibBuffer: the buffer's pixels go through a QImage and back.
#pragma once

#include <functional>

class CDibBuffer;
class CDrawSurface;

// Runs `draw` on a Qt surface over a copy of the picture's pixels, then stores the result in
// the picture. Serves as the editor's PlainPainter for bitmap export.
void PaintWithQt(CDibBuffer& picture, const std::function<void(CDrawSurface&)>& draw);

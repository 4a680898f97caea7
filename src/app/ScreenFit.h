// Keeping a restored window on the screen it opens on.
#pragma once

#include <QRect>

// The window rectangle made to fit the available area: no larger than it, then moved the
// least distance that brings it wholly inside. An empty area leaves the window as it is.
QRect FitToScreen(const QRect& window, const QRect& available);

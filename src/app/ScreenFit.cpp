// Fitting a window rectangle into the available screen area.
#include "app/ScreenFit.h"

#include <algorithm>

QRect FitToScreen(const QRect& window, const QRect& available) {
    if (available.isEmpty()) {
        return window;
    }
    const int width = std::min(window.width(), available.width());
    const int height = std::min(window.height(), available.height());
    const int left = std::clamp(window.left(), available.left(), available.right() - width + 1);
    const int top = std::clamp(window.top(), available.top(), available.bottom() - height + 1);
    return {left, top, width, height};
}

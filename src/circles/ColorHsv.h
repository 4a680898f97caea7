// Hue, saturation and value: the space colour gradations interpolate in.
#pragma once

#include "geometry/Color.h"

struct CHsv {
    double h = -1; // degrees in [0, 360), or -1 for a colour without hue (a grey)
    double s = 0;  // 0 to 1
    double v = 0;  // 0 to 255
};

CHsv RgbToHsv(COLORREF color);
COLORREF HsvToRgb(const CHsv& hsv);
// The colour at t in [0, 1) between two colours; hue takes the shorter way round.
COLORREF Interpolate(const CHsv& start, const CHsv& end, double t);

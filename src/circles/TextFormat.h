// The percent-token templates of the text export.
#pragma once

#include "geometry/Color.h"

#include <string>

// What one circle contributes to its line, already scaled.
struct CircleTextValues {
    double x = 0;      // %X
    double y = 0;      // %Y, the vertical axis already turned upwards
    double radius = 0; // %R
    int thickness = 0; // %T
    COLORREF innerCol = 0;
    COLORREF lineCol = 0;
};

// The format with every token replaced, in the fixed order that makes "%%" an escape.
std::string ExpandTextFormat(const std::string& format, const CircleTextValues& values);

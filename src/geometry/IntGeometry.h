// Integer points and rectangles: pixel positions and the rectangles ellipses are drawn in.
#pragma once

#include <cstdint>

struct IntPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

// A rectangle whose right and bottom edges are excluded, as pixels and ellipses use it.
struct IntRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    friend bool operator==(const IntRect&, const IntRect&) = default;
};

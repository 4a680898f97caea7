// The check every export makes before it writes anything: geometry a file can hold.
#pragma once

#include "export/ExportStatus.h"

#include <cstdint>

class CCPCircleArray;

// NotFinite when a circle's centre or radius, or one of them scaled, is not a finite number
// (a packing that failed); Ok otherwise.
ExportStatus CheckGeometry(const CCPCircleArray& circles, double scale);

// CheckGeometry, and PictureTooLarge when the picture's half side (the rounded scale plus the
// outer line width and the margin) is not a positive whole number whose double still fits the
// 32-bit integers that EPS bounding boxes, bitmap sizes and metafile coordinates are made of.
ExportStatus CheckPicture(const CCPCircleArray& circles, double scale);

// Cairo, which writes the PDF and draws SVG in many viewers, holds device coordinates as 24.8
// fixed-point numbers (below 2^23): a vector picture's side stays below that.
constexpr std::int64_t kVectorMaxSide = 8000000;
// CheckPicture, and PictureTooLarge when the picture's side is beyond kVectorMaxSide.
ExportStatus CheckVectorPicture(const CCPCircleArray& circles, double scale);

// The shared pre-export check: finite circles and a picture of 32-bit size.
#include "export/PictureCheck.h"

#include "circles/CPCircleArray.h"

#include <cmath>
#include <cstdint>

namespace {

bool Finite(const CCPCircle& circle, double scale) {
    const double values[] = {circle.m_euclidCentre.x, circle.m_euclidCentre.y,
                             circle.m_euclidRadius};
    for (double v : values) {
        if (!std::isfinite(v) || !std::isfinite(scale * v)) {
            return false;
        }
    }
    return true;
}

} // namespace

ExportStatus CheckGeometry(const CCPCircleArray& circles, double scale) {
    for (int i = -1; i < circles.GetCount(); ++i) {
        if (!Finite(*circles.GetAt(i), scale)) {
            return ExportStatus::NotFinite;
        }
    }
    return ExportStatus::Ok;
}

ExportStatus CheckPicture(const CCPCircleArray& circles, double scale) {
    if (ExportStatus status = CheckGeometry(circles, scale); status != ExportStatus::Ok) {
        return status;
    }
    // The half side as GetExtent computes it, before it pins the value to 32 bits.
    const double rounded = RoundHalfAway(scale);
    if (!std::isfinite(rounded) || std::abs(rounded) > INT32_MAX) {
        return ExportStatus::PictureTooLarge;
    }
    const std::int64_t half =
        std::int64_t(rounded) + circles.m_outer.m_thickness + CCPCircleArray::ExtentMargin;
    return half >= 1 && 2 * half <= INT32_MAX ? ExportStatus::Ok : ExportStatus::PictureTooLarge;
}

ExportStatus CheckVectorPicture(const CCPCircleArray& circles, double scale) {
    if (ExportStatus status = CheckPicture(circles, scale); status != ExportStatus::Ok) {
        return status;
    }
    const IntRect extent = circles.GetExtent(scale);
    return std::int64_t(extent.right) - extent.left <= kVectorMaxSide
               ? ExportStatus::Ok
               : ExportStatus::PictureTooLarge;
}

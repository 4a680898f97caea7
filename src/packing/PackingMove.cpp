// Moving circles by disk isometries: the Euclidean circle as a Möbius image, the hyperbolic
// centre as a point.
#include "packing/PackingMove.h"

#include <cmath>

bool IsHorocycle(const CDiskCircle& circle) {
    // The layout sets a horocycle's point on the rim to within a unit in the last place; a
    // hyperbolic centre that near the rim is some 37 from the disk's centre.
    return circle.diskCentre.Abs() >= 1 - 1e-15;
}

CDiskCircle MoveCircle(const CDiskCircle& circle, const CDiskMove& move) {
    CDiskCircle moved;
    move.ApplyToCircle(circle.euclidCentre, circle.euclidRadius, moved.euclidCentre,
                       moved.euclidRadius);
    CDiskMove::Complex centre =
        move.Apply(CDiskMove::Complex(circle.diskCentre.x, circle.diskCentre.y));
    if (IsHorocycle(circle)) {
        CDiskMove::Complex rim = centre / std::abs(centre);
        moved.diskCentre = {double(rim.real()), double(rim.imag())};
        moved.euclidCentre = moved.diskCentre * (1 - moved.euclidRadius);
    } else {
        moved.diskCentre = {double(centre.real()), double(centre.imag())};
    }
    return moved;
}

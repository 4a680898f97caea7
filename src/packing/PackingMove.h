// Moving a laid-out packing by an isometry of the disk: every circle keeps its hyperbolic
// radius and its tangencies; horocycles stay horocycles, their point on the rim moving.
#pragma once

#include "geometry/DiskMove.h"
#include "packing/DiskPlacement.h"

// A circle whose hyperbolic centre is a point of the rim: the layout's horocycles keep the
// point where they touch the unit circle as their centre.
bool IsHorocycle(const CDiskCircle& circle);

// The image of a laid-out circle. A horocycle's image is put back onto the rim exactly, so
// that roundings never lift it off or push it out.
CDiskCircle MoveCircle(const CDiskCircle& circle, const CDiskMove& move);

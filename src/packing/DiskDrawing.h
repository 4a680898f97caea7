// Straight-line drawings of a triangulated disk without crossings, inside the unit circle:
// the ones the generated disks open with, so that they look like what they are before any
// packing run.
#pragma once

#include "geometry/DPoint.h"

#include <vector>

class CFanIndex;

// The triangular lattice: `centre` at the origin, every inner node's six neighbours at the
// corners of a regular hexagon around it, the whole scaled so that the farthest node lies on
// the unit circle. For disks whose inner nodes all have six neighbours (hexagonal disks);
// false, with `points` empty, for any other.
bool DrawOnLattice(const CFanIndex& fans, int centre, std::vector<CDPoint>& points);

// Tutte's barycentric drawing: the boundary nodes on the unit circle in their order around
// the disk, evenly spaced, and every inner node at the average of its neighbours, which one
// sparse linear solve finds. A disk with a convex boundary drawn so has no crossing and every
// triangle turns as the graph does. False, with `points` empty, when the boundary is not one
// cycle of outer nodes. May throw std::bad_alloc.
bool DrawBarycentric(const CFanIndex& fans, std::vector<CDPoint>& points);

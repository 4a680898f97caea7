// The layout of a converged packing by frames: each inner circle carries the isometry that
// takes the disk's centre to its own and +x towards the circle it was placed from.
//
// Placing a circle tangent to two placed ones magnifies their errors wherever a large circle
// is placed from two small ones, and over the hundreds of generations of a million-circle
// disk those magnifications multiply into gaps as wide as the circles. A frame is found from
// one neighbour's frame by a rotation through the angles of the fan, known from the radii,
// and a translation by the sum of the two radii: the roundings of each step only add up.
#pragma once

#include "geometry/DiskMove.h"
#include "packing/DiskPlacement.h"

#include <vector>

class CFanIndex;

// Places every node reachable from inner node p through inner nodes: p at the centre, q (a
// neighbour of p) straight along +y, the boundary neighbours of placed inner circles as
// horocycles; then all of it moved by `move`, which starts the frames where the move puts
// them rather than moving circles afterwards. Returns false, placing nothing, when p is not
// an inner node. `placed` marks the circles set.
bool LayOutByFrames(const CFanIndex& fans, const std::vector<long double>& radii, int p, int q,
                    std::vector<CWideCircle>& circles, std::vector<char>& placed,
                    const CDiskMove& move = {});

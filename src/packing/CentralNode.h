// Where a converged packing is centred: the circle nearest to all others keeps the smallest
// circles of the layout as large as they can be.
#pragma once

#include <vector>

class CFanIndex;

// The inner node from which the farthest inner node is nearest, measured along chains of
// touching inner circles (each step the sum of two hyperbolic radii), as a double sweep
// finds it: the farthest node from `start`, the farthest from that one, and the middle of the
// path between them. `start` (an inner node) stays when the middle is not more central. Its
// cost is three shortest-path searches over the inner nodes.
int FindCentralNode(const CFanIndex& fans, const std::vector<long double>& radii, int start);

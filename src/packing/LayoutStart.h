// Where the layout of a converged packing starts when it keeps a moved view: a node, one of
// its neighbours and the isometry that puts them back where a moved packing had them.
#pragma once

#include "geometry/DiskMove.h"

#include <vector>

class CCPNodeArray;
class CFanIndex;

// The layout puts inner node `centre` at the centre and its neighbour `up` straight along
// +y, then moves the whole by `move`. Without a centre the layout is the centred one.
struct CLayoutStart {
    int centre = -1;
    int up = -1;
    CDiskMove move;

    bool Given() const { return centre >= 0 && up >= 0; }
};

// From the circles of the last layout, as a move left them: the inner node whose hyperbolic
// centre is nearest the disk's centre, with its first laid-out neighbour, put back at the
// same place and in the same direction. Nothing when no inner circle was laid out.
CLayoutStart StartFromCircles(const CCPNodeArray& nodes, const CFanIndex& fans);

// The same read from the node positions, taken as the Euclidean centres of a converged
// packing at the given scale with the solved radii (a document from a file keeps no circles,
// only the positions its last packing gave the nodes): the inner node nearest the origin and
// its first inner neighbour, or its first neighbour as a horocycle.
CLayoutStart StartFromPositions(const CCPNodeArray& nodes, const CFanIndex& fans,
                                const std::vector<long double>& radii, double scale);

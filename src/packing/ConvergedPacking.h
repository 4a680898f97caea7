// Pack to Convergence: the maximal packing solved by Newton's method and laid out in the
// disk, computed from the graph alone so that it can run while the document stays as it is,
// then applied to the document in one go.
#pragma once

#include "packing/DiskPlacement.h"
#include "packing/LayoutStart.h"
#include "packing/MaximalPacking.h"

#include <string>
#include <vector>

class CCPNodeArray;
class CFanIndex;

struct CConvergedPacking {
    NewtonStatus status = NewtonStatus::Limit;
    int iterations = 0;
    double error = 0;                 // largest |angle sum - 2 pi| of the inner nodes
    std::vector<double> radii;        // per node, what its circle keeps as m_radius
    std::vector<CDiskCircle> circles; // per node, where the layout puts its circle
    int tooSmall = 0;                 // circles too small for doubles to place apart
};

// Which frame the layout of a converged packing takes.
struct CLayoutRequest {
    CLayoutStart start;        // when given, the layout starts there (a moved view kept)
    double positionsScale = 0; // otherwise, above 0: when the node positions are, at this
                               // scale, the packing's centres moved by an isometry, that move
                               // is kept (StartFromPositions); else the layout is centred
};

// Solves and lays out the maximal packing of the nodes to the given tolerance, starting from
// the circles' radii where they help. Boundary circles are laid out as horocycles; they keep
// as their radius the one Circle Packing's own search reaches against the solved inner radii
// (the first power of two whose angle sum is below the solver threshold), so that a following
// Circle Packing leaves them and the inner radii where they are. Refused (false, with the
// reason) when a node is not joined to an inner node or the graph is damaged; a cancelled
// solve returns true with status Cancelled and nothing laid out. May throw std::bad_alloc.
bool ComputeConvergedPacking(const CCPNodeArray& nodes, double tolerance,
                             const NewtonProgress& progress, CConvergedPacking& packing,
                             std::string& problem, const CLayoutRequest& request = {});

// The layout of a packing whose angle sums close, centred at the most central inner circle
// (FindCentralNode, from the node Circle Packing starts at) with its up-neighbour along +y:
// every further circle by frames from the centre through inner circles, and what those do not
// reach from the pair of placed neighbours nearest the centre; or, from a given start, the
// same from that node and neighbour, moved. An infinite radius is a horocycle. Nodes the
// layout cannot reach (only a graph that is not a disk has them) keep a circle of radius 0
// and are named in `unreached` when given.
std::vector<CDiskCircle> LayOutPacking(const CCPNodeArray& nodes, const CFanIndex& fans,
                                       const std::vector<long double>& radii,
                                       int* unreached = nullptr, const CLayoutStart& start = {});

// Whether every node position is, within a millionth of the scale, the Euclidean centre of
// its laid-out circle times the scale.
bool PositionsFollowCircles(const CCPNodeArray& nodes, const std::vector<CDiskCircle>& circles,
                            double scale);

// Whether a laid-out circle is too small beside its place in the disk for doubles to keep it
// apart from its neighbours: its radius is below a few units in the last place of its centre.
bool TooSmallForDoubles(const CDiskCircle& circle);

// The graph of a triangulated disk given as points and triangles, as readers of other
// formats, refinements and tilings produce it: nodes with their fans, edges with their flags
// and directions, and kinds, in the form the editor's own edits keep.
#pragma once

#include "geometry/DPoint.h"

#include <string>
#include <vector>

class CCPEdgeArray;
class CCPNodeArray;

// Three corners, indices into the points, turning in the positive sense of the model frame
// (from +x towards +y).
struct CTriangle {
    int a = 0;
    int b = 0;
    int c = 0;
};

// Fills the empty collections with one node per point (a new circle each, in the default
// style) and one edge per side, each node's edges in the order of its fan: closed fans make
// inner nodes, open ones start and end at the boundary. Returns an empty string, or the first
// fault that keeps the triangles from being a surface ("node 12 and node 40 are sides of 3
// triangles"), with the collections left empty. A graph built without fault still goes
// through FindDiskProblem, which tells whether it is one disk.
std::string BuildTriangleGraph(const std::vector<CDPoint>& points,
                               const std::vector<CTriangle>& triangles, CCPNodeArray& nodes,
                               CCPEdgeArray& edges);

// A finished packing checked as a picture: the figures that say whether its circles are
// sound, touch where the graph has edges, keep the graph's orientation and reach the rim.
#pragma once

#include <string>

class CCPEdgeArray;
class CCPNodeArray;

struct CPackingGeometry {
    int circles = 0;
    int unsound = 0;           // centre or radius not finite, radius not positive, or outside
                               // the closed unit disk (|centre| + radius > 1 + 1e-12)
    int unplacedNodes = 0;     // node position not finite
    double worstTangency = 0;  // largest |distance - (ra + rb)| / min(ra, rb) over the edges
    int flippedTriangles = 0;  // fan triangles whose circle centres turn the wrong way
    double worstRimGap = 0;    // largest (1 - |centre| - radius) / radius of an outer circle
    double smallestRadius = 0; // smallest Euclidean radius

    // Every circle sound, every node placed, no flipped triangle, tangency and rim gaps
    // within the given fractions of the radii.
    bool Holds(double tangency, double rimGap) const;
    std::string Describe() const;
};

// Measures the packing of the nodes' circles. Nodes or circles that are missing count as
// unsound; a triangle is a node with two consecutive neighbours of its fan (the closing pair
// too for an inner node), counted once per node.
CPackingGeometry MeasurePackingGeometry(const CCPNodeArray& nodes, const CCPEdgeArray& edges);

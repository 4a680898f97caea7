// How far a packing is from closing: the figures tessel-cli reports and the benchmark records.
#pragma once

class CCPNodeArray;

struct CPackingErrors {
    double innerError = 0.0;  // largest |angle-sum error| of the inner nodes
    double boundarySum = 0.0; // largest angle sum of the other nodes (ideally 0)
};

// From the current radii; an undefined angle sum makes its figure NaN.
CPackingErrors MeasurePackingErrors(const CCPNodeArray& nodes);

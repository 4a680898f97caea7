// Small graphs for the packing tests, built by the document's own edits.
#pragma once

#include "circles/CPCircle.h"
#include "document/TesselDoc.h"

#include <vector>

// The starting triangle P, Q, R with a node grown on P-Q and P closed: P (node 0) is inner
// with three outer neighbours.
void BuildOneInnerFan(CTesselDoc& doc);

// The inner nodes of the document, in collection order.
std::vector<CCPNode*> InnerNodes(const CTesselDoc& doc);

// Every node's hyperbolic radius, in collection order.
std::vector<double> Radii(const CTesselDoc& doc);

// Sets every node's circle to the same radius.
void SetAllRadii(CTesselDoc& doc, double radius);

// Puts a new inner node at the centroid of the triangle a, b, c (which turns in the positive
// sense, so that c follows b in a's fan) and joins it to the three: what no click can do, but
// repeated inside the same corner it crowds circles together as densely as wanted.
CCPNode* InsertNodeInTriangle(CTesselDoc& doc, CCPNode* a, CCPNode* b, CCPNode* c);

// The radius solver transcribed literally, with six exponentials per angle through
// CCPNode::CosAngle's formula: the reference the fast solver is measured and checked against.
#pragma once

class CCPNode;
class CCPNodeArray;

// SolveRadius with every angle sum evaluated by CCPNode::AngleSumError.
void SolveRadiusLiteral(CCPNode& node);

// SolveRadii with SolveRadiusLiteral.
void SolveRadiiLiteral(CCPNodeArray& nodes);

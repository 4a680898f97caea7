// The largest remaining angle errors of a packing.
#include "packing/PackingErrors.h"

#include "model/CPNodeArray.h"

#include <cmath>

namespace {

// The larger of the two, where NaN wins so that an undefined sum is never hidden.
double Worse(double largest, double value) {
    return std::isnan(largest) || !(value <= largest) ? value : largest;
}

} // namespace

CPackingErrors MeasurePackingErrors(const CCPNodeArray& nodes) {
    CPackingErrors errors;
    for (const CCPNode* node : nodes.m_array) {
        double error = node->AngleSumError();
        if (node->m_kind == Inner) {
            errors.innerError = Worse(errors.innerError, std::fabs(error));
        } else {
            errors.boundarySum = Worse(errors.boundarySum, error);
        }
    }
    return errors;
}

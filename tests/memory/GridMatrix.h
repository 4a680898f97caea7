// The sparse matrix the memory tests factorise: small, definite, and with enough fill for
// dense supernodes, so that the factorisation reaches the BLAS.
#pragma once

#include "packing/SparseCholesky.h"

#include <Eigen/Sparse>
#include <vector>

// The lower triangle of the grid Laplacian plus the identity, side x side unknowns.
inline CSparseCholesky::Matrix GridMatrix(int side) {
    std::vector<Eigen::Triplet<double, int>> entries;
    for (int i = 0; i < side * side; ++i) {
        entries.emplace_back(i, i, 5.0);
        if (i % side > 0) {
            entries.emplace_back(i, i - 1, -1.0);
        }
        if (i >= side) {
            entries.emplace_back(i, i - side, -1.0);
        }
    }
    CSparseCholesky::Matrix lower(side * side, side * side);
    lower.setFromTriplets(entries.begin(), entries.end());
    return lower;
}

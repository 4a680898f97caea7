// The sparse Cholesky factor of a symmetric positive definite matrix, on CHOLMOD and the BLAS,
// set up so that running out of memory throws std::bad_alloc: the libraries neither crash,
// nor retry for ever, nor print their own messages.
#pragma once

#include <Eigen/Core>
#include <Eigen/SparseCore>
#include <memory>

class CSparseCholesky {
public:
    using Matrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

    CSparseCholesky();
    ~CSparseCholesky();
    CSparseCholesky(const CSparseCholesky&) = delete;
    CSparseCholesky& operator=(const CSparseCholesky&) = delete;

    // Orders the pattern of the matrix whose lower triangle is `lower` and finds its factor's
    // structure. Supernodal factors work on dense blocks through the BLAS and pay off on
    // large matrices; simplicial ones use no BLAS.
    void Analyze(const Matrix& lower, bool supernodal);
    // The numeric factor of a matrix with the analysed pattern; false when it is not
    // positive definite or no analysis succeeded.
    bool Factorize(const Matrix& lower);
    // x with A x = b by the factor of the last Factorize, which must have succeeded; NaN
    // where the library could not solve.
    Eigen::VectorXd Solve(const Eigen::VectorXd& b);
    // All three throw std::bad_alloc when memory runs out.

private:
    struct CLibrary;
    std::unique_ptr<CLibrary> m_library;
    bool m_supernodal = false;
};

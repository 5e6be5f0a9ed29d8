#pragma once
#include <vector>

// A square banded matrix with kl sub- and ku super-diagonals, factorised in
// place by Gaussian elimination with partial pivoting (row interchanges), the
// method of LAPACK's dgbtrf/dgbtrs. Row interchanges widen the upper band to
// ku + kl, so each row keeps room for that many entries right of the diagonal.
class BandMatrix {
public:
    // An n x n zero matrix with the given half-bandwidths.
    BandMatrix(int n, int kl, int ku);

    // The order of the matrix.
    int Size() const { return n_; }
    // Entry (i, j); j - i must lie in -kl..ku.
    double& At(int i, int j) { return data_[Index(i, j)]; }
    // Adds v to entry (i, j).
    void Add(int i, int j, double v) { data_[Index(i, j)] += v; }
    // Sets every entry to 0 (a new system of the same order).
    void Clear();
    // Clears row i and sets its diagonal to 1 (for a row that fixes one unknown).
    void SetIdentityRow(int i);
    // The largest absolute entry, the scale for the singularity test.
    double MaxAbs() const;

    // Factorises in place. Returns false when a pivot is at most `tiny` times
    // the largest entry of the original matrix (the system is singular).
    bool Factorise(double tiny = 1e-14);
    // Solves A x = b with the factors; b is overwritten by x.
    void Solve(std::vector<double>& b) const;

private:
    int Index(int i, int j) const { return i * width_ + (j - i + kl_); }

    int n_, kl_, ku_, width_;
    std::vector<double> data_;
    std::vector<int> pivot_;
    std::vector<int> reach_;  // the last column row k of U reaches
};

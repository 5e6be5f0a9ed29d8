#include "engine/BandMatrix.h"

#include <algorithm>
#include <cmath>
#include <utility>

BandMatrix::BandMatrix(int n, int kl, int ku)
    : n_(n), kl_(kl), ku_(ku), width_(2 * kl + ku + 1), data_(static_cast<size_t>(n) * width_, 0.0), pivot_(n, 0), reach_(n, 0)
{
}

void BandMatrix::Clear()
{
    std::fill(data_.begin(), data_.end(), 0.0);
}

void BandMatrix::SetIdentityRow(int i)
{
    std::fill(data_.begin() + static_cast<long>(i) * width_, data_.begin() + static_cast<long>(i + 1) * width_, 0.0);
    At(i, i) = 1.0;
}

double BandMatrix::MaxAbs() const
{
    // Four running maxima, so that the comparisons need not wait on each other.
    double m[4] = {0, 0, 0, 0};
    const size_t size = data_.size(), whole = size - size % 4;
    for (size_t i = 0; i < whole; i += 4)
        for (int k = 0; k < 4; ++k)
            m[k] = std::max(m[k], std::fabs(data_[i + k]));
    for (size_t i = whole; i < size; ++i)
        m[0] = std::max(m[0], std::fabs(data_[i]));
    return std::max(std::max(m[0], m[1]), std::max(m[2], m[3]));
}

bool BandMatrix::Factorise(double tiny)
{
    const double threshold = tiny * MaxAbs();
    // Row i as a pointer indexed by the column: row(i)[j] is entry (i, j).
    auto row = [this](int i) { return data_.data() + static_cast<long>(i) * width_ + kl_ - i; };
    // The last column that the rows of U reach so far (LAPACK's ju): beyond it the
    // rows hold zeros, which the elimination would only subtract as zeros.
    int reach = 0;
    for (int k = 0; k < n_; ++k) {
        const int last = std::min(n_ - 1, k + kl_);
        int p = k;
        double largest = std::fabs(row(k)[k]);
        for (int i = k + 1; i <= last; ++i)
            if (std::fabs(row(i)[k]) > largest) {
                largest = std::fabs(row(i)[k]);
                p = i;
            }
        pivot_[k] = p;
        const double pivot = row(p)[k];
        if (!(std::fabs(pivot) > threshold))
            return false;
        // After the interchange, row k may reach ku + kl places right of the diagonal.
        reach = std::max(reach, std::min(n_ - 1, p + ku_));
        reach_[k] = reach;
        const int right = reach;
        double* rk = row(k);
        if (p != k) {
            double* rp = row(p);
            for (int j = k; j <= right; ++j)
                std::swap(rk[j], rp[j]);
        }
        for (int i = k + 1; i <= last; ++i) {
            double* ri = row(i);
            double& lik = ri[k];
            if (lik == 0.0)
                continue;
            lik /= pivot;
            const double l = lik;
            for (int j = k + 1; j <= right; ++j)
                ri[j] -= l * rk[j];
        }
    }
    return true;
}

void BandMatrix::Solve(std::vector<double>& b) const
{
    auto row = [this](int i) { return data_.data() + static_cast<long>(i) * width_ + kl_ - i; };
    // Forward: apply the interchanges and the unit lower factor in elimination order.
    for (int k = 0; k < n_; ++k) {
        if (pivot_[k] != k)
            std::swap(b[k], b[pivot_[k]]);
        const int last = std::min(n_ - 1, k + kl_);
        for (int i = k + 1; i <= last; ++i)
            b[i] -= row(i)[k] * b[k];
    }
    // Backward with the upper factor.
    for (int k = n_ - 1; k >= 0; --k) {
        const int right = reach_[k];
        const double* rk = row(k);
        double s = b[k];
        for (int j = k + 1; j <= right; ++j)
            s -= rk[j] * b[j];
        b[k] = s / rk[k];
    }
}

// The band LU with partial pivoting against the residual of random systems.
#include "engine/BandMatrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// Random band matrices whose rows need interchanges (small diagonals), and the
// same matrices made diagonally dominant: A x reproduces b.
TEST(BandMatrix, SolvesRandomBandedSystems)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> value(-1, 1);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 5 + trial % 40, kl = 4, ku = 4;
        std::vector<std::vector<double>> dense(n, std::vector<double>(n, 0.0));
        BandMatrix a(n, kl, ku);
        for (int i = 0; i < n; ++i)
            for (int j = std::max(0, i - kl); j <= std::min(n - 1, i + ku); ++j) {
                double v = value(random);
                if (i == j)
                    v = trial % 2 ? 10 + v : 1e-3 * v;
                a.At(i, j) = dense[i][j] = v;
            }
        std::vector<double> b(n), x;
        for (double& v : b)
            v = value(random);
        x = b;
        ASSERT_TRUE(a.Factorise()) << "trial " << trial;
        a.Solve(x);
        for (int i = 0; i < n; ++i) {
            double r = -b[i];
            for (int j = 0; j < n; ++j)
                r += dense[i][j] * x[j];
            EXPECT_NEAR(r, 0, 1e-9) << "trial " << trial << ", row " << i;
        }
    }
}

}  // namespace

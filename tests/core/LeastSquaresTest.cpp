#include "core/model/LeastSquares.h"
#include "core/maintenance/MeasurementConversion.h"
#include "core/model/MotorCurves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace airmotor::core;

namespace {
namespace least_squares_test {

using Matrix = std::vector<std::vector<float>>;

// Points stored from index 1, as the callers keep them.
struct Points {
    std::vector<float> x{0.0f};
    std::vector<float> y{0.0f};
    int n = 0;
    void add(float xv, float yv) {
        x.push_back(xv);
        y.push_back(yv);
        ++n;
    }
};

Points Sample(std::initializer_list<float> xs, const std::function<double(double)>& f) {
    Points p;
    for (float xv : xs) {
        p.add(xv, static_cast<float>(f(xv)));
    }
    return p;
}

Matrix Product(const Matrix& a, const Matrix& b) {
    Matrix r(a.size(), std::vector<float>(b[0].size(), 0.0f));
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b[0].size(); ++j)
            for (std::size_t k = 0; k < b.size(); ++k)
                r[i][j] += a[i][k] * b[k][j];
    return r;
}

void ExpectIdentity(const Matrix& m, float tolerance) {
    for (std::size_t i = 0; i < m.size(); ++i)
        for (std::size_t j = 0; j < m.size(); ++j)
            EXPECT_NEAR(m[i][j], i == j ? 1.0f : 0.0f, tolerance) << i << ',' << j;
}

// Exact polynomials are recovered; tolerances reflect single-precision normal equations.
TEST(FitPolynomial, RecoversExactPolynomialsAndTheLeastSquaresLine) {
    const struct {
        int degree;
        Points points;
        std::vector<double> coefficients;
        double tolerance; // relative to the largest coefficient
    } cases[] = {
        {1, Sample({1, 2, 3}, [](double x) { return 2 + 3 * x; }), {2, 3}, 1e-5},
        // Scattered points: the least-squares line, not an interpolation.
        {1,
         Sample({0, 1, 2, 3},
                [](double x) {
                    return std::vector{1.0, 2.0, 2.0, 4.0}[std::size_t(x)];
                }),
         {0.9, 0.9},
         1e-5},
        // x = 0 contributes 1 to the x^0 sums (0^0 = 1).
        {4,
         Sample({-1, -0.5f, 0, 0.5f, 1, 1.5f}, [](double x) { return 3 + x - x * x * x * x; }),
         {3, 1, 0, 0, -1},
         2e-3},
        // Degree 0 is never singular with points: the mean, even where every point has the same x.
        {0, Sample({2, 2, 2, 2}, [](double) { return 7.0; }), {7}, 0},
    };
    for (const auto& k : cases) {
        const std::vector<float> c = FitPolynomial(k.points.x, k.points.y, k.points.n, k.degree);
        ASSERT_EQ(c.size(), k.coefficients.size()) << "degree " << k.degree;
        double largest = 0;
        for (double v : k.coefficients)
            largest = std::max(largest, std::fabs(v));
        for (std::size_t i = 0; i < c.size(); ++i) {
            EXPECT_NEAR(c[i], k.coefficients[i], k.tolerance * largest) << "degree " << k.degree << " c" << i;
        }
    }
}

// Sums kept in single precision are part of the result: a double accumulation would give
// 0x1.76ffc8p+11, -0x1.67ffp+7, -0x1.b37p+0 (values from an independent single-precision model).
TEST(FitPolynomial, SinglePrecisionAccumulationToTheLastBit) {
    const float xs[] = {0.0f,           0x1.5eb852p+0f, 0x1.747ae2p+1f, 0x1.033334p+2f,
                        0x1.6p+2f,      0x1.b51eb8p+2f, 0x1.033334p+3f, 0x1.2d70a4p+3f,
                        0x1.58a3d8p+3f, 0x1.89999ap+3f, 0x1.b33334p+3f};
    const float ys[] = {0x1.77p+11f,     0x1.57cad0p+11f, 0x1.33e12ap+11f, 0x1.18cdfep+11f,
                        0x1.ebb934p+10f, 0x1.aace90p+10f, 0x1.6c423ep+10f, 0x1.2ad5f2p+10f,
                        0x1.cf564ap+9f,  0x1.36ecd8p+9f,  0x1.6b573ap+8f};
    Points p;
    for (std::size_t k = 0; k < std::size(xs); ++k)
        p.add(xs[k], ys[k]);
    EXPECT_EQ(FitPolynomial(p.x, p.y, p.n, 3),
              (std::vector<float>{0x1.76ffap+11f, -0x1.67fdp+7f, -0x1.b3ap+0f, 0x1.9a4p-5f}));
}

// At least degree + 2 points, and a regular normal matrix; otherwise zero coefficients, dimensioned
// 0..degree: never NaN, never a crash.
TEST(FitPolynomial, TooFewPointsOrASingularSystemGiveZeros) {
    const auto line = [](double x) { return 2 + 3 * x; };
    const auto quartic = [](double x) { return 1 + x * x * x * x; };
    const auto seven = [](double) { return 7.0; };
    Points negative = Sample({1, 2, 3}, line);
    negative.n = -4;
    const struct {
        Points points;
        int degree;
        const char* what;
    } cases[] = {
        {Sample({1, 2}, line), 1, "line through 2 points"},
        {Sample({1, 2, 3, 4, 5}, quartic), 4, "quartic through 5 points"},
        {Sample({3}, line), 0, "constant from 1 point"},
        {Points{}, 0, "no points"},
        {negative, 1, "negative count"},
        {Sample({2, 2, 2, 2}, seven), 1, "all points at one x"},
        {Sample({0, 0, 0}, seven), 1, "all points at x = 0"},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(FitPolynomial(k.points.x, k.points.y, k.points.n, k.degree),
                  std::vector<float>(static_cast<std::size_t>(k.degree) + 1, 0.0f))
            << k.what;
    }
    const Points six = Sample({1, 2, 3, 4, 5, 6}, quartic);
    EXPECT_NEAR(FitPolynomial(six.x, six.y, six.n, 4)[4], 1.0f, 0.05f);
    // A count beyond the arrays is limited to them; a negative degree gives nothing.
    const std::vector<float> c = FitPolynomial(negative.x, negative.y, 50, 1);
    EXPECT_NEAR(c.at(0), 2.0f, 1e-5f);
    EXPECT_NEAR(c.at(1), 3.0f, 1e-5f);
    EXPECT_TRUE(FitPolynomial(negative.x, negative.y, 3, -1).empty());
}

TEST(InvertMatrix, InvertsWhereverThePivotIs) {
    const Matrix cases[] = {
        {{0, 1}, {1, 0}},                  // pivot off the diagonal
        {{2, 9, 1}, {0, 1, 8}, {7, 3, 4}}, // every step pivots off the diagonal
        {{5}},
    };
    for (const Matrix& a : cases) {
        Matrix inverse = a;
        ASSERT_TRUE(InvertMatrix(inverse));
        ExpectIdentity(Product(a, inverse), 1e-5f); // a square matrix's right inverse is its left one too
    }
}

// Equal magnitudes: the first met (lower row, then lower column) is the pivot. Here 7 appears at
// (1,1), (1,2) and (2,0); choosing the last of them gives a different last bit in five elements.
TEST(InvertMatrix, PivotTiesKeepTheFirstElement) {
    Matrix a = {{-1, -2, 2}, {-2, 7, 7}, {7, 5, 1}};
    ASSERT_TRUE(InvertMatrix(a));
    const Matrix expected = {{0x1.2aaaaap-3f, -0x1p-4f, 0x1.2aaaaap-3f},
                             {-0x1.1p-2f, 0x1.4p-4f, -0x1.fffff8p-7f},
                             {0x1.3aaaaap-2f, 0x1.800004p-5f, 0x1.d55552p-5f}};
    EXPECT_EQ(a, expected);
}

TEST(InvertMatrix, SingularOrMalformedIsRefusedAndLeftAlone) {
    const Matrix cases[] = {
        {{1, 2}, {2, 4}},
        {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, // exactly singular in float too
        {{1, 2}, {3}},                     // not square
    };
    for (const Matrix& a : cases) {
        Matrix m = a;
        EXPECT_FALSE(InvertMatrix(m));
        EXPECT_EQ(m, a);
    }
    Matrix empty;
    EXPECT_TRUE(InvertMatrix(empty));
}

TEST(MatrixTimesVector, ProductAndMismatchedBounds) {
    const Matrix a = {{1, 2, 3}, {4, 5, 6}};
    EXPECT_EQ(MatrixTimesVector(a, {1, 0, -1}), (std::vector<float>{-2, -2}));
    EXPECT_EQ(MatrixTimesVector(a, {1, 1}), (std::vector<float>{0, 0}));
    EXPECT_EQ(MatrixTimesVector(a, {1, 1, 1, 1}), (std::vector<float>{0, 0}));
}

// A power still rising at the end of the drawn range has its maximum at the last sample, which the
// figures must reach as the plotted curve does.
TEST(DrawnCurveFigures, MaximumAtTheEndOfTheRangeIsTheLastSample) {
    const CurveFits constantTorque{3, 3, {10.0f, 0.0f, 0.0f, 0.0f}, {5.0f, 0.0f, 0.0f, 0.0f}};
    const CurveFigures f = DrawnCurveFigures(constantTorque, 3000.0f, 1000.0f, 2000.0f);
    EXPECT_FLOAT_EQ(f.speedAtMaxPower, 2000.0f);
    EXPECT_FLOAT_EQ(f.maxPower, PowerAt(10.0f, 2000.0f));
    EXPECT_FLOAT_EQ(f.airAtMaxPower, 5.0f);
    // Torque 4 - n/256 from the maximum power at 512 to its zero at 1024: the free speed is found at
    // the zero, not where halving first meets a round value (1 Nm at 768).
    const CurveFits linear{1, 1, {4.0f, -1.0f / 256.0f}, {5.0f}};
    EXPECT_NEAR(DrawnCurveFigures(linear, 1000.0f, 512.0f, 1024.0f).freeSpeed, 1024.0f, 0.01f);
    // A range that ends where it starts draws nothing and has no figures.
    const CurveFigures none = DrawnCurveFigures(constantTorque, 3000.0f, 2000.0f, 2000.0f);
    EXPECT_EQ(std::pair(none.maxPower, none.speedAtMaxPower), std::pair(0.0f, 0.0f));
}

} // namespace least_squares_test
} // namespace

#pragma once

#include <vector>

namespace airmotor::core {

// Unweighted least-squares polynomial of the given degree through points x[1..n], y[1..n]
// (index 0 unused). Returns coefficients 0..degree; all zero when the normal matrix is singular.
std::vector<float> FitPolynomial(const std::vector<float>& x, const std::vector<float>& y, int n, int degree);

// Gauss-Jordan inversion in single precision of a square matrix; false when singular.
bool InvertMatrix(std::vector<std::vector<float>>& matrix);
std::vector<float> MatrixTimesVector(const std::vector<std::vector<float>>& matrix,
                                     const std::vector<float>& v);

} // namespace airmotor::core

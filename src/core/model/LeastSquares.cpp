#include "core/model/LeastSquares.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace airmotor::core {

namespace {

using Matrix = std::vector<std::vector<float>>;

bool IsSquare(const Matrix& matrix) {
    return std::all_of(matrix.begin(), matrix.end(),
                       [&](const std::vector<float>& row) { return row.size() == matrix.size(); });
}

void SwapColumns(Matrix& w, std::size_t a, std::size_t b) {
    for (std::vector<float>& row : w) {
        std::swap(row[a], row[b]);
    }
}

} // namespace

std::vector<float> FitPolynomial(const std::vector<float>& x, const std::vector<float>& y, int n,
                                 int degree) {
    if (degree < 0) {
        return {};
    }
    const auto size = static_cast<std::size_t>(degree) + 1;
    std::vector<float> coefficients(size, 0.0f);

    // Points live at 1..n; a count beyond the arrays is limited to the points that exist.
    const std::size_t stored = std::min(x.size(), y.size());
    const int available = stored > 0 ? static_cast<int>(stored - 1) : 0;
    const int points = std::clamp(n, 0, available);
    // At least degree + 2 points: an interpolating polynomial through degree + 1 points says
    // nothing about measurement scatter, so it is refused like too few points.
    if (points - 2 < degree) {
        return coefficients;
    }

    // Normal equations. Powers and products in double, every running sum kept in float: the
    // stored catalogue coefficients were fitted this way.
    Matrix normal(size, std::vector<float>(size, 0.0f));
    std::vector<float> rhs(size, 0.0f);
    for (std::size_t i = 0; i < size; ++i) {
        for (std::size_t j = i; j < size; ++j) {
            float sum = 0.0f;
            for (int k = 1; k <= points; ++k) {
                const double xk = static_cast<double>(x[static_cast<std::size_t>(k)]);
                sum = static_cast<float>(static_cast<double>(sum) + std::pow(xk, static_cast<double>(i)) *
                                                                        std::pow(xk, static_cast<double>(j)));
            }
            normal[i][j] = sum;
            normal[j][i] = sum;
        }
        float sum = 0.0f;
        for (int k = 1; k <= points; ++k) {
            const auto kk = static_cast<std::size_t>(k);
            sum = static_cast<float>(static_cast<double>(sum) +
                                     std::pow(static_cast<double>(x[kk]), static_cast<double>(i)) *
                                         static_cast<double>(y[kk]));
        }
        rhs[i] = sum;
    }

    // A singular system (all points at one x, for instance) has no fit: zero coefficients, as for
    // too few points, instead of infinities and NaN.
    if (!InvertMatrix(normal)) {
        return coefficients;
    }
    return MatrixTimesVector(normal, rhs);
}

bool InvertMatrix(std::vector<std::vector<float>>& matrix) {
    if (!IsSquare(matrix)) {
        return false;
    }
    const std::size_t size = matrix.size();
    Matrix w = matrix; // the caller's matrix stays untouched when the inversion fails
    std::vector<std::size_t> rowIndex(size);
    std::vector<std::size_t> colIndex(size);
    for (std::size_t k = 0; k < size; ++k) {
        rowIndex[k] = k;
        colIndex[k] = k;
    }

    for (std::size_t k = 0; k < size; ++k) {
        // Full pivoting; only a strictly larger magnitude replaces the best, so on ties the
        // lower row wins, then the lower column.
        float best = 0.0f;
        std::size_t pr = k;
        std::size_t pc = k;
        for (std::size_t i = k; i < size; ++i) {
            for (std::size_t j = k; j < size; ++j) {
                if (std::fabs(w[i][j]) > best) {
                    best = std::fabs(w[i][j]);
                    pr = i;
                    pc = j;
                }
            }
        }
        if (best == 0.0f) {
            return false;
        }
        if (pr != k) {
            std::swap(w[pr], w[k]);
            rowIndex[k] = pr;
        }
        if (pc != k) {
            SwapColumns(w, pc, k);
            colIndex[k] = pc;
        }
        const float pivot = w[k][k];
        for (std::size_t i = 0; i < size; ++i) {
            if (i != k) {
                w[i][k] = w[i][k] / -pivot;
            }
        }
        for (std::size_t i = 0; i < size; ++i) {
            if (i == k) {
                continue;
            }
            for (std::size_t j = 0; j < size; ++j) {
                if (j != k) {
                    w[i][j] = w[i][j] + w[i][k] * w[k][j];
                }
            }
        }
        for (std::size_t j = 0; j < size; ++j) {
            if (j != k) {
                w[k][j] = w[k][j] / pivot;
            }
        }
        w[k][k] = 1.0f / pivot;
    }

    // The inverse of the permuted matrix, permuted back: swaps undone in reverse order, a row
    // swap of the input becoming a column swap of the inverse and vice versa.
    for (std::size_t k = size; k-- > 0;) {
        if (rowIndex[k] != k) {
            SwapColumns(w, rowIndex[k], k);
        }
        if (colIndex[k] != k) {
            std::swap(w[colIndex[k]], w[k]);
        }
    }
    matrix = std::move(w);
    return true;
}

std::vector<float> MatrixTimesVector(const std::vector<std::vector<float>>& matrix,
                                     const std::vector<float>& v) {
    std::vector<float> result(matrix.size(), 0.0f);
    // Mismatched bounds give no product: the result stays zero.
    const bool matching = std::all_of(matrix.begin(), matrix.end(),
                                      [&](const std::vector<float>& row) { return row.size() == v.size(); });
    if (!matching) {
        return result;
    }
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        float sum = 0.0f;
        for (std::size_t j = 0; j < v.size(); ++j) {
            sum = sum + matrix[i][j] * v[j];
        }
        result[i] = sum;
    }
    return result;
}

} // namespace airmotor::core

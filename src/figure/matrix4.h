#pragma once
// 4x4 matrices in the layout the graphics library returns its model-view
// matrix in (column-major: element 4c + r is row r of column c), and their
// inverse.

#include <array>

#include "os/exception.h"

namespace corvane {

using Matrix4 = std::array<double, 16>;

CORVANE_DECLARE_EXCEPTION(EDetMatrixZero);

inline constexpr Matrix4 kIdentity4 = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Determinant of a row-major 3x3 matrix.
double Det3(const double a[9]);
// Signed minor of element (r, c), the elements taken as m[4r + c].
double Cofactor4(int r, int c, const Matrix4& m);
// Raises EDetMatrixZero "Determinant of matrix is equal to zero." when the
// determinant is 0 or not a number.
Matrix4 InvertMatrix4(const Matrix4& m);

}  // namespace corvane

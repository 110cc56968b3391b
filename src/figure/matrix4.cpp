#include "figure/matrix4.h"

namespace corvane {

double Det3(const double a[9]) {
  return a[0] * a[4] * a[8] + a[1] * a[5] * a[6] + a[2] * a[3] * a[7] - a[0] * a[5] * a[7] -
         a[1] * a[3] * a[8] - a[2] * a[4] * a[6];
}

double Cofactor4(int r, int c, const Matrix4& m) {
  double minor[9];
  int n = 0;
  for (int i = 0; i < 4; ++i) {
    if (i == r) continue;
    for (int j = 0; j < 4; ++j)
      if (j != c) minor[n++] = m[static_cast<size_t>(4 * i + j)];
  }
  const double det = Det3(minor);
  return (r + c) % 2 ? -det : det;
}

Matrix4 InvertMatrix4(const Matrix4& m) {
  long double sum = 0;
  for (int j = 0; j < 4; ++j) sum += static_cast<long double>(m[static_cast<size_t>(j)]) * Cofactor4(0, j, m);
  const double det = static_cast<double>(sum);
  if (det == 0.0 || det != det) throw EDetMatrixZero("Determinant of matrix is equal to zero.");
  const double k = 1.0 / det;
  Matrix4 result;
  // The transposed cofactor matrix: the inverse in either storage order.
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) result[static_cast<size_t>(4 * c + r)] = Cofactor4(r, c, m) * k;
  return result;
}

}  // namespace corvane

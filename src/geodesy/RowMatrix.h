#pragma once
// Small dense matrices held as an array of row pointers (long double).
// A matrix is created with MatrixCreate (or MatrixMultiply) and released with
// MatrixFree; the creator owns it.

namespace skerra {

// rows x cols, every element 0.
long double** MatrixCreate(int rows, int cols);

// Gauss-Jordan inversion in place, without pivoting: m holds its inverse
// afterwards as long as no pivot met is zero. Returns m.
long double** MatrixInvert(long double** m, int n);

// A (rowsA x colsA) times B (rowsB x colsB): a new rowsA x colsB matrix. The
// inner sum runs over rowsB; the caller keeps colsA equal to rowsB.
long double** MatrixMultiply(long double** a, int rowsA, int colsA,
                             long double** b, int rowsB, int colsB);

void MatrixFree(long double** m, int rows);

}  // namespace skerra

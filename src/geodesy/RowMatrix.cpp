#include "geodesy/RowMatrix.h"

namespace skerra {

long double** MatrixCreate(int rows, int cols)
{
    auto** m = new long double*[rows];
    for (int r = 0; r < rows; ++r)
        m[r] = new long double[cols]();
    return m;
}

long double** MatrixInvert(long double** m, int n)
{
    for (int i = 0; i < n; ++i) {
        const long double p = -1 / m[i][i];
        m[i][i] = p;
        for (int j = 0; j < n; ++j)
            if (j != i)
                m[j][i] *= p;
        for (int j = 0; j < n; ++j) {
            if (j == i)
                continue;
            for (int k = 0; k < n; ++k)
                if (k != i)
                    m[j][k] += m[j][i] * m[i][k];
        }
        for (int k = 0; k < n; ++k)
            if (k != i)
                m[i][k] *= p;
    }
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            m[r][c] = -m[r][c];
    return m;
}

long double** MatrixMultiply(long double** a, int rowsA, int /*colsA*/,
                             long double** b, int rowsB, int colsB)
{
    long double** p = MatrixCreate(rowsA, colsB);
    for (int r = 0; r < rowsA; ++r)
        for (int c = 0; c < colsB; ++c) {
            long double sum = 0;
            for (int k = 0; k < rowsB; ++k)
                sum += a[r][k] * b[k][c];
            p[r][c] = sum;
        }
    return p;
}

void MatrixFree(long double** m, int rows)
{
    if (!m)
        return;
    for (int r = 0; r < rows; ++r)
        delete[] m[r];
    delete[] m;
}

}  // namespace skerra

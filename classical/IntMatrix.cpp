// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/IntMatrix.h"

namespace ravelon {

TIntMatrix Transposed(const TIntMatrix& M) {
    TIntMatrix t(M.N);
    for (int r = 0; r < M.N; ++r)
        for (int c = 0; c < M.N; ++c) t(c, r) = M(r, c);
    return t;
}

TIntMatrix PlusTransposed(const TIntMatrix& M, int Sign) {
    TIntMatrix s(M.N);
    for (int r = 0; r < M.N; ++r)
        for (int c = 0; c < M.N; ++c) s(r, c) = M(r, c) + Sign * M(c, r);
    return s;
}

}  // namespace ravelon

// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/SparseMatrix.h"

#include <algorithm>
#include <tuple>

namespace ravelon {

TSparseMatrix Combined(const TSparseMatrix& M, std::int64_t A, std::int64_t B) {
    std::vector<TMatrixEntry> all;
    all.reserve(2 * M.Entries.size());
    for (const TMatrixEntry& e : M.Entries) {
        all.push_back({e.Row, e.Column, A * e.Value});
        all.push_back({e.Column, e.Row, B * e.Value});
    }
    std::sort(all.begin(), all.end(),
              [](const TMatrixEntry& x, const TMatrixEntry& y) { return std::tie(x.Row, x.Column) < std::tie(y.Row, y.Column); });
    TSparseMatrix out{M.N, {}};
    for (const TMatrixEntry& e : all) {
        if (!out.Entries.empty() && out.Entries.back().Row == e.Row && out.Entries.back().Column == e.Column)
            out.Entries.back().Value += e.Value;
        else
            out.Entries.push_back(e);
    }
    std::erase_if(out.Entries, [](const TMatrixEntry& e) { return e.Value == 0; });
    return out;
}

}  // namespace ravelon

#include "text/EditDistance.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace {

// Rows this long live on the stack: every stored word is shorter.
constexpr int kShortText = 64;

int Distance(std::string_view a, std::string_view b, int limit, int* twoUp, int* up, int* row)
{
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    const int far = limit + 1;
    // Only the cells within `limit` of the diagonal can stay within `limit`: the others count as
    // `far`, and a row whose cells all exceed it ends the count.
    for (int j = 0; j <= m; ++j)
        up[j] = std::min(j, far);
    std::fill(twoUp, twoUp + m + 1, far);
    for (int i = 1; i <= n; ++i) {
        const int from = std::max(1, i - limit);
        const int to = std::min(m, i + limit);
        row[0] = std::min(i, far);
        if (from > 1)
            row[from - 1] = far;
        int best = row[0] <= limit && from == 1 ? row[0] : far;
        for (int j = from; j <= to; ++j) {
            int cell = std::min({up[j] + 1, row[j - 1] + 1, up[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                cell = std::min(cell, twoUp[j - 2] + 1);
            row[j] = std::min(cell, far);
            best = std::min(best, row[j]);
        }
        if (to < m)
            row[to + 1] = far;
        if (best > limit)
            return far;
        int* const oldest = twoUp;
        twoUp = up;
        up = row;
        row = oldest;
    }
    return up[m];
}

} // namespace

int EditDistance(std::string_view a, std::string_view b, int limit)
{
    const int m = static_cast<int>(b.size());
    if (std::abs(static_cast<int>(a.size()) - m) > limit)
        return limit + 1;
    // Three rows of the table: the one two above (for swaps), the one above and this one.
    if (m < kShortText) {
        std::array<int, 3 * (kShortText + 1)> rows;
        return Distance(a, b, limit, rows.data(), rows.data() + (m + 1), rows.data() + 2 * (m + 1));
    }
    std::vector<int> rows(3 * static_cast<std::size_t>(m + 1));
    return Distance(a, b, limit, rows.data(), rows.data() + (m + 1), rows.data() + 2 * (m + 1));
}

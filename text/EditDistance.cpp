#include "text/EditDistance.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

int EditDistance(std::string_view a, std::string_view b, int limit)
{
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    if (std::abs(n - m) > limit)
        return limit + 1;
    // Three rows of the table: the one two above (for swaps), the one above and this one.
    std::vector<int> rows(3 * static_cast<std::size_t>(m + 1));
    int* twoUp = rows.data();
    int* up = twoUp + (m + 1);
    int* row = up + (m + 1);
    for (int j = 0; j <= m; ++j)
        up[j] = j;
    for (int i = 1; i <= n; ++i) {
        row[0] = i;
        int best = row[0];
        for (int j = 1; j <= m; ++j) {
            int cell = std::min({up[j] + 1, row[j - 1] + 1, up[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                cell = std::min(cell, twoUp[j - 2] + 1);
            row[j] = cell;
            best = std::min(best, cell);
        }
        if (best > limit)
            return limit + 1;
        int* const oldest = twoUp;
        twoUp = up;
        up = row;
        row = oldest;
    }
    return std::min(up[m], limit + 1);
}

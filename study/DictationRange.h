#pragma once
// Record numbers of the dictation range are sums of a record number and a group count that the
// registry may hold at any 32-bit value; they are kept inside int instead of overflowing.

#include <algorithm>
#include <climits>

inline int ClampRecNo(long long n)
{
    return static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX));
}

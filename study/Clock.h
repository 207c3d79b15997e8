#pragma once
// The time the pages stamp on what they record, in Unix seconds: the system's, unless a test sets
// its own.

#include <cstdint>
#include <ctime>
#include <functional>

struct Clock {
    std::function<std::int64_t()> now = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    std::int64_t Now() const { return now(); }
};

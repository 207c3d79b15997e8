#include "store/WordHash.h"

#include "text/GbkText.h"

#include <functional>
#include <string>

std::uint64_t WordHashNoCase(std::string_view word)
{
    // Every word of a fill is hashed twice, once to find it and once to add it: the folded copy is
    // kept in memory reused from word to word rather than taken from the heap each time.
    thread_local std::string folded;
    gbk::UpperCaseInto(word, folded);
    return std::hash<std::string_view>{}(folded);
}

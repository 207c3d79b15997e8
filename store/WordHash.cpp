#include "store/WordHash.h"

#include "text/GbkText.h"

#include <functional>
#include <string>

std::uint64_t WordHashNoCase(std::string_view word)
{
    // An import hashes every word it reads: the folded copy reuses its memory from word to word
    // rather than taking it from the heap each time.
    thread_local std::string folded;
    gbk::UpperCaseInto(word, folded);
    return std::hash<std::string_view>{}(folded);
}

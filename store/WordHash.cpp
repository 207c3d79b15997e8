#include "store/WordHash.h"

#include "text/GbkText.h"

#include <functional>
#include <string>

std::uint64_t WordHashNoCase(std::string_view word)
{
    const std::string folded = gbk::UpperCase(word);
    return std::hash<std::string_view>{}(folded);
}

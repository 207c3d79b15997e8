#include "study/GradedLists.h"

#include "platform/InputFile.h"
#include "text/GbkCodec.h"

#include <charconv>
#include <string_view>

namespace {

// Eight short lines; anything much larger is not the program's own file.
constexpr std::size_t kIndexLimit = 64 * 1024;

} // namespace

std::string GradedListsIndex(const std::string& folder)
{
    return folder + "/lists.tsv";
}

std::vector<GradedList> ReadGradedLists(const std::string& folder)
{
    std::string text;
    if (ReadWholeFile(GradedListsIndex(folder), text, kIndexLimit) != WholeFile::Read)
        return {};
    std::vector<GradedList> lists;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos)
            continue;
        const std::string_view file = line.substr(0, tab1);
        const std::string_view count = line.substr(tab2 + 1);
        GradedList list{std::string(file), {}, 0};
        const auto [at, error] = std::from_chars(count.data(), count.data() + count.size(), list.words);
        auto title = gbk::FromUtf8(line.substr(tab1 + 1, tab2 - tab1 - 1));
        // A file name is a name in the folder, never a path elsewhere.
        if (error != std::errc() || at != count.data() + count.size() || !title || file.empty() ||
            file.find('/') != std::string_view::npos)
            continue;
        list.title = std::move(*title);
        lists.push_back(std::move(list));
    }
    return lists;
}

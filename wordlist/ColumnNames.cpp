#include "wordlist/ColumnNames.h"

#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::array kWordNames{"word",  "words", "单词",  "词",        "词汇", "英文",
                                "英语",  "term",  "front", "headword",  "name", "vocabulary",
                                "vocab", "entry", "lemma", "expression"};
// The explanation the learner wants first: in Chinese.
constexpr std::array kChineseNames{"释义",     "解释",         "中文",   "中文释义", "意思",
                                   "中文意思", "翻译",         "词义",   "含义",     "translation",
                                   "trans",    "translations", "chinese"};
constexpr std::array kOtherNames{"meaning",     "meanings",  "back",  "definition", "definitions",
                                 "explanation", "interpret", "gloss", "sense"};

// The name as the file's encoding writes it, in upper case for the comparison.
template <std::size_t N>
bool Names(const std::array<const char*, N>& names, std::string_view field, WordListEncoding encoding)
{
    return std::any_of(names.begin(), names.end(), [&](const char* name) {
        const std::string written =
            encoding == WordListEncoding::Utf8 ? name : gbk::FromUtf8(name).value_or(name);
        return gbk::UpperCase(written) == field;
    });
}

} // namespace

std::optional<WordListColumns> ColumnsNamedBy(const std::vector<std::string>& fields,
                                              WordListEncoding encoding)
{
    std::vector<std::string> names;
    for (const std::string& field : fields)
        names.push_back(gbk::UpperCase(gbk::Trim(field)));
    const auto find = [&](auto& list, std::size_t skip) {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (i != skip && Names(list, names[i], encoding))
                return i;
        return names.size();
    };
    const std::size_t word = find(kWordNames, names.size());
    if (word == names.size())
        return std::nullopt;
    std::size_t interpret = find(kChineseNames, word);
    if (interpret == names.size())
        interpret = find(kOtherNames, word);
    if (interpret == names.size())
        interpret = word == 0 ? 1 : 0;
    return WordListColumns{word, interpret};
}

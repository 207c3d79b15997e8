#include "wordlist/WordListFileKind.h"

#include "text/GbkText.h"
#include "wordlist/WordListEncoding.h"

WordListFileKind WordListFileKindByName(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return WordListFileKind::Own;
    const std::string extension = gbk::UpperCase(name.substr(dot + 1));
    if (extension == "TSV")
        return WordListFileKind::Tsv;
    if (extension == "CSV")
        return WordListFileKind::Csv;
    if (extension == "JSON")
        return WordListFileKind::Json;
    return WordListFileKind::Own;
}

bool StartsAsTabSeparated(std::string_view firstBytes)
{
    constexpr std::string_view kHeader = "#separator:tab";
    if (firstBytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
        firstBytes.remove_prefix(kUtf8ByteOrderMark.size());
    if (firstBytes.substr(0, kHeader.size()) != kHeader)
        return false;
    const std::string_view rest = firstBytes.substr(kHeader.size());
    return rest.empty() || rest.front() == '\r' || rest.front() == '\n';
}

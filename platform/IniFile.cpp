#include "platform/IniFile.h"

#include "platform/InputFile.h"
#include "text/GbkText.h"

namespace {

// The name between '[' and ']'; a header without ']' names the rest of its line.
// ']' can be the second byte of a GBK character, so characters are stepped over whole.
std::string SectionName(std::string_view line)
{
    std::size_t i = 1;
    while (i < line.size() && line[i] != ']')
        i += gbk::IsLeadByte(line, i) ? 2 : 1;
    return gbk::Trim(line.substr(1, i - 1));
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

IniFile::IniFile(const std::filesystem::path& path)
{
    if (ReadWholeFile(path.string(), text_, kSmallFileLimit) != WholeFile::Read)
        text_.clear();
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    bool inSection = false;
    std::string_view rest = text_;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        // Trimming also drops the CR of a CR LF line end.
        const std::string line = gbk::Trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            inSection = gbk::EqualNoCase(SectionName(line), section);
            continue;
        }
        // '=' is never the second byte of a GBK character, so the first one found separates.
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos)
            continue;
        if (gbk::EqualNoCase(gbk::Trim(line.substr(0, equals)), key)) {
            const std::string value = gbk::Trim(std::string_view(line).substr(equals + 1));
            return gbk::CutToWidth(Unquote(value), MaxValueBytes);
        }
    }
    // The reader hands back the default through the same buffer, so it is cut the same way.
    return gbk::CutToWidth(defaultValue, MaxValueBytes);
}

std::filesystem::path IniFile::PathForProgram(const std::filesystem::path& programFilePath)
{
    return std::filesystem::path(programFilePath).replace_extension(".ini");
}

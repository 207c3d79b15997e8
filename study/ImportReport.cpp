#include "study/ImportReport.h"

#include "platform/ReplacingFile.h"
#include "study/CommonTexts.h"
#include "text/GbkCodec.h"

#include <filesystem>
#include <stdexcept>

namespace {

// The report file's name beside the imported file's own.
constexpr const char* kReportSuffix = ".导入报告.txt";

std::string Gbk(const std::string& utf8)
{
    return gbk::FromUtf8Lossy(utf8);
}

std::string Count(std::uint64_t count)
{
    return std::to_string(count);
}

std::string EncodingName(WordListEncoding encoding)
{
    return encoding == WordListEncoding::Utf8 ? "UTF-8" : "GBK";
}

std::string Reason(EntryNote note, WordListWidths widths)
{
    switch (note) {
    case EntryNote::NoWord:
        return "没有导入：没有单词";
    case EntryNote::NoExplanation:
        return "没有导入：没有解释";
    case EntryNote::WordTooLong:
        return "没有导入：单词超过 " + Count(widths.word) + " 个字节";
    case EntryNote::WordNotGbk:
        return "没有导入：单词中有不能保存的字符";
    case EntryNote::WordBreaks:
        return "没有导入：单词中有换行或制表符";
    case EntryNote::ExplanationNotGbk:
        return "没有导入：解释中有不能保存的字符";
    case EntryNote::Altered:
        return "已导入：不能保存的字符写作“〓”";
    case EntryNote::Cut:
        return "已导入：解释超过 " + Count(widths.interpret) + " 个字节，已截断";
    case EntryNote::WordCut:
        return "已导入：单词超过 " + Count(widths.word) + " 个字节，已截断";
    }
    return {};
}

// A text on one line of the report: its line breaks shown as " / ".
std::string OnOneLine(const std::string& text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            line += " / ";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (static_cast<unsigned char>(text[i]) < 0x20 || text[i] == 0x7F) {
            line += "\xEF\xBF\xBD"; // a control character, shown as one that cannot be shown
        } else {
            line += text[i];
        }
    }
    return line;
}

} // namespace

ImportReport::ImportReport(std::string path, std::string tableFolder, WordListEncoding encoding,
                           WordListWidths widths)
    : path_(std::move(path)), tableFolder_(std::move(tableFolder)), encoding_(encoding), widths_(widths)
{
}

ImportReport::~ImportReport() = default;

void ImportReport::OpenFile()
{
    opened_ = true;
    namespace fs = std::filesystem;
    const std::string name = fs::path(path_).filename().string() + kReportSuffix;
    // Beside the imported file, else beside the table.
    for (const std::string& folder : {fs::path(path_).parent_path().string(), tableFolder_}) {
        const std::string report = (fs::path(folder) / name).string();
        try {
            file_ = std::make_unique<ReplacingFile>(report, Gbk(report));
            file_->Write("导入 " + path_ + "（" + EncodingName(encoding_) + "）：没有导入或有改动的词条\n" +
                         "行\t结果\t单词\t解释\n");
            written_ = report;
            return;
        } catch (const std::exception& error) {
            file_.reset();
            failure_ = error.what(); // GBK, as every error text
        }
    }
}

void ImportReport::Note(const WordListNote& note)
{
    if (!opened_)
        OpenFile();
    if (!file_)
        return;
    try {
        file_->Write(std::to_string(note.line) + '\t' + Reason(note.note, widths_) + '\t' +
                     OnOneLine(note.word) + '\t' + OnOneLine(note.interpret) + '\n');
    } catch (const std::exception& error) {
        file_.reset();
        written_.clear();
        failure_ = error.what();
    }
}

void ImportReport::Merged(MergeResult result, const std::string& word)
{
    Tally* tally = result == MergeResult::Added       ? &added_
                   : result == MergeResult::Updated   ? &updated_
                   : result == MergeResult::Unchanged ? &unchanged_
                   : result == MergeResult::Declined  ? &declined_
                                                      : nullptr;
    if (tally && tally->count++ == 0)
        tally->first = word;
}

void ImportReport::Finish()
{
    if (!file_)
        return;
    try {
        file_->Commit();
    } catch (const std::exception& error) {
        written_.clear();
        failure_ = error.what();
    }
    file_.reset();
}

bool ImportReport::WorthSaying(const WordListEntryMaker& entries)
{
    return entries.LeftOut().count > 0 || entries.Altered().count > 0 || entries.Cut().count > 0;
}

std::string ImportReport::Message(const WordListEntryMaker& entries, const WordListEntry* cancelledAt) const
{
    const std::string file = gbk::FromUtf8Lossy(path_) + Gbk("（" + EncodingName(encoding_) + "）");
    std::string text = cancelledAt ? Gbk("在第 " + Count(cancelledAt->line) + " 行") + Common().open +
                                         cancelledAt->word + Common().close + Gbk("处取消了导入：") + file
                                   : Gbk("导入完成：") + file;
    const auto line = [&](std::uint64_t count, const std::string& what, const std::string& first) {
        if (count == 0)
            return;
        text += "\r\n" + Gbk(what + " " + Count(count) + " 个");
        if (!first.empty())
            text += Gbk("，第一个是") + Common().open + first + Common().close;
    };
    line(added_.count, "新增", added_.first);
    line(updated_.count, "更新", updated_.first);
    line(unchanged_.count, "相同未变", unchanged_.first);
    line(declined_.count, "选择【否】没有更新", declined_.first);
    line(entries.LeftOut().count, "没有导入", entries.LeftOut().first);
    line(entries.Altered().count, "有改动（不能保存的字符写作“〓”）", entries.Altered().first);
    line(entries.Cut().count, "超过词库的长度、已截断", entries.Cut().first);
    if (!written_.empty())
        text += Gbk("\r\n\r\n详细情况见文件：\r\n") + gbk::FromUtf8Lossy(written_);
    else if (!failure_.empty())
        text += Gbk("\r\n\r\n详细情况没能写入文件：\r\n") + failure_;
    return text;
}

std::optional<std::string> ImportReport::NothingFound(const WordListEntryMaker& entries) const
{
    if (entries.Made() > 0 || entries.LeftOut().count > entries.WordsWithoutExplanation())
        return std::nullopt;
    std::string text = Gbk("文件 ") + gbk::FromUtf8Lossy(path_) + Gbk(" 中没有找到可以导入的词条。");
    if (entries.WordsWithoutExplanation() > 0)
        text += Gbk("\r\n\r\n每个单词都需要一个解释。请每行写一个单词和它的解释，中间用“|”分开，例如：\r\n"
                    "apple | n. 苹果");
    return text;
}

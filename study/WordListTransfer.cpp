#include "study/WordListTransfer.h"

#include "platform/InputFile.h"
#include "platform/ReplacingFile.h"
#include "store/DictTable.h"
#include "store/StoredWordDigest.h"
#include "study/CommonTexts.h"
#include "study/GradedLists.h"
#include "study/ImportMerge.h"
#include "study/ImportReport.h"
#include "study/MainView.h"
#include "study/ScopedFlag.h"
#include "text/GbkCodec.h"
#include "wordlist/WordListReader.h"
#include "wordlist/WordListWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kWriteChunk = 1 << 20;
constexpr std::size_t kReadChunk = 1 << 18;
constexpr auto kEventInterval = std::chrono::milliseconds(5);
constexpr int kStepsPerClockLook = 16;

struct Texts {
    std::string exportTitle = gbk::FromUtf8("请输入需要导出的词库文件名").value();
    std::string importTitle = gbk::FromUtf8("请输入需要导入的词库文件名").value();
    std::string fileName = gbk::FromUtf8("文件名 ").value();
    std::string exists = gbk::FromUtf8(" 已经存在，是否允许覆盖?").value();
    std::string exported = gbk::FromUtf8("已导出 ").value();
    std::string exportedTo = gbk::FromUtf8(" 个单词到文件：\r\n").value();
    std::string faultFile = gbk::FromUtf8("词库文件 ").value();
    std::string faultLine = gbk::FromUtf8(" 在第 ").value();
    std::string faultOffset = gbk::FromUtf8(" 行（第 ").value();
    std::string faultReason = gbk::FromUtf8(" 字节处）读不下去：").value();
    std::string unterminatedQuote = gbk::FromUtf8("引号没有结束。此前的词条已经导入。").value();
    std::string notArray = gbk::FromUtf8("不是 JSON 数组。没有导入任何词条。").value();
    std::string brokenJson = gbk::FromUtf8("JSON 格式错误。没有导入任何词条。").value();
    std::string tooDeep = gbk::FromUtf8("JSON 嵌套太深。没有导入任何词条。").value();
    std::string tooLong = gbk::FromUtf8("JSON 中有超过 1 MB 的单个值。没有导入任何词条。").value();
    std::string gradedTitle = gbk::FromUtf8("导入词表").value();
    std::string importCaption = gbk::FromUtf8("导入").value();
    std::string words = gbk::FromUtf8(" 个单词").value();
    std::string noGradedLists = gbk::FromUtf8("找不到随程序安装的词表，没有导入任何词条：\r\n").value();
};

const Texts& Say()
{
    static const Texts texts;
    return texts;
}

// 1,603: the counts of the lists as their origin gives them.
std::string WithThousands(int number)
{
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

bool HasExtension(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return path.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

// Where and why a file could not be read on.
std::string FaultText(const std::string& name, const WordListFault& at, const std::string& reason)
{
    return Say().faultFile + name + Say().faultLine + std::to_string(at.line) + Say().faultOffset +
           std::to_string(at.offset) + Say().faultReason + reason;
}

// The bar, shown at 0 while a command runs and hidden however it ends, is set whenever its value
// changes. The window takes its events every few milliseconds: often enough to repaint and take
// input smoothly, seldom enough that a round of events per line does not slow the command down.
class Progress {
public:
    explicit Progress(MainView& view) : view_(view)
    {
        view_.ShowProgress(true);
        view_.SetProgress(0);
    }
    ~Progress() { view_.ShowProgress(false); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Set(int percent)
    {
        const bool changed = percent != shown_;
        if (changed) {
            shown_ = percent;
            view_.SetProgress(percent);
        }
        if (!changed && ++steps_ < kStepsPerClockLook)
            return;
        steps_ = 0;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastEvents_ >= kEventInterval) {
            view_.ProcessEvents();
            lastEvents_ = std::chrono::steady_clock::now();
        }
    }

private:
    MainView& view_;
    int shown_ = 0;
    int steps_ = 0;
    std::chrono::steady_clock::time_point lastEvents_ = std::chrono::steady_clock::now();
};

// The import's writes share batched transactions; whatever ends the import, what it stored is
// committed and the table is not left inside a transaction. The window takes its events while a
// commit runs.
class ImportBatch {
public:
    ImportBatch(TDictTable& table, MainView& view, std::uint64_t fileBytes)
        : table_(table), whileWaiting_([&view] { view.ProcessEvents(); })
    {
        table_.BeginBatch(whileWaiting_, fileBytes);
    }
    ~ImportBatch()
    {
        if (!open_)
            return;
        try {
            table_.EndBatch();
        } catch (const std::exception&) {
            // Already leaving with an error; EndBatch has rolled back what it could not commit.
        }
    }
    ImportBatch(const ImportBatch&) = delete;
    ImportBatch& operator=(const ImportBatch&) = delete;

    // Makes what is stored so far durable, e.g. before waiting for the user.
    void Commit()
    {
        End();
        table_.BeginBatch(whileWaiting_);
        open_ = true;
    }
    void End()
    {
        open_ = false;
        table_.EndBatch();
    }

private:
    TDictTable& table_;
    std::function<void()> whileWaiting_;
    bool open_ = true;
};

// What the table holds, when the file is large compared with it; read before the batch enlarges the
// cache, which reading the records in their stored order does not need.
std::optional<StoredWordDigest> DigestForImport(const StudyContext& c, std::uint64_t fileBytes,
                                                Progress& progress, const bool& stopping)
{
    std::optional<StoredWordDigest> digest;
    if (StoredWordDigest::WorthReading(fileBytes, c.table.RecordCount()))
        digest.emplace(
            c.table,
            [&] {
                progress.Set(0);
                return !stopping;
            },
            [&] { c.view.ProcessEvents(); });
    return digest;
}

const std::string& FaultReason(WordListEnd end)
{
    switch (end) {
    case WordListEnd::Unterminated:
        return Say().unterminatedQuote;
    case WordListEnd::NotArray:
        return Say().notArray;
    case WordListEnd::TooDeep:
        return Say().tooDeep;
    case WordListEnd::TooLong:
        return Say().tooLong;
    default:
        return Say().brokenJson;
    }
}

struct FileLook {
    WordListFileKind kind;
    WordListEncoding encoding;
};

// Reads as far as it takes to know the file's kind and encoding, then goes back to its start. The
// name's extension tells a list of another tool, and flash-card programs also save tab-separated
// notes as .txt, which the first line gives away. A GBK file of Chinese text shows itself within
// its first lines, a UTF-8 one only at its end, so the window takes its events meanwhile.
FileLook LookAtFile(const std::string& path, InputFile& file, std::vector<char>& buffer, Progress& progress)
{
    FileLook look{WordListFileKindByName(path), WordListEncoding::Gbk};
    WordListEncodingSniffer sniffer;
    bool first = true;
    for (std::string_view piece; !sniffer.Decided() && !(piece = file.Read(buffer)).empty();) {
        if (std::exchange(first, false) && look.kind == WordListFileKind::Own && StartsAsTabSeparated(piece))
            look.kind = WordListFileKind::Tsv;
        sniffer.Feed(piece);
        progress.Set(0);
    }
    file.Rewind();
    look.encoding = sniffer.Result();
    return look;
}

} // namespace

void WordListTransfer::SpeedExportClick()
{
    if (running_)
        return;
    const ScopedFlag running(running_);
    stopping_ = false;
    auto chosen = c_.view.AskFileName(Say().exportTitle);
    if (!chosen)
        return;
    std::string path = std::move(*chosen);
    if (!HasExtension(path))
        path += ".txt";
    // The name is only shown: a character GBK cannot hold shows as '?', so it stays recognisable.
    const std::string name = gbk::FromUtf8Lossy(path);
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) &&
        c_.view.MessageBox(Say().fileName + name + Say().exists, Common().warning, Question::AskOverwrite) ==
            Answer::Cancel)
        return;

    // The name's extension chooses the format, as for an import.
    const WordListFileKind kind = WordListFileKindByName(path);
    const auto writer = MakeWordListWriter(kind);
    ReplacingFile file(path, name);
    Progress progress(c_.view);
    TDictTable& table = c_.table;
    std::string buffer;
    buffer.reserve(kWriteChunk + 1024);
    writer->Begin(buffer);
    const std::int64_t count = table.RecordCount();
    std::int64_t written = 0;
    int percent = 0;
    // The bar shows the record number the cursor would stand on next: the one after the written
    // one, the last one at the end.
    const bool complete = table.ReadInWordOrder(
        [&](std::string_view word, std::string_view interpret) {
            writer->Append(buffer, word, interpret);
            if (buffer.size() >= kWriteChunk) {
                file.Write(buffer);
                buffer.clear();
            }
            ++written;
            percent = static_cast<int>(std::min(written + 1, count) * 100 / count);
            progress.Set(percent);
            return !stopping_;
        },
        [&] {
            progress.Set(percent);
            return !stopping_;
        });
    table.Last();
    if (!complete)
        return;
    writer->End(buffer);
    file.Write(buffer);
    file.Commit();
    // The own format says nothing, as it always has; the others say what they wrote.
    if (kind != WordListFileKind::Own)
        c_.view.MessageBox(Say().exported + std::to_string(written) + Say().exportedTo + name, Common().hint,
                           Question::InfoNotice);
}

void WordListTransfer::SpeedImportClick()
{
    if (running_)
        return;
    const ScopedFlag running(running_);
    stopping_ = false;
    const auto chosen = c_.view.AskFileName(Say().importTitle);
    if (chosen)
        Import(*chosen);
}

void WordListTransfer::MenuItem_wordlistsClick()
{
    if (running_)
        return;
    const ScopedFlag running(running_);
    stopping_ = false;
    const std::vector<GradedList> lists = ReadGradedLists(gradedListsFolder_);
    if (lists.empty()) {
        c_.view.MessageBox(Say().noGradedLists + gbk::FromUtf8Lossy(GradedListsIndex(gradedListsFolder_)),
                           Common().warning, Question::WarningNotice);
        return;
    }
    std::vector<std::pair<std::string, std::string>> entries;
    for (const GradedList& list : lists)
        entries.emplace_back(list.title, WithThousands(list.words) + Say().words);
    const auto chosen = c_.view.ChooseEntry(Say().gradedTitle, entries, Say().importCaption);
    if (chosen)
        Import(gradedListsFolder_ + "/" + lists[*chosen].file);
}

void WordListTransfer::Import(const std::string& path)
{
    const std::string name = gbk::FromUtf8Lossy(path);
    InputFile file(path, name);
    Progress progress(c_.view);
    std::vector<char> buffer(kReadChunk);
    const FileLook look = LookAtFile(path, file, buffer, progress);
    const WordListWidths widths{TDictTable::WordWidth, TDictTable::InterpretWidth};
    const auto reader = MakeWordListReader(look.kind, look.encoding, widths);
    ImportReport report(path, std::filesystem::path(c_.table.FileName()).parent_path().string(),
                        look.encoding, widths);
    reader->OnNote([&report](const WordListNote& note) { report.Note(note); });
    const auto percent = [&] { return WordListImportPercent(reader->Examined(), file.Size()); };
    auto digest = DigestForImport(c_, file.Size(), progress, stopping_);
    ImportBatch batch(c_.table, c_.view, file.Size());
    ImportMerge merge(c_, digest ? &*digest : nullptr, [&batch] { batch.Commit(); });
    // Once the window closes, the file seems to end and no entry is stored any more.
    const WordListPieces pieces{[&] {
                                    progress.Set(percent());
                                    return stopping_ ? std::string_view() : file.Read(buffer);
                                },
                                [&] { file.Rewind(); }, [&] { progress.Set(percent()); }};
    std::optional<WordListEntry> cancelledAt;
    const WordListReadResult read = reader->Read(pieces, [&](const WordListEntry& entry) {
        if (stopping_)
            return false;
        const MergeResult merged = merge.Store(entry);
        if (merged == MergeResult::Cancelled) {
            cancelledAt = entry;
            return false;
        }
        report.Merged(merged, entry.word);
        return true;
    });
    if (read.end == WordListEnd::Read)
        merge.Finish();
    batch.End();
    report.Finish();
    if (stopping_)
        return;
    const WordListEntryMaker& entries = reader->Entries();
    std::string text;
    if (read.end != WordListEnd::Read && read.end != WordListEnd::Stopped)
        text = FaultText(name, read.at, FaultReason(read.end));
    // A JSON file that cannot be read through stores nothing: its fault is all there is to say.
    const bool stored = read.end == WordListEnd::Read || read.end == WordListEnd::Stopped ||
                        read.end == WordListEnd::Unterminated;
    const std::optional<std::string> nothing = report.NothingFound(entries);
    const bool saysNothingFound = stored && nothing && !cancelledAt;
    if (saysNothingFound)
        text += (text.empty() ? "" : "\r\n\r\n") + *nothing;
    else if (stored && (look.kind != WordListFileKind::Own || ImportReport::WorthSaying(entries)))
        text +=
            (text.empty() ? "" : "\r\n\r\n") + report.Message(entries, cancelledAt ? &*cancelledAt : nullptr);
    // A list read whole (or up to the learner's 取消), something found and nothing left out is
    // news, not an error.
    const bool leftOut = entries.LeftOut().count > 0;
    const bool news = (read.end == WordListEnd::Read || cancelledAt) && !saysNothingFound && !leftOut;
    if (!text.empty())
        c_.view.MessageBox(text, news ? Common().hint : Common().warning,
                           leftOut ? Question::WarningNotice
                           : news  ? Question::InfoNotice
                                   : Question::Notice);
}

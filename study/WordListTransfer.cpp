#include "study/WordListTransfer.h"

#include "dict/DictTable.h"
#include "dict/StoredWordDigest.h"
#include "dict/WordListEncoding.h"
#include "dict/WordListFormat.h"
#include "dict/WordListReader.h"
#include "platform/GbkCodec.h"
#include "platform/InputFile.h"
#include "platform/ReplacingFile.h"
#include "study/CommonTexts.h"
#include "study/MainView.h"
#include "study/ScopedFlag.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
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
    std::string askFrom = gbk::FromUtf8("】已经存在词库中,是否将注释由:\r\n\r\n  (").value();
    std::string askTo = gbk::FromUtf8(")\r\n\r\n     更新为\r\n\r\n  (").value();
    std::string askEnd = ")?";
    std::string skippedCount = gbk::FromUtf8("共有 ").value();
    std::string skippedFirst = gbk::FromUtf8(" 个词条含有不能保存的字符，没有导入。第一个是【").value();
    std::string skippedEnd = gbk::FromUtf8("】。").value();
};

const Texts& Say()
{
    static const Texts texts;
    return texts;
}

bool HasExtension(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return path.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

// One message at the end of an import for the entries it left out.
void ReportSkipped(MainView& view, const WordListReader& reader)
{
    if (reader.Skipped() == 0)
        return;
    view.MessageBox(Say().skippedCount + std::to_string(reader.Skipped()) + Say().skippedFirst +
                        reader.FirstSkipped() + Say().skippedEnd,
                    Common().warning, Question::WarningNotice);
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

// Reads as far as it takes to know the file's encoding: a GBK file of Chinese text shows itself
// within its first lines, a UTF-8 one only at its end, so the window takes its events meanwhile.
WordListEncoding SniffFile(const std::string& path, const std::string& name, Progress& progress)
{
    InputFile file(path, name);
    WordListEncodingSniffer sniffer;
    std::vector<char> buffer(kReadChunk);
    for (std::string_view piece; !sniffer.Decided() && !(piece = file.Read(buffer)).empty();) {
        sniffer.Feed(piece);
        progress.Set(0);
    }
    return sniffer.Result();
}

// The import's writes share batched transactions; whatever ends the import, what it stored is
// committed and the table is not left inside a transaction. The window takes its events while a
// commit runs.
class ImportBatch {
public:
    ImportBatch(TDictTable& table, MainView& view)
        : table_(table), whileWaiting_([&view] { view.ProcessEvents(); })
    {
        table_.BeginBatch(whileWaiting_);
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

// Merges one entry into the table; false when the user cancels the import. An entry that `digest`
// knows the table holds unchanged is passed over without a seek.
bool StoreEntry(const StudyContext& c, const WordListEntry& entry, ImportBatch& batch,
                StoredWordDigest* digest)
{
    TDictTable& table = c.table;
    if (digest) {
        if (digest->HoldsUnchanged(entry.word, entry.interpret))
            return true;
        // Adding or updating changes what the word's first record holds.
        digest->Forget(entry.word);
    }
    if (!table.SeekExact(entry.word)) {
        table.Append();
        table.SetFieldByName("word", entry.word);
        table.SetFieldByName("interpret", entry.interpret);
        table.Post();
        return true;
    }
    const std::string stored = table.FieldByName("interpret");
    // The reader hands out the explanation as the table would store it, so one that is longer than
    // its field still equals what an earlier import of it stored.
    if (stored == entry.interpret)
        return true;
    batch.Commit();
    const std::string question =
        Common().open + entry.word + Say().askFrom + stored + Say().askTo + entry.interpret + Say().askEnd;
    const Answer answer = c.view.MessageBox(question, Common().hint, Question::AskYesNoCancel);
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::Yes) {
        table.Edit();
        table.SetFieldByName("interpret", entry.interpret);
        table.Post();
    }
    return true;
}

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

    ReplacingFile file(path, name);
    Progress progress(c_.view);
    TDictTable& table = c_.table;
    const TDictTable::ReadingAll readingAll(table);
    std::string buffer;
    buffer.reserve(kWriteChunk + 1024);
    table.First();
    const std::int64_t count = table.RecordCount();
    while (!table.Eof() && !stopping_) {
        AppendWordListLine(buffer, table.FieldByName("word"), table.FieldByName("interpret"));
        if (buffer.size() >= kWriteChunk) {
            file.Write(buffer);
            buffer.clear();
        }
        table.Next();
        progress.Set(static_cast<int>(table.RecNo() * std::int64_t{100} / count));
    }
    if (stopping_)
        return;
    file.Write(buffer);
    file.Commit();
}

void WordListTransfer::SpeedImportClick()
{
    if (running_)
        return;
    const ScopedFlag running(running_);
    stopping_ = false;
    const auto chosen = c_.view.AskFileName(Say().importTitle);
    if (!chosen)
        return;

    const std::string name = gbk::FromUtf8Lossy(*chosen);
    InputFile file(*chosen, name);
    Progress progress(c_.view);
    const WordListEncoding encoding = SniffFile(*chosen, name, progress);
    auto digest = DigestForImport(c_, file.Size(), progress, stopping_);
    ImportBatch batch(c_.table, c_.view);
    WordListReader reader(TDictTable::InterpretWidth, TDictTable::WordWidth, encoding);
    std::vector<char> buffer(kReadChunk);
    std::optional<WordListEntry> completed;
    while (!reader.Ended() && !stopping_) {
        const std::string_view piece = file.Read(buffer);
        if (piece.empty())
            reader.Finish();
        else
            reader.Feed(piece);
        while (!stopping_ && reader.ReadLine(completed)) {
            if (completed && !StoreEntry(c_, *completed, batch, digest ? &*digest : nullptr)) {
                batch.End();
                ReportSkipped(c_.view, reader);
                return;
            }
            progress.Set(WordListImportPercent(reader.Examined(), file.Size()));
        }
    }
    // Stopped midway, the pending entry may still lack lines: it is not stored. The last entry is
    // sought in any case, so the import ends on its record.
    if (stopping_) {
        batch.End();
        return;
    }
    if (const auto last = reader.TakePending())
        StoreEntry(c_, *last, batch, nullptr);
    batch.End();
    ReportSkipped(c_.view, reader);
}

// Export and import of the whole word list over generated tables of 10k, 100k and 1M words, beside
// the sqlite3 command-line tool doing the same work on the same records:
//
// - Export: our export of the generated table to a word-list file, against the tool writing the
//   same records, in the same order and the same line format, to a file (`.once` of a SELECT with
//   printf padding and the "| " / CR LF separators) from its own copy of the table (same columns
//   and IDs, indexes with the built-in NOCASE, which the tool has, instead of our collation).
//   Both files are flushed to disk: ours before it replaces the old file, the tool's after it.
// - Import into an empty table: a file of one single-line entry per word (line breaks inside
//   explanations become spaces, so every line is one record for both), against the tool's
//   `.import` of the same file (columns split at "|", rows at LF with the CR dropped) into an
//   empty table of word and explanation, then both NOCASE indexes, in one transaction with the
//   page cache of our fill: the fair reference, doing what our import does. The tool stores what
//   it reads without trimming or looking anything up; our import looks up every word before
//   adding it. Beside it, the tool keeping both indexes row by row, which is more work.
// - Import of the same file saved as UTF-8, into an empty table, and of the same list saved as a
//   flash-card program's tab-separated notes (UTF-8, "word TAB explanation" and LF).
// - Merge: 100k new words into a table of 1M, against the tool's `.import` of the same file into
//   its indexed table of the same 1M words (the line's two columns), in one transaction with the
//   cache our merge uses.
// - Re-import: the file our export wrote, into the table it came from: nothing changes and
//   nothing is asked, yet every line is looked up.
// - The same 100k entries as the own format (GBK), as tab-separated notes, as CSV and as JSON (all
//   three UTF-8), each imported into an empty table in the same iteration: the others' time over
//   the own format's.
// - A dictionary exported as CSV, 770k rows of thirteen columns (see GenerateDictionaryCsv), into
//   an empty table, against the tool's `.import` of the same file into a bare table (the columns
//   of its header row) followed by both indexes, in one transaction, with the same page cache.
//
// - The longest time the window would go without taking its events during an import (the page
//   logic lets it take them every few milliseconds, and while a commit runs aside).
// - The end of an import stopped by a closing window after 400k lines, closed by the user or by the
//   session's end: from the stop to the table closed, into an empty table and into one of 10k words.
// - The memory of one import or re-import, in a process of its own: resident before, at the peak,
//   and after the command.
//
// The tool runs as a separate process (timed from start to exit, its start-up of a few
// milliseconds included) with the page cache our command uses, and its export is then flushed to
// disk as ours is; each iteration times our command (with the tests' fake window) and then the
// tool's, side by side. Setting up (a fresh empty table) stays outside the timing.

#include "bench/BenchPage.h"
#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "bench/ProcessMemory.h"
#include "bench/WordListGenerator.h"
#include "store/DictTable.h"
#include "store/TableFile.h"
#include "study/FormState.h"
#include "study/WordListTransfer.h"
#include "support/FakeView.h"
#include "text/GbkCodec.h"
#include "wordlist/WordListFormat.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string TmpPath(const std::string& what, std::size_t count)
{
    return "/tmp/dorori-bench-wordlist-" + what + "-" + std::to_string(count);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Entries as single-line entries of the own format, one line per word.
void WriteSingleLines(std::vector<GeneratedWord>::iterator from, std::vector<GeneratedWord>::iterator to,
                      const std::string& path)
{
    std::string bytes;
    for (; from != to; ++from) {
        for (std::size_t at; (at = from->interpret.find("\r\n")) != std::string::npos;)
            from->interpret.replace(at, 2, "  ");
        AppendWordListLine(bytes, from->word, from->interpret);
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

// The generated words as single-line entries; kept under /tmp between runs.
std::string SingleLineFile(std::size_t count)
{
    return CachedBenchFile("wordlist-single-" + std::to_string(count) + ".txt",
                           [count](const std::string& path) {
                               std::vector<GeneratedWord> words = GenerateWordList(count);
                               WriteSingleLines(words.begin(), words.end(), path);
                           });
}

// `count` words that the table of `stored` generated words does not hold, as single-line entries.
std::string NewWordsFile(std::size_t stored, std::size_t count)
{
    return CachedBenchFile("wordlist-new-" + std::to_string(stored) + "-" + std::to_string(count) + ".txt",
                           [&](const std::string& path) {
                               // The generator's lists begin alike: what follows the stored words
                               // is new to them.
                               std::vector<GeneratedWord> words = GenerateWordList(stored + count);
                               WriteSingleLines(words.begin() + static_cast<std::ptrdiff_t>(stored),
                                                words.end(), path);
                           });
}

// The same file saved as UTF-8, as today's editors save it (without the byte-order mark: the whole
// file is then looked at before the import). The few generated codes that are no GBK character
// become one that is, so that both files hold the same entries.
std::string Utf8SingleLineFile(std::size_t count)
{
    const std::string gbkFile = SingleLineFile(count);
    return CachedBenchFile(
        "wordlist-single-utf8-" + std::to_string(count) + ".txt", [&gbkFile](const std::string& path) {
            std::string utf8 = gbk::ToUtf8(ReadAll(gbkFile));
            const std::string replacement = "\xEF\xBF\xBD";
            for (std::size_t at = 0; (at = utf8.find(replacement, at)) != std::string::npos;)
                utf8.replace(at, replacement.size(), "字");
            std::ofstream(path, std::ios::binary) << utf8;
        });
}

// Each entry of the UTF-8 list in the own format (one "word | explanation" line each), its word
// without the padding.
void ForEachOwnLine(const std::string& utf8,
                    const std::function<void(std::string_view, std::string_view)>& entry)
{
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t end = utf8.find("\r\n", at);
        const std::string_view line(utf8.data() + at, end - at);
        const std::size_t bar = line.find("| ");
        std::string_view word = line.substr(0, bar);
        while (!word.empty() && word.back() == ' ')
            word.remove_suffix(1);
        entry(word, line.substr(bar + 2));
        at = end + 2;
    }
}

// The UTF-8 list as tab-separated notes with their header lines.
std::string TsvFile(std::size_t count)
{
    const std::string utf8File = Utf8SingleLineFile(count);
    return CachedBenchFile(
        "wordlist-single-" + std::to_string(count) + ".tsv", [&utf8File](const std::string& path) {
            std::string tsv = "#separator:tab\n#html:true\n";
            ForEachOwnLine(ReadAll(utf8File), [&](std::string_view word, std::string_view interpret) {
                tsv.append(word).append("\t").append(interpret).append("\n");
            });
            std::ofstream(path, std::ios::binary) << tsv;
        });
}

// The same entries as a spreadsheet's CSV and as a typing-drill chapter's JSON.
std::string OtherToolFile(std::size_t count, const std::string& extension)
{
    const std::string utf8File = Utf8SingleLineFile(count);
    return CachedBenchFile(
        "wordlist-single-" + std::to_string(count) + "." + extension, [&](const std::string& path) {
            std::string out = extension == "csv" ? "word,translation\n" : "[";
            bool first = true;
            ForEachOwnLine(ReadAll(utf8File), [&](std::string_view word, std::string_view interpret) {
                if (extension == "csv")
                    out.append(word).append(",\"").append(interpret).append("\"\n");
                else
                    out.append(std::exchange(first, false) ? "" : ",\n")
                        .append("{\"name\": \"")
                        .append(word)
                        .append("\", \"trans\": [\"")
                        .append(interpret)
                        .append("\"]}");
            });
            if (extension == "json")
                out += "]\n";
            std::ofstream(path, std::ios::binary) << out;
        });
}

std::string DictionaryCsvFile(std::size_t rows)
{
    return CachedBenchFile("dictionary-" + std::to_string(rows) + ".csv", [rows](const std::string& path) {
        std::ofstream(path, std::ios::binary) << GenerateDictionaryCsv(rows);
    });
}

void Exec(sqlite3* db, const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "sqlite3_exec failed";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

// The tool's table: our columns, with the built-in NOCASE for our collation.
constexpr const char* kToolSchema = "CREATE TABLE DORori (ID INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL, "
                                    "word TEXT, interpret TEXT, remark TEXT);"
                                    "CREATE INDEX wordindex ON DORori(word COLLATE NOCASE);"
                                    "CREATE INDEX interpretindex ON DORori(interpret COLLATE NOCASE);";

sqlite3* OpenToolTable(const std::string& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path);
    return db;
}

// The tool's copy of the generated table: same records with the same IDs.
std::string ToolTablePath(std::size_t count)
{
    return CachedBenchFile(
        "wordlist-tool-" + std::to_string(count) + ".db", [count](const std::string& path) {
            sqlite3* db = OpenToolTable(path);
            Exec(db, kToolSchema);
            Exec(db, "BEGIN");
            sqlite3_stmt* insert = nullptr;
            sqlite3_prepare_v2(db, "INSERT INTO DORori (word, interpret, remark) VALUES (?1, ?2, '')", -1,
                               &insert, nullptr);
            for (const GeneratedWord& entry : GenerateWordList(count)) {
                sqlite3_bind_text(insert, 1, entry.word.data(), static_cast<int>(entry.word.size()),
                                  SQLITE_STATIC);
                sqlite3_bind_text(insert, 2, entry.interpret.data(), static_cast<int>(entry.interpret.size()),
                                  SQLITE_STATIC);
                sqlite3_step(insert);
                sqlite3_reset(insert);
            }
            sqlite3_finalize(insert);
            Exec(db, "COMMIT");
            sqlite3_close(db);
        });
}

// An empty table for the tool's import: the two columns a word-list line holds, its rowid standing
// for ID, and, unless the tool makes them after its import, both NOCASE indexes. (Our exact four
// columns would need a view with a trigger, since `.import` fills columns in order, and make the
// tool slower.)
enum class ToolIndexes { After, RowByRow };

void FreshToolImportTable(const std::string& path, ToolIndexes indexes)
{
    RemoveBenchTable(path);
    sqlite3* db = OpenToolTable(path);
    Exec(db, "CREATE TABLE DORori (word TEXT, interpret TEXT);");
    if (indexes == ToolIndexes::RowByRow)
        Exec(db, "CREATE INDEX wordindex ON DORori(word COLLATE NOCASE);"
                 "CREATE INDEX interpretindex ON DORori(interpret COLLATE NOCASE);");
    sqlite3_close(db);
}

std::size_t ToolCount(const std::string& path)
{
    sqlite3* db = OpenToolTable(path);
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM DORori", -1, &count, nullptr);
    const auto rows = sqlite3_step(count) == SQLITE_ROW ? sqlite3_column_int64(count, 0) : -1;
    sqlite3_finalize(count);
    sqlite3_close(db);
    return static_cast<std::size_t>(rows);
}

// Runs the sqlite3 tool and returns its wall time in seconds.
double RunTool(const std::string& arguments)
{
    const std::string command = "sqlite3 -batch " + arguments + " >/dev/null 2>&1";
    int status = 0;
    const double took = Seconds([&] { status = std::system(command.c_str()); });
    if (status != 0)
        throw std::runtime_error("sqlite3 failed: " + command);
    return took;
}

// The fake window, timing the gaps between the rounds of events the page logic gives it.
class FreezeWatch : public FakeView {
public:
    void ProcessEvents() override { Mark(); }
    void Start()
    {
        last_ = std::chrono::steady_clock::now();
        longest_ = {};
    }
    // The longest gap, the one up to the command's end included.
    double LongestMs()
    {
        Mark();
        return std::chrono::duration<double, std::milli>(longest_).count();
    }

private:
    void Mark()
    {
        const auto now = std::chrono::steady_clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    std::chrono::steady_clock::time_point last_;
    std::chrono::steady_clock::duration longest_{};
};

using Transfer = BenchPage<WordListTransfer, FreezeWatch>;

// This program run again as a child of BM_CommandMemory, with the job "<import|export>\n<table>\n<file>":
// one import or export through the page logic, measured.
const bool kCommandChild = [] {
    const char* job = ChildJob();
    if (!job)
        return false;
    const std::string text(job);
    const auto first = text.find('\n');
    const auto second = text.find('\n', first + 1);
    Transfer run;
    run.table.Open(text.substr(first + 1, second - first - 1));
    run.view.fileAnswers = {text.substr(second + 1)};
    run.view.answers = {Answer::Ok};
    const bool exporting = text.substr(0, first) == "export";
    ReportToParentAndExit(MeasureCommand([&] {
        if (exporting)
            run.logic.SpeedExportClick();
        else
            run.logic.SpeedImportClick();
    }));
}();

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each iteration times ours and then the tool on the same work, so both meet the same load on a
// shared machine; the run reports the tool's median and the median of the iterations' ratios.
class BesideTool {
public:
    void Record(benchmark::State& state, double ours, double tool)
    {
        state.SetIterationTime(ours);
        tool_.push_back(tool);
        ratios_.push_back(ours / tool);
    }
    void Report(benchmark::State& state)
    {
        state.counters["tool_ms"] = Median(tool_) * 1e3;
        state.counters["ratio"] = Median(ratios_);
    }

private:
    std::vector<double> tool_, ratios_;
};

// Flushes a file the tool wrote to disk, as our export does before it replaces the old file.
void FlushToDisk(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0)
        throw std::runtime_error("cannot flush " + path);
    ::close(fd);
}

// The tool writes the same bytes from its copy of the table, reading it through the same map of
// the file as our export, and its file is then made as durable as ours.
void BM_Export(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Transfer run;
    run.table.Open(BenchTablePath(count));
    const std::string out = TmpPath("export", count) + ".txt";
    const std::string tool = TmpPath("tool-export", count) + ".txt";
    const std::string toolTable = ToolTablePath(count);
    // The tool reads through a map of the file, its fastest way here (about a seventh faster at
    // 1M words than through its page cache).
    const std::string toolCommand =
        toolTable + " 'PRAGMA mmap_size = 1073741824' '.mode list' '.separator \"| \" \"\\r\\n\"' '.once " +
        tool +
        "' \"SELECT printf('%-20s', word), interpret FROM DORori ORDER BY word "
        "COLLATE NOCASE, ID\"";
    BesideTool beside;
    for (auto _ : state) {
        run.view.fileAnswers = {out};
        run.view.answers = {Answer::Ok};
        const double ours = Seconds([&] { run.logic.SpeedExportClick(); });
        fs::remove(tool);
        const double took = RunTool(toolCommand) + Seconds([&] { FlushToDisk(tool); });
        beside.Record(state, ours, took);
    }
    beside.Report(state);
    state.counters["bytes"] = static_cast<double>(fs::file_size(out));
    if (ReadAll(out) != ReadAll(tool))
        state.SkipWithError("the tool wrote other bytes");
}

// One import of `file` into a fresh empty table; its time and the longest time the window went
// without its events. A list of another tool ends with its report; the own format says nothing.
double ImportOnce(benchmark::State& state, const std::string& file, std::size_t count, double& longest)
{
    const std::string path = TmpPath("import", count) + ".db";
    Transfer run;
    RemoveBenchTable(path);
    CreateTableFile(path);
    run.table.Open(path);
    run.view.fileAnswers = {file};
    run.view.Start();
    const double took = Seconds([&] { run.logic.SpeedImportClick(); });
    longest = std::max(longest, run.view.LongestMs());
    const std::size_t reports = file.ends_with(".txt") ? 0 : 1;
    if ((count > 0 && run.table.RecordCount() != static_cast<int>(count)) || run.view.boxes.size() != reports)
        state.SkipWithError("the import did not add every word");
    return took;
}

// The tool's `.import` of the same file into a fresh table, with the page cache our import fills
// with; its time. The fair reference does what our import does: one transaction, the rows into the
// bare table, then both indexes. The other keeps the indexes row by row, which is more work.
double ToolImportOnce(benchmark::State& state, const std::string& file, std::size_t count,
                      ToolIndexes indexes)
{
    const std::string path = TmpPath("tool-import", count) + ".db";
    FreshToolImportTable(path, indexes);
    const bool after = indexes == ToolIndexes::After;
    const double took =
        RunTool(path + " 'PRAGMA cache_size = -" + std::to_string(TDictTable::FillCacheKiB) + "'" +
                (after ? " 'BEGIN'" : "") + " '.mode csv' '.separator | \\n' '.import " + file + " DORori'" +
                (after ? " 'CREATE INDEX wordindex ON DORori(word COLLATE NOCASE)'"
                         " 'CREATE INDEX interpretindex ON DORori(interpret COLLATE NOCASE)' 'COMMIT'"
                       : ""));
    if (ToolCount(path) != count)
        state.SkipWithError("the tool did not load every line");
    return took;
}

// Ours beside the fair reference (the ratio), and beside the tool keeping its indexes row by row.
void BM_ImportIntoEmpty(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string file = SingleLineFile(count);
    double longest = 0;
    BesideTool beside;
    std::vector<double> rowByRow;
    for (auto _ : state) {
        const double ours = ImportOnce(state, file, count, longest);
        beside.Record(state, ours, ToolImportOnce(state, file, count, ToolIndexes::After));
        rowByRow.push_back(ours / ToolImportOnce(state, file, count, ToolIndexes::RowByRow));
    }
    beside.Report(state);
    state.counters["ratio_to_row_by_row"] = Median(rowByRow);
    state.counters["longest_freeze_ms"] = longest;
}

void ImportIntoEmpty(benchmark::State& state, const std::string& file)
{
    double longest = 0;
    for (auto _ : state)
        state.SetIterationTime(ImportOnce(state, file, static_cast<std::size_t>(state.range(0)), longest));
    state.counters["longest_freeze_ms"] = longest;
}

void BM_ImportIntoEmptyUtf8(benchmark::State& state)
{
    ImportIntoEmpty(state, Utf8SingleLineFile(static_cast<std::size_t>(state.range(0))));
}

void BM_ImportIntoEmptyTsv(benchmark::State& state)
{
    ImportIntoEmpty(state, TsvFile(static_cast<std::size_t>(state.range(0))));
}

void BM_ImportFormatsBesideOwn(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string own = SingleLineFile(count);
    const std::string files[] = {TsvFile(count), OtherToolFile(count, "csv"), OtherToolFile(count, "json")};
    std::vector<double> ratios[3];
    double longest = 0;
    for (auto _ : state) {
        const double ownTime = ImportOnce(state, own, count, longest);
        state.SetIterationTime(ownTime);
        for (int i = 0; i < 3; ++i)
            ratios[i].push_back(ImportOnce(state, files[i], count, longest) / ownTime);
    }
    const char* names[] = {"tsv_ratio", "csv_ratio", "json_ratio"};
    for (int i = 0; i < 3; ++i)
        state.counters[names[i]] = Median(ratios[i]);
}

// The tool's table for a merge: the generated words in the columns a word-list line holds, and
// both NOCASE indexes.
std::string ToolMergeBasePath(std::size_t count)
{
    return CachedBenchFile(
        "wordlist-tool-merge-base-" + std::to_string(count) + ".db", [count](const std::string& path) {
            FreshToolImportTable(path, ToolIndexes::After);
            RunTool(path + " 'BEGIN' '.mode csv' '.separator | \\n' '.import " + SingleLineFile(count) +
                    " DORori' 'CREATE INDEX wordindex ON DORori(word COLLATE NOCASE)'"
                    " 'CREATE INDEX interpretindex ON DORori(interpret COLLATE NOCASE)' 'COMMIT'");
        });
}

// 100k new words merged into a table of 1M (our import, every word looked up and added with both
// indexes kept), against the tool's `.import` of the same file into its indexed table of the same
// words, in one transaction with the cache our merge uses. Each side starts from a fresh copy.
void BM_MergeNewWords(benchmark::State& state)
{
    const auto stored = static_cast<std::size_t>(state.range(0));
    const auto added = static_cast<std::size_t>(state.range(1));
    const std::string file = NewWordsFile(stored, added);
    const std::string toolBase = ToolMergeBasePath(stored);
    const std::string toolTable = TmpPath("tool-merge", stored) + ".db";
    const std::string toolCommand =
        toolTable + " 'PRAGMA cache_size = -" + std::to_string(TDictTable::BatchCacheKiB) +
        "' 'BEGIN' '.mode csv' '.separator | \\n' '.import " + file + " DORori' 'COMMIT'";
    double longest = 0;
    BesideTool beside;
    for (auto _ : state) {
        Transfer run;
        run.table.Open(FreshBenchTableCopy(stored, "merge"));
        run.view.fileAnswers = {file};
        run.view.Start();
        const double ours = Seconds([&] { run.logic.SpeedImportClick(); });
        longest = std::max(longest, run.view.LongestMs());
        if (run.table.RecordCount() != static_cast<int>(stored + added))
            state.SkipWithError("the merge did not add every word");
        RemoveBenchTable(toolTable);
        fs::copy_file(toolBase, toolTable);
        beside.Record(state, ours, RunTool(toolCommand));
        if (ToolCount(toolTable) != stored + added)
            state.SkipWithError("the tool did not add every line");
    }
    beside.Report(state);
    state.counters["longest_freeze_ms"] = longest;
}

void BM_DictionaryCsvBesideTool(benchmark::State& state)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    const std::string file = DictionaryCsvFile(rows);
    const std::string toolTable = TmpPath("tool-dictionary", rows) + ".db";
    const std::string toolCommand =
        toolTable + " 'PRAGMA cache_size = -" + std::to_string(TDictTable::FillCacheKiB) +
        "' 'BEGIN' '.import --csv " + file +
        " DORori' 'CREATE INDEX wordindex ON DORori(word COLLATE NOCASE)' "
        "'CREATE INDEX interpretindex ON DORori(translation COLLATE NOCASE)' 'COMMIT'";
    double longest = 0;
    BesideTool beside;
    for (auto _ : state) {
        const double ours = ImportOnce(state, file, 0, longest);
        RemoveBenchTable(toolTable);
        beside.Record(state, ours, RunTool(toolCommand));
    }
    beside.Report(state);
    state.counters["longest_freeze_ms"] = longest;
}

void BM_ReimportExported(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Transfer run;
    run.table.Open(FreshBenchTableCopy(count, "reimport"));
    const std::string file = TmpPath("reimport", count) + ".txt";
    run.view.fileAnswers = {file};
    run.view.answers = {Answer::Ok};
    run.logic.SpeedExportClick();
    run.view.boxes.clear();
    double longest = 0;
    for (auto _ : state) {
        run.view.fileAnswers = {file};
        run.view.Start();
        state.SetIterationTime(Seconds([&] { run.logic.SpeedImportClick(); }));
        longest = std::max(longest, run.view.LongestMs());
        if (!run.view.boxes.empty() || run.table.RecordCount() != static_cast<int>(count))
            state.SkipWithError("the re-import changed or asked something");
    }
    state.counters["longest_freeze_ms"] = longest;
}

// The fake window that is closed (by the user or by a signal) once the import's bar reaches
// `stopAt` percent.
class ClosingView : public FakeView {
public:
    ClosingView(WordListTransfer*& transfer, int stopAt) : transfer_(transfer), stopAt_(stopAt) {}
    void SetProgress(int percent) override
    {
        if (percent < stopAt_ || stopped)
            return;
        stopped = std::chrono::steady_clock::now();
        transfer_->Stop();
    }
    std::optional<std::chrono::steady_clock::time_point> stopped;

private:
    WordListTransfer*& transfer_;
    int stopAt_;
};

// The single-line file of 1M words, stopped after state.range(0) lines, into an empty table
// (state.range(1) == 0) or into the generated table of 10k words, whose words it repeats with
// other explanations answered No (1): the time from the stop until the table is closed.
void BM_StopImport(benchmark::State& state)
{
    constexpr std::size_t kLines = 1000000;
    const int stopAt = static_cast<int>(state.range(0) * 100 / static_cast<long>(kLines));
    const std::string file = SingleLineFile(kLines);
    const std::string path = TmpPath("stop", kLines) + ".db";
    std::size_t stored = 0;
    for (auto _ : state) {
        RemoveBenchTable(path);
        if (state.range(1))
            fs::copy_file(BenchTablePath(10000), path);
        else
            CreateTableFile(path);
        TDictTable table;
        table.Open(path);
        const int before = table.RecordCount();
        FormState form;
        WordListTransfer* running = nullptr;
        ClosingView view(running, stopAt);
        WordListTransfer transfer({table, form, view});
        running = &transfer;
        view.fileAnswers = {file};
        view.answers.assign(kLines, Answer::No);
        transfer.SpeedImportClick();
        stored = static_cast<std::size_t>(table.RecordCount() - before);
        table.Close();
        if (!view.stopped) {
            state.SkipWithError("the import was not stopped");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - *view.stopped).count());
    }
    state.counters["stored"] = static_cast<double>(stored);
}

// One command in a process of its own. state.range(1) == 0: an import of the single-line file into
// an empty table; 1: an import of the list exported from the generated table, into that table; 2:
// an export of the generated table.
void BM_CommandMemory(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const bool reimport = state.range(1) == 1;
    const bool exporting = state.range(1) == 2;
    const std::string table = TmpPath("memory", count) + ".db";
    RemoveBenchTable(table);
    std::string file = SingleLineFile(count);
    if (exporting) {
        fs::copy_file(BenchTablePath(count), table);
        file = TmpPath("memory-export", count) + ".txt";
    } else if (reimport) {
        fs::copy_file(BenchTablePath(count), table);
        file = TmpPath("memory", count) + ".txt";
        Transfer run;
        run.table.Open(table);
        run.view.fileAnswers = {file};
        run.view.answers = {Answer::Ok};
        run.logic.SpeedExportClick();
    } else {
        CreateTableFile(table);
    }
    for (auto _ : state)
        MeasureInChild(state, std::string(exporting ? "export" : "import") + "\n" + table + "\n" + file);
}

#define SIZES ->Apply(BenchTableSizes)->UseManualTime()->Unit(benchmark::kMillisecond)
// Beside the tool: more iterations where one takes less time, so the medians settle.
#define BESIDE_TOOL ->UseManualTime()->Unit(benchmark::kMillisecond)
BENCHMARK(BM_Export)->Arg(10000)->Iterations(9) BESIDE_TOOL;
BENCHMARK(BM_Export)->Arg(100000)->Iterations(5) BESIDE_TOOL;
BENCHMARK(BM_Export)->Arg(1000000)->Iterations(3) BESIDE_TOOL;
BENCHMARK(BM_ImportIntoEmpty)->Arg(10000)->Iterations(9) BESIDE_TOOL;
BENCHMARK(BM_ImportIntoEmpty)->Arg(100000)->Iterations(5) BESIDE_TOOL;
BENCHMARK(BM_ImportIntoEmpty)->Arg(1000000)->Iterations(3) BESIDE_TOOL;
BENCHMARK(BM_ImportIntoEmptyUtf8) SIZES->Iterations(2);
BENCHMARK(BM_ImportIntoEmptyTsv) SIZES->Iterations(2);
BENCHMARK(BM_ReimportExported) SIZES->Iterations(2);
BENCHMARK(BM_ImportFormatsBesideOwn)->Arg(100000)->Iterations(5) BESIDE_TOOL;
BENCHMARK(BM_MergeNewWords)->Args({1000000, 100000})->Iterations(3) BESIDE_TOOL;
BENCHMARK(BM_DictionaryCsvBesideTool)->Arg(770000)->Iterations(3) BESIDE_TOOL;
BENCHMARK(BM_StopImport)
    ->ArgsProduct({{400000}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_CommandMemory)->ArgsProduct({{10000, 100000, 1000000}, {0, 1, 2}})->Iterations(1);

} // namespace

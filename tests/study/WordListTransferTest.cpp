#include "store/DictSchema.h"
#include "support/Gbk.h"
#include "support/StudyFixture.h"
#include "wordlist/WordListFormat.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <vector>

namespace {

class WordListTransferTest : public StudyFixture {
protected:
    WordListTransfer& transfer() { return pages->transfer; }

    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void Export(const std::string& name)
    {
        view.fileAnswers.push_back(PathOf(name));
        transfer().SpeedExportClick();
    }
    void Import(const std::string& bytes, const std::string& name = "in.txt")
    {
        WriteFile(PathOf(name), bytes);
        view.fileAnswers.push_back(PathOf(name));
        transfer().SpeedImportClick();
    }
    // The stored explanation of a word, or "<none>".
    std::string Stored(const std::string& word)
    {
        return table.SeekExact(word) ? table.FieldByName("interpret") : "<none>";
    }
    // Every record in word order, as a second connection sees the file.
    std::vector<std::tuple<std::string, std::string, std::string>> Records()
    {
        TDictTable other;
        other.Open((dir / "DORori.db").string());
        std::vector<std::tuple<std::string, std::string, std::string>> records;
        for (other.First(); !other.Eof(); other.Next())
            records.emplace_back(other.FieldByName("ID"), other.FieldByName("word"),
                                 other.FieldByName("interpret"));
        return records;
    }
    std::vector<std::string> FilesInDir() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string MergeQuestion(const std::string& word, const std::string& from, const std::string& to)
    {
        return G("【") + word + G("】已经存在词库中,是否将注释由:\r\n\r\n  (") + from +
               G(")\r\n\r\n     更新为\r\n\r\n  (") + to + ")?";
    }
    // The import's end message: the file and its encoding, then a line for each count (UTF-8),
    // then the report file when one was written.
    std::string ImportMessage(const std::string& name, const char* encoding,
                              const std::vector<std::string>& lines, bool reportFile = false)
    {
        std::string text = G("导入完成：") + PathOf(name) + G("（") + encoding + G("）");
        for (const std::string& line : lines)
            text += "\r\n" + G(line);
        if (reportFile)
            text += G("\r\n\r\n详细情况见文件：\r\n") + PathOf(name) + G(".导入报告.txt");
        return text;
    }
    void ExpectIdle()
    {
        EXPECT_FALSE(view.progressVisible);
        EXPECT_FALSE(transfer().Running());
    }
};

const std::string kWord20 = "abcdefghijklmnopqrst";
const std::string kWord25 = "abcdefghijklmnopqrstuvwxy";

TEST_F(WordListTransferTest, ExportWritesEveryRecordInWordOrderByteForByte)
{
    AddWords({{"international", G("国际的")}, {"cat", G("猫")}, {kWord25, "y"}, {kWord20, "x"}});
    Export("list");

    EXPECT_EQ(view.fileTitles, std::vector<std::string>{G("请输入需要导出的词库文件名")});
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(ReadFile(PathOf("list.txt")),
              kWord20 + "| x\r\n" + kWord25 + "| y\r\n" + "cat" + std::string(17, ' ') + "| " + G("猫") +
                  "\r\n" + "international" + std::string(7, ' ') + "| " + G("国际的") + "\r\n");
    // The bar follows the record number after each step: 2, 3, 4 and 4 again at the end of 4.
    EXPECT_EQ(view.progress, (std::vector<int>{0, 50, 75, 100}));
    ExpectIdle();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(CurrentWord(), "international");

    // An empty table gives an empty file; a name with an extension is kept as it is.
    table.First();
    while (table.RecordCount() > 0)
        table.Delete();
    Export("list.v1");
    EXPECT_TRUE(std::filesystem::exists(PathOf("list.v1")));
    EXPECT_EQ(ReadFile(PathOf("list.v1")), "");
    EXPECT_FALSE(std::filesystem::exists(PathOf("list.v1.txt")));
}

TEST_F(WordListTransferTest, ExportAsksBeforeReplacingAFileAndCancelLeavesItAlone)
{
    AddWords({{"cat", G("猫")}});
    const std::string path = PathOf("词库\xF0\x9F\x98\x80.txt");
    const std::string name = G("词库") + "?.txt"; // a character GBK cannot hold shows as '?'
    WriteFile(path, "old");

    view.answers = {Answer::Cancel};
    view.fileAnswers.push_back(path);
    transfer().SpeedExportClick();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text,
              G("文件名 ") + dir.path().string() + "/" + name + G(" 已经存在，是否允许覆盖?"));
    EXPECT_EQ(view.boxes[0].caption, G("警告"));
    EXPECT_EQ(view.boxes[0].question, Question::AskOverwrite);
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_TRUE(view.progress.empty());

    view.answers = {Answer::Ok};
    view.fileAnswers.push_back(path);
    transfer().SpeedExportClick();
    EXPECT_EQ(ReadFile(path), "cat" + std::string(17, ' ') + "| " + G("猫") + "\r\n");

    // A cancelled dialog does nothing at all.
    transfer().SpeedExportClick();
    EXPECT_EQ(view.boxes.size(), 2u);
    ExpectIdle();
}

TEST_F(WordListTransferTest, ExportThatFailsMidwayKeepsTheOldFile)
{
    std::vector<std::pair<std::string, std::string>> words;
    for (int i = 0; i < 50; ++i)
        words.emplace_back("word" + std::to_string(i), G("释义"));
    AddWords(words);
    WriteFile(PathOf("list.txt"), "old list");
    const auto before = FilesInDir();

    // Writing stops after 100 bytes, as on a full disk.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    view.answers = {Answer::Ok};
    std::string error;
    try {
        Export("list.txt");
    } catch (const std::runtime_error& e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error.rfind("Cannot write file " + PathOf("list.txt"), 0), 0u) << error;
    EXPECT_EQ(ReadFile(PathOf("list.txt")), "old list");
    EXPECT_EQ(FilesInDir(), before); // no half-written file left behind
    ExpectIdle();
}

TEST_F(WordListTransferTest, ImportOfAnExportedFileChangesNothingAndAsksNothing)
{
    AddWords({{"cat", G("猫")},
              {"Dog", G("狗") + "\r\n" + G("犬") + "\r\n  n. " + G("走狗")},
              {kWord20, "x"},
              {kWord25, "y"},
              {"end", G("结束") + "\r\n" + G("最后一行")},
              {"long", std::string(125, 'e')}});
    Export("list.txt");
    const auto records = Records();
    view.fileAnswers.push_back(PathOf("list.txt"));
    transfer().SpeedImportClick();
    EXPECT_EQ(view.fileTitles.back(), G("请输入需要导入的词库文件名"));
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(Records(), records);
    EXPECT_EQ(view.progress.back(), 100);
    ExpectIdle();
}

TEST_F(WordListTransferTest, ImportAddsNewWordsWithTheirContinuationLines)
{
    Import(" stray\r\napple | " + G("苹果") + "\r\n\r\n  Cat  |  " + G("猫") + "  \r\n   \r\n | " +
           G("猫科") + "\r\ndog|" + G("狗") + "\r\n\r\n");
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(Stored("apple"), G("苹果") + "\r\n");
    EXPECT_EQ(Stored("Cat"), G("猫") + "\r\n   \r\n" + G("猫科"));
    EXPECT_EQ(CurrentWord(), "Cat"); // the stored word keeps the file's spelling
    EXPECT_EQ(Stored("dog"), G("狗") + "\r\n");
    ExpectIdle();
}

TEST_F(WordListTransferTest, Utf8ListsAreStoredAsGbkAndTheEntriesLeftOutAreNamedOnce)
{
    const std::string list = "apple               | n. 苹果\r\n  a fruit\r\nsmile | 😀 微笑\r\n"
                             "cat | 猫\r\ndog😀 | 狗\r\n";
    const std::string note = ImportMessage(
        "in.txt", "UTF-8", {"新增 2 个，第一个是【apple】", "没有导入 2 个，第一个是【smile】"}, true);
    for (const std::string& bytes : {"\xEF\xBB\xBF" + list, list}) {
        table.First();
        while (!table.Eof())
            table.Delete();
        view.boxes.clear();
        Import(bytes);
        EXPECT_EQ(Stored("apple"), G("n. 苹果\r\n  a fruit"));
        EXPECT_EQ(Stored("cat"), G("猫"));
        EXPECT_EQ(table.RecordCount(), 2);
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].text, note);
        EXPECT_EQ(view.boxes[0].caption, G("警告"));
        EXPECT_EQ(view.boxes[0].question, Question::WarningNotice);
        ExpectIdle();
    }
    // The export stays GBK, byte for byte.
    view.answers = {Answer::Ok};
    Export("out.txt");
    EXPECT_EQ(ReadFile(PathOf("out.txt")), G("apple               | n. 苹果\r\n  a fruit\r\n"
                                             "cat                 | 猫\r\n"));

    // A GBK list, and one of ASCII alone, are read as GBK and leave nothing out.
    view.boxes.clear();
    Import(G("fig | 无花果\r\ndog | 狗\r\n") + "ant | an insect\r\n");
    EXPECT_EQ(Stored("dog"), G("狗"));
    Import("eel | a fish \xA9\r\n");
    EXPECT_EQ(Stored("eel"), "a fish \xA9");
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(WordListTransferTest, DuplicatesInOtherCaseAskOnlyWhenTheExplanationDiffers)
{
    AddWords({{"Cat", G("猫")}, {"Dog", G("狗")}, {"Owl", G("猫头鹰")}});
    view.answers = {Answer::Yes, Answer::No};
    Import("cAT | " + G("猫") + "\r\nDOG | " + G("犬") + "\r\nowl|" + G("鸮") + "\r\nemu|" + G("鸸鹋"));

    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[0].text, MergeQuestion("DOG", G("狗"), G("犬")));
    EXPECT_EQ(view.boxes[0].caption, G("提示"));
    EXPECT_EQ(view.boxes[0].question, Question::AskYesNoCancel);
    EXPECT_EQ(Stored("dog"), G("犬"));
    EXPECT_EQ(CurrentWord(), "Dog"); // Yes replaces only the explanation
    EXPECT_EQ(Stored("owl"), G("猫头鹰"));
    EXPECT_EQ(Stored("cat"), G("猫"));
    EXPECT_EQ(Stored("emu"), G("鸸鹋"));
    EXPECT_EQ(table.RecordCount(), 4);
}

TEST_F(WordListTransferTest, CancelOnTheSecondQuestionKeepsWhatWasStoredBefore)
{
    AddWords({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    view.answers = {Answer::Yes, Answer::Cancel};
    Import("a|one\r\nnew1|x\r\nb|two\r\nnew2|y\r\nc|three\r\n");

    EXPECT_EQ(view.boxes.size(), 2u);
    // A second connection sees the update and the addition: nothing was left uncommitted.
    const auto records = Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(std::get<2>(records[0]), "one");
    EXPECT_EQ(std::get<1>(records[3]), "new1");
    EXPECT_EQ(Stored("b"), "2");
    EXPECT_EQ(Stored("new2"), "<none>");
    EXPECT_EQ(Stored("c"), "3");
    ExpectIdle();
}

TEST_F(WordListTransferTest, ExplanationLongerThanItsFieldIsNotAskedAboutAgain)
{
    // 1 + 100 two-byte characters: the field keeps "a" and 62 characters. (A file of "a" and 猫
    // alone would be valid UTF-8, and read as such.)
    std::string text = "a";
    for (int i = 0; i < 100; ++i)
        text += G("汉");
    // Each import says what it cut.
    const std::string cut = "超过词库的长度、已截断 1 个，第一个是【long】";
    for (const char* merged : {"新增 1 个，第一个是【long】", "相同未变 1 个，第一个是【long】"}) {
        view.boxes.clear();
        Import("long|" + text + "\r\n");
        EXPECT_EQ(Stored("long"), text.substr(0, 125));
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].text, ImportMessage("in.txt", "GBK", {merged, cut}, true));
    }

    // A real difference is shown as it would be stored.
    view.boxes.clear();
    view.answers = {Answer::No};
    Import("long|b" + text.substr(1) + "\r\n");
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[0].text, MergeQuestion("long", text.substr(0, 125), "b" + text.substr(1, 124)));
}

TEST_F(WordListTransferTest, ImportBarCountsWholeBlocksOf128Bytes)
{
    Import("a|1\r\nb|2\r\n" + std::string(100, ' '));
    EXPECT_EQ(view.progress, std::vector<int>{0}); // under one block the bar never moves

    // Three lines of 100 bytes: two whole blocks; each line takes the block its end lies in.
    view.progress.clear();
    const std::string filler(95, 'x');
    Import("w1|" + filler + "\r\nw2|" + filler + "\r\nw3|" + filler + "\r\n");
    EXPECT_EQ(view.progress, (std::vector<int>{0, 50, 100}));
    ExpectIdle();
}

TEST_F(WordListTransferTest, ImportOfAMissingFileReportsTheErrorAndChangesNothing)
{
    view.fileAnswers.push_back(PathOf("missing.txt"));
    EXPECT_THROW(transfer().SpeedImportClick(), std::runtime_error);
    EXPECT_TRUE(view.progress.empty());
    ExpectIdle();
    // A cancelled dialog does nothing.
    transfer().SpeedImportClick();
    EXPECT_EQ(view.fileTitles.size(), 2u);
    EXPECT_EQ(table.RecordCount(), 0);
}

TEST_F(WordListTransferTest, ImportRefusesADeviceAPipeOrAFolderBeforeReadingIt)
{
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
    for (const std::string& path : {std::string("/dev/zero"), PathOf("pipe"), dir.path().string()}) {
        view.fileAnswers.push_back(path);
        try {
            transfer().SpeedImportClick();
            ADD_FAILURE() << path << " was read";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(G(" 不是普通文件（它是")), std::string::npos)
                << error.what();
            EXPECT_EQ(std::string(error.what()).rfind(G("文件 ") + path, 0), 0u) << error.what();
        }
        EXPECT_TRUE(view.progress.empty());
        ExpectIdle();
    }
}

// A window whose events and questions arrive while a command runs.
class BusyView : public FakeView {
public:
    std::function<void()> onQuestion;
    std::function<void()> onEvents;
    Answer MessageBox(const std::string& text, const std::string& caption, Question question) override
    {
        if (onQuestion)
            onQuestion();
        return FakeView::MessageBox(text, caption, question);
    }
    void ProcessEvents() override
    {
        FakeView::ProcessEvents();
        if (onEvents)
            onEvents();
    }
};

TEST_F(WordListTransferTest, NoSecondCommandStartsWhileOneRunsAndQuestionsWaitOnCommittedData)
{
    AddWords({{"b", "2"}});
    BusyView busy;
    WordListTransfer running({table, pages->state, busy});
    int tries = 0;
    const auto tryAnother = [&] {
        ++tries;
        EXPECT_TRUE(running.Running());
        running.SpeedExportClick();
        running.SpeedImportClick();
    };
    busy.onEvents = tryAnother;
    busy.onQuestion = [&] {
        tryAnother();
        // While the question waits, what the import stored is already committed.
        EXPECT_EQ(Records().size(), 2u);
    };
    WriteFile(PathOf("in.txt"), "a|1\r\nb|two\r\n");
    busy.fileAnswers = {PathOf("in.txt"), PathOf("other.txt")};
    busy.answers = {Answer::No};
    running.SpeedImportClick();
    EXPECT_GE(tries, 1); // commits also let the window take its events
    EXPECT_EQ(busy.fileTitles.size(), 1u);
    EXPECT_EQ(busy.boxes.size(), 1u);
    EXPECT_FALSE(running.Running());

    // The overwrite question comes while the export runs.
    WriteFile(PathOf("out.txt"), "old");
    busy.fileAnswers = {PathOf("out.txt")};
    busy.answers = {Answer::Ok};
    running.SpeedExportClick();
    EXPECT_GE(tries, 2);
    EXPECT_EQ(busy.fileTitles.size(), 2u);
    EXPECT_FALSE(running.Running());
}

TEST_F(WordListTransferTest, AClosingWindowStopsACommandAtItsNextRecordKeepingWhatWasStored)
{
    // Long enough that the window takes its events several times on the way.
    std::vector<std::pair<std::string, std::string>> words;
    std::string lines;
    for (int i = 0; i < 50000; ++i) {
        words.emplace_back("a" + std::to_string(100000 + i), "x");
        lines += "b" + std::to_string(100000 + i) + "|" + std::to_string(i) + "\r\n";
    }
    AddWords(words);
    BusyView busy;
    WordListTransfer running({table, pages->state, busy});
    busy.onEvents = [&] { running.Stop(); };

    // An export stopped midway leaves the file it would have replaced, and nothing beside it.
    WriteFile(PathOf("out.txt"), "old");
    const auto before = FilesInDir();
    busy.fileAnswers = {PathOf("out.txt")};
    busy.answers = {Answer::Ok};
    running.SpeedExportClick();
    EXPECT_FALSE(running.Running());
    EXPECT_EQ(ReadFile(PathOf("out.txt")), "old");
    EXPECT_EQ(FilesInDir(), before);

    // An import keeps the records it stored before its stop, in file order.
    WriteFile(PathOf("in.txt"), lines);
    busy.fileAnswers = {PathOf("in.txt")};
    running.SpeedImportClick();
    EXPECT_FALSE(running.Running());
    const int stored = table.RecordCount() - 50000;
    EXPECT_GT(stored, 0);
    EXPECT_LT(stored, 50000);
    EXPECT_EQ(Stored("b" + std::to_string(100000 + stored - 1)), std::to_string(stored - 1));
    EXPECT_EQ(Records().size(), static_cast<std::size_t>(50000 + stored)); // committed

    // The next command runs whole.
    busy.onEvents = nullptr;
    busy.fileAnswers = {PathOf("out.txt")};
    busy.answers = {Answer::Ok};
    running.SpeedExportClick();
    const std::string written = ReadFile(PathOf("out.txt"));
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 50000 + stored);
}

// The engine's own check of a table file, with the word collation its indexes are ordered by.
std::string IntegrityOf(const std::string& path)
{
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        RegisterWordCollation(db);
        sqlite3_stmt* check = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr) == SQLITE_OK &&
            sqlite3_step(check) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
        sqlite3_finalize(check);
    }
    sqlite3_close(db);
    return result;
}

TEST_F(WordListTransferTest, AStoppedImportKeepsWhatItStoredInAnEmptyTableAndInAnother)
{
    std::string lines;
    for (int i = 0; i < 50000; ++i)
        lines += "b" + std::to_string(100000 + i) + "|" + std::to_string(i) + "\r\n";
    WriteFile(PathOf("in.txt"), lines);
    BusyView busy;
    WordListTransfer running({table, pages->state, busy});
    busy.onEvents = [&] { running.Stop(); };

    // The fill of the empty table keeps what it stored.
    busy.fileAnswers = {PathOf("in.txt")};
    running.SpeedImportClick();
    EXPECT_FALSE(running.Running());
    const int filled = table.RecordCount();
    EXPECT_GT(filled, 0);
    EXPECT_EQ(Stored("b" + std::to_string(100000 + filled - 1)), std::to_string(filled - 1));
    EXPECT_EQ(Records().size(), static_cast<std::size_t>(filled));

    EXPECT_EQ(IntegrityOf(PathOf("DORori.db")), "ok");

    // So does an import into a table that is not empty.
    for (char& c : lines)
        c = c == 'b' ? 'c' : c;
    WriteFile(PathOf("in.txt"), lines);
    busy.fileAnswers = {PathOf("in.txt")};
    running.SpeedImportClick();
    const int added = table.RecordCount() - filled;
    EXPECT_GT(added, 0);
    EXPECT_EQ(Stored("c" + std::to_string(100000 + added - 1)), std::to_string(added - 1));
    EXPECT_EQ(Records().size(), static_cast<std::size_t>(filled + added));
    EXPECT_EQ(IntegrityOf(PathOf("DORori.db")), "ok");
}

// From 100k records on, an import of about the table's size first reads what the table holds and
// passes over the lines it holds unchanged without seeking them: it must ask and store exactly what
// a seek per line would.
TEST_F(WordListTransferTest, AnImportIntoALargeTableAsksAndStoresAsASeekPerLineWould)
{
    std::vector<std::pair<std::string, std::string>> words;
    std::string lines;
    for (int i = 0; i < 100000; ++i)
        words.emplace_back("w" + std::to_string(100000 + i), "x" + std::to_string(i));
    for (int i = 99999; i >= 0; --i) // out of word order
        lines += "w" + std::to_string(100000 + i) + "|x" + std::to_string(i) + "\r\n";
    words.emplace_back("twice", "first");
    words.emplace_back("TWICE", "second");
    AddWords(words);
    lines += "twice|first\r\n"     // the seek finds the first of the two records: nothing asked
             "TWICE|second\r\n"    // asked, No
             "w100007|changed\r\n" // asked, Yes
             "W100007|again\r\n"   // asked again about what it now holds, No
             "w100007|x7\r\n"      // what it held before the change: asked, No
             "W100009|x9\r\n"      // unchanged in another letter case: nothing asked
             "new|n\r\n"           // added
             "NEW|n2\r\n"          // asked about the record just added, Yes
             "w100010|x10\r\n";    // unchanged: the import ends on its record all the same
    view.answers = {Answer::No, Answer::Yes, Answer::No, Answer::No, Answer::Yes};
    Import(lines);

    EXPECT_EQ(CurrentWord(), "w100010");
    ASSERT_EQ(view.boxes.size(), 5u);
    EXPECT_EQ(view.boxes[0].text, MergeQuestion("TWICE", "first", "second"));
    EXPECT_EQ(view.boxes[1].text, MergeQuestion("w100007", "x7", "changed"));
    EXPECT_EQ(view.boxes[2].text, MergeQuestion("W100007", "changed", "again"));
    EXPECT_EQ(view.boxes[3].text, MergeQuestion("w100007", "changed", "x7"));
    EXPECT_EQ(view.boxes[4].text, MergeQuestion("NEW", "n", "n2"));
    EXPECT_EQ(table.RecordCount(), 100003);
    EXPECT_EQ(Stored("w100007"), "changed");
    EXPECT_EQ(Stored("new"), "n2");
    EXPECT_EQ(Stored("twice"), "first");
    EXPECT_EQ(Stored("w199999"), "x99999");
    ExpectIdle();
}

TEST_F(WordListTransferTest, ListsOfOtherToolsMergeByTheirNamesExtension)
{
    Import("\xEF\xBB\xBF#separator:tab\n#html:true\ncat\t<b>n.</b> \xE7\x8C\xAB<br>pl. cats\textra\n",
           "notes.txt");
    Import("word,meaning\n\"dog, the\",\"n. " + G("狗") + "\r\n" + G("犬") + "\"\n", "list.CSV");
    Import(
        R"([{"name": "apple", "trans": ["n. 苹果", "苹果树"]}, {"trans": "x"}, {"name": "pear", "trans": "n. 梨"}])",
        "chapter.json");
    // The same text read as the own format is one continuation line after another.
    Import("owl\tn. owl\n", "owl.txt");
    EXPECT_EQ(Stored("cat"), "n. " + G("猫") + "\r\npl. cats");
    EXPECT_EQ(Stored("dog, the"), "n. " + G("狗") + "\r\n" + G("犬"));
    EXPECT_EQ(Stored("apple"), G("n. 苹果\r\n苹果树"));
    EXPECT_EQ(Stored("pear"), G("n. 梨"));
    EXPECT_EQ(Stored("owl"), "<none>");
    // Each list of another tool ends with its report; the own format found no entry and says so.
    ASSERT_EQ(view.boxes.size(), 4u);
    EXPECT_EQ(view.boxes[0].text, ImportMessage("notes.txt", "UTF-8", {"新增 1 个，第一个是【cat】"}));
    EXPECT_EQ(view.boxes[3].text,
              G("文件 ") + PathOf("owl.txt") +
                  G(" 中没有找到可以导入的词条。\r\n\r\n每个单词都需要一个解释。请每行写一个单词和"
                    "它的解释，中间用“|”分开，例如：\r\napple | n. 苹果"));
    EXPECT_EQ(view.boxes[3].question, Question::Notice);
    ExpectIdle();
}

TEST_F(WordListTransferTest, ABadFileIsNamedWithWhereReadingStopped)
{
    // Broken JSON stores nothing, not even the elements before the fault.
    Import("[{\"name\": \"a\", \"trans\": \"1\"},\n{\"name\": \"b\" \"trans\": \"2\"}]", "bad.json");
    EXPECT_EQ(Stored("a"), "<none>");
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text,
              G("词库文件 ") + PathOf("bad.json") +
                  G(" 在第 2 行（第 50 字节处）读不下去：JSON 格式错误。没有导入任何词条。"));
    EXPECT_EQ(view.boxes[0].question, Question::Notice);

    // A CSV keeps what came before its open quote, and still says what it cut.
    view.boxes.clear();
    Import("a,1\nlong," + std::string(130, 'x') + "\nc,\"3\n", "bad.csv");
    EXPECT_EQ(Stored("a"), "1");
    EXPECT_EQ(Stored("long"), std::string(125, 'x'));
    EXPECT_EQ(Stored("c"), "<none>");
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text,
              G("词库文件 ") + PathOf("bad.csv") +
                  G(" 在第 3 行（第 142 字节处）读不下去：引号没有结束。此前的词条已经导入。\r\n\r\n") +
                  ImportMessage("bad.csv", "GBK",
                                {"新增 2 个，第一个是【a】", "超过词库的长度、已截断 1 个，第一个是【long】"},
                                true));
    ExpectIdle();
}

TEST_F(WordListTransferTest, ThreeEqualAnswersInARowOfferOneAnswerForAllDuplicates)
{
    struct Row {
        const char* name;
        std::deque<Answer> answers;
        int questions;        // boxes asked in all
        std::string expected; // the explanations of the six words afterwards, one letter each
    };
    const std::vector<Row> rows = {
        {"yes to the offer applies yes", {Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes}, 4, "nnnnnn"},
        {"no to the offer keeps asking, and it comes again",
         {Answer::No, Answer::No, Answer::No, Answer::No, Answer::No, Answer::No, Answer::No, Answer::Yes},
         8,
         "oooooo"},
        {"a broken run asks no offer",
         {Answer::Yes, Answer::No, Answer::Yes, Answer::Yes, Answer::No, Answer::Yes},
         6,
         "nonnon"},
        {"cancel still ends the import",
         {Answer::Yes, Answer::Yes, Answer::Yes, Answer::No, Answer::Cancel},
         5,
         "nnnooo"},
    };
    for (const Row& row : rows) {
        // Words of their own for each row, so that each starts without a duplicate answered.
        const std::string prefix = "r" + std::to_string(&row - rows.data()) + "w";
        std::string old, changed;
        for (int i = 1; i <= 6; ++i) {
            AppendWordListLine(old, prefix + std::to_string(i), "o");
            AppendWordListLine(changed, prefix + std::to_string(i), "n");
        }
        Import(old);
        view.boxes.clear();
        view.answers = row.answers;
        Import(changed);
        std::string stored;
        for (int i = 1; i <= 6; ++i)
            stored += Stored(prefix + std::to_string(i));
        EXPECT_EQ(stored, row.expected) << row.name;
        ASSERT_EQ(view.boxes.size(), static_cast<std::size_t>(row.questions)) << row.name;
        for (std::size_t i = 0; i < view.boxes.size(); ++i) {
            const bool offer = view.boxes[i].question == Question::AskYesNo;
            // The offer follows the third equal answer of a run, and names that answer.
            if (offer) {
                EXPECT_EQ(view.boxes[i].caption, G("提示")) << row.name;
                const bool yes = row.answers[i - 1] == Answer::Yes;
                EXPECT_EQ(view.boxes[i].text, G(yes ? "以后遇到重复的单词都选择【是】吗？"
                                                    : "以后遇到重复的单词都选择【否】吗？"))
                    << row.name;
            } else {
                EXPECT_EQ(view.boxes[i].question, Question::AskYesNoCancel) << row.name;
            }
        }
        ExpectIdle();
    }
}

} // namespace

namespace {

// A word is stored exactly or not at all, an explanation keeps every sense GBK can hold, header
// rows choose the columns, and the end message counts what happened.
TEST_F(WordListTransferTest, ListsOfOtherToolsAreKeptAsTheLearnerBroughtThem)
{
    struct Row {
        const char* name;
        const char* file;
        std::string bytes;
        std::vector<std::pair<std::string, std::string>> stored; // "<none>": not stored
        std::vector<std::string> message;                        // lines the end message holds
    };
    const std::vector<Row> rows = {
        {"words longer than their field are left out, never cut and merged",
         "long.csv",
         "the emergency number for 110,a\nthe emergency number for 119,b\n",
         {{"the emergency number for 110", "<none>"}, {"the emergency number for ", "<none>"}},
         {"没有导入 2 个，第一个是【the emergency number for 110】"}},
        {"a word with a character GBK lacks is left out, an explanation keeps it as 〓",
         "emoji.tsv",
         "smile😀\tx\nbell\tn. 铃; 🔔 bell\n",
         {{"smile", "<none>"}, {"bell", G("n. 铃; 〓 bell")}},
         {"没有导入 1 个，第一个是【smile?】", "有改动（不能保存的字符写作“〓”） 1 个，第一个是【bell】"}},
        {"entities: line breaks as CR LF, a character GBK lacks as 〓",
         "entities.tsv",
         "a\tone&#10;two&#13;three &#128512;\n",
         {{"a", G("one\r\ntwo\r\nthree 〓")}},
         {"新增 1 个，第一个是【a】"}},
        {"the two characters \\n are a line break", "breaks.csv", "a,one\\ntwo\n", {{"a", "one\r\ntwo"}}, {}},
        {"control characters are never stored; a blank or line-broken word is no word",
         "controls.json",
         R"([{"name": "\u0000", "trans": "x"}, {"name": " \t", "trans": "y"}, {"name": "a\nb", "trans": "z"},
             {"name": "c\u0000at", "trans": "z\u0001\r\u0002\n"}])",
         {{"cat", "z\r\n\r\n"}, {"a", "<none>"}},
         {"没有导入 3 个"}},
        {"a header row chooses the Chinese explanation",
         "dict.csv",
         "word,phonetic,definition,translation,pos\napple,/'ap/,a fruit,n. 苹果\\n苹果树,n\n",
         {{"apple", G("n. 苹果\r\n苹果树")}, {"word", "<none>"}},
         {"新增 1 个，第一个是【apple】"}},
        {"a UTF-8 file cut off inside its last character is still UTF-8",
         "cut.tsv",
         "apple\t苹果\nbad\t果\xE8\x8B",
         {{"apple", G("苹果")}, {"bad", G("果〓")}},
         {"（UTF-8）"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        table.First();
        while (!table.Eof())
            table.Delete();
        view.boxes.clear();
        Import(row.bytes, row.file);
        for (const auto& [word, interpret] : row.stored)
            EXPECT_EQ(Stored(word), interpret) << word;
        ASSERT_EQ(view.boxes.size(), 1u);
        for (const std::string& line : row.message)
            EXPECT_NE(view.boxes[0].text.find(G(line)), std::string::npos) << line << "\n"
                                                                           << view.boxes[0].text;
    }
    // Every entry left out or changed is in the report, with its line, its reason and its texts.
    const std::string report = ReadFile(PathOf("controls.json.导入报告.txt"));
    EXPECT_NE(report.find("1\t没有导入：没有单词\t"), std::string::npos) << report;
    EXPECT_NE(report.find("1\t没有导入：单词中有换行或制表符\ta / b\tz"), std::string::npos) << report;

    // A plain list of words stores nothing and says how to write one.
    view.boxes.clear();
    Import("apple\nbanana\n", "plain.csv");
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(view.boxes[0].text.find(G("每个单词都需要一个解释")), std::string::npos);
    ExpectIdle();
}

} // namespace

namespace {

// An export in another tool's format, imported into an empty table, gives every record back byte
// for byte, whatever its texts hold that the readers would take for markup, a header or blanks.
TEST_F(WordListTransferTest, AnExportInAnotherToolsFormatImportsBackRecordForRecord)
{
    const std::vector<std::pair<std::string, std::string>> words = {
        {"word", "translation"},
        {"#tag", G("  前后有空格 ")},
        {"a, b", "say \"hi\"\\n & <b>bold</b> &amp;\t\x80"},
        {"cat", G("n. 猫\r\n\r\npl. cats\r\n")},
        {G("单词"), G("释义")},
    };
    for (const char* file : {"out.tsv", "out.csv", "out.json"}) {
        SCOPED_TRACE(file);
        table.First();
        while (!table.Eof())
            table.Delete();
        AddWords(words);
        std::vector<std::pair<std::string, std::string>> before;
        for (const auto& [id, word, interpret] : Records())
            before.emplace_back(word, interpret);
        view.boxes.clear();
        Export(file);
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].text, G("已导出 5 个单词到文件：\r\n") + PathOf(file));
        EXPECT_EQ(view.boxes[0].question, Question::InfoNotice);

        table.First();
        while (!table.Eof())
            table.Delete();
        view.boxes.clear();
        view.fileAnswers.push_back(PathOf(file));
        transfer().SpeedImportClick();
        std::vector<std::pair<std::string, std::string>> after;
        for (const auto& [id, word, interpret] : Records())
            after.emplace_back(word, interpret);
        EXPECT_EQ(after, before);
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].text, ImportMessage(file, "UTF-8", {"新增 5 个，第一个是【#tag】"}));
        EXPECT_EQ(view.boxes[0].question, Question::InfoNotice);
    }
}

TEST_F(WordListTransferTest, GradedListsAreOfferedAsTheirIndexNamesThemAndAMissingOneIsSaidSo)
{
    transfer().MenuItem_wordlistsClick();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, G("找不到随程序安装的词表，没有导入任何词条：\r\n") + "/lists.tsv");
    EXPECT_TRUE(view.choices.empty());

    // A file elsewhere and a line without its count are not offered.
    const std::string folder = PathOf("lists");
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/lists.tsv", "a.tsv\t\xE7\x94\xB2\t12345\n../b.tsv\tb\t1\nc.tsv\tc\n");
    WriteFile(folder + "/a.tsv", "#separator:tab\napple\t\xE8\x8B\xB9\xE6\x9E\x9C\npear\tx\n");
    StudyPages withLists(table, view, StudyPaths{PathOf("DoRori.ini"), dir.path().string(), folder});
    view.choiceAnswers = {std::nullopt, 0};
    withLists.transfer.MenuItem_wordlistsClick();
    EXPECT_EQ(table.RecordCount(), 0) << "closed without a choice";
    withLists.transfer.MenuItem_wordlistsClick();
    ASSERT_EQ(view.choices.size(), 2u);
    EXPECT_EQ(view.choices[1].title, G("导入词表"));
    EXPECT_EQ(view.choices[1].chooseCaption, G("导入"));
    EXPECT_EQ(view.choices[1].entries,
              (std::vector<std::pair<std::string, std::string>>{{G("甲"), G("12,345 个单词")}}));
    EXPECT_EQ(Stored("apple"), G("苹果"));
    EXPECT_EQ(view.boxes.back().text,
              ImportMessage("lists/a.tsv", "UTF-8", {"新增 2 个，第一个是【apple】"}));
}

} // namespace

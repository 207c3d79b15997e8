#include "store/DictTable.h"

#include "store/DictError.h"
#include "store/TableFile.h"
#include "store/TableFlusher.h"
#include "store/WordSeek.h"
#include "support/AppendWord.h"
#include "support/Gbk.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class DictTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = (dir / "DORori.db").string();
        CreateTableFile(path);
        table.Open(path);
    }

    void Add(const std::string& word, const std::string& interpret = "x")
    {
        AppendWord(table, word, interpret);
    }
    void AddAll(const std::vector<std::string>& words)
    {
        for (const auto& word : words)
            Add(word);
        table.First();
    }
    std::string Word() const { return table.FieldByName("word"); }
    // The ID of the record an exact seek of `word` finds; empty when it finds none.
    std::string IdFound(const std::string& word)
    {
        return table.SeekExact(word) ? table.FieldByName("ID") : "";
    }

    TempDir dir;
    std::string path;
    TDictTable table;
};

TEST_F(DictTableTest, EmptyTableHasBothFlagsNoRecordAndFindsNothing)
{
    table.First();
    EXPECT_TRUE(table.Eof());
    EXPECT_TRUE(table.Bof());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.RecNo(), 0);
    EXPECT_FALSE(Seek_Word_Record(table, "apple"));
    EXPECT_EQ(Word(), "");
    table.Next();
    table.Prior();
    table.SetRecNo(1);
    EXPECT_EQ(Word(), "");
}

TEST_F(DictTableTest, StepsFollowWordOrderAndStopAtTheEndsWithTheirFlags)
{
    AddAll({"pear", "Apple", "banana"});
    EXPECT_TRUE(table.Bof());
    EXPECT_EQ(Word(), "Apple");
    table.Next();
    EXPECT_EQ(Word(), "banana");
    EXPECT_FALSE(table.Bof());
    table.Next();
    EXPECT_EQ(Word(), "pear");
    EXPECT_FALSE(table.Eof());
    table.Next();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(Word(), "pear");
    EXPECT_EQ(table.RecNo(), 3);
    table.Next();
    EXPECT_EQ(Word(), "pear");

    table.Prior();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(Word(), "banana");
    table.Prior();
    table.Prior();
    EXPECT_TRUE(table.Bof());
    EXPECT_EQ(Word(), "Apple");
    EXPECT_EQ(table.RecNo(), 1);

    table.Last();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(Word(), "pear");
}

TEST_F(DictTableTest, RecordNumbersFollowSeeksStepsAndJumps)
{
    std::vector<std::string> words;
    for (int i = 0; i < 400; ++i)
        words.push_back("w" + std::to_string(1000 + i));
    AddAll(words);
    EXPECT_EQ(table.RecordCount(), 400);

    table.SeekNearest("w1250");
    EXPECT_EQ(table.RecNo(), 251);
    table.Next();
    EXPECT_EQ(table.RecNo(), 252);
    EXPECT_EQ(Word(), "w1251");

    table.SetRecNo(260); // near: stepped
    EXPECT_EQ(Word(), "w1259");
    table.SetRecNo(3); // far: jumped
    EXPECT_EQ(Word(), "w1002");
    table.SetRecNo(399);
    EXPECT_EQ(Word(), "w1398");
    EXPECT_FALSE(table.Eof());
    table.Prior();
    EXPECT_EQ(table.RecNo(), 398);
}

TEST_F(DictTableTest, SettingAMissingOrTheCurrentRecordNumberChangesNothing)
{
    AddAll({"a", "b", "c"});
    table.Last();
    table.Next(); // Eof set
    table.SetRecNo(0);
    table.SetRecNo(4);
    table.SetRecNo(3);
    EXPECT_EQ(Word(), "c");
    EXPECT_TRUE(table.Eof());
    table.SetRecNo(1);
    EXPECT_EQ(Word(), "a");
    EXPECT_FALSE(table.Eof());
    EXPECT_FALSE(table.Bof());
}

TEST_F(DictTableTest, SeekWordRecordTrimsFoldsCaseAndFallsBackToTheNearestWord)
{
    AddAll({"ape", "Apex", "apple"});
    EXPECT_TRUE(Seek_Word_Record(table, " \tAPEX\r\n"));
    EXPECT_EQ(Word(), "Apex"); // the stored word keeps its own case
    EXPECT_FALSE(Seek_Word_Record(table, "apf"));
    EXPECT_EQ(Word(), "apple");
    EXPECT_FALSE(Seek_Word_Record(table, "zebra"));
    EXPECT_EQ(Word(), "apple");
    EXPECT_FALSE(table.Eof());
}

TEST_F(DictTableTest, SecondBytesThatLookLikeLettersAreNotFolded)
{
    AddAll({"x\x81\x61", "x\x81\x41"});
    EXPECT_TRUE(table.SeekExact("x\x81\x61"));
    EXPECT_EQ(Word(), "x\x81\x61");
    EXPECT_TRUE(table.SeekExact("X\x81\x41"));
    EXPECT_EQ(Word(), "x\x81\x41");
    EXPECT_FALSE(table.SeekExact("x\x81\x62"));
}

TEST_F(DictTableTest, ValuesAreCutToTheirWidthsAndKeysTheSameWay)
{
    const std::string longWord = "abcdefghijklmnopqrstuvwxyzABCD"; // 30 bytes
    Add(longWord, std::string(124, 'i') + G("词"));
    table.First();
    EXPECT_EQ(Word(), longWord.substr(0, 25));
    EXPECT_EQ(table.FieldByName("InterPret"), std::string(124, 'i')); // the character would split: dropped
    EXPECT_TRUE(Seek_Word_Record(table, longWord));
    EXPECT_THROW(table.FieldByName("meaning"), DictError);
}

TEST_F(DictTableTest, DeleteMakesTheFollowingWordCurrentOrTheNewLastWord)
{
    AddAll({"a", "b", "c"});
    table.SetRecNo(2);
    table.Delete();
    EXPECT_EQ(Word(), "c");
    EXPECT_EQ(table.RecNo(), 2);
    table.Delete();
    EXPECT_EQ(Word(), "a");
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(table.RecordCount(), 1);
    table.Delete();
    EXPECT_EQ(Word(), "");
    EXPECT_EQ(table.RecordCount(), 0);
}

TEST_F(DictTableTest, PostPlacesTheRecordInWordOrderAndEditKeepsTheWord)
{
    AddAll({"a", "c"});
    Add("B");
    EXPECT_EQ(Word(), "B");
    EXPECT_EQ(table.RecNo(), 2);
    table.Edit();
    table.SetFieldByName("interpret", G("乙"));
    table.Post();
    EXPECT_TRUE(table.SeekExact("b"));
    EXPECT_EQ(table.FieldByName("interpret"), G("乙"));
    EXPECT_EQ(Word(), "B");
}

TEST_F(DictTableTest, EveryMoveGivesTheTextsOfTheRecordItLandsOn)
{
    AddAll({"ant", "bee", "cat"});
    const auto interpret = [this] { return table.FieldByName("interpret"); };
    table.Edit();
    table.SetFieldByName("interpret", "1");
    table.Post();
    table.Next();
    table.Edit(); // an edit after a step keeps the texts it does not set
    table.SetFieldByName("remark", "r");
    table.Post();
    EXPECT_TRUE(table.SeekExact("bee"));
    EXPECT_EQ(interpret(), "x");
    EXPECT_EQ(table.FieldByName("remark"), "r");
    table.Prior();
    EXPECT_EQ(interpret(), "1");
    const TDictTable::Bookmark first = table.GetBookmark();
    table.Last();
    EXPECT_EQ(Word(), "cat");
    table.GotoBookmark(first);
    EXPECT_EQ(interpret(), "1");
    table.Delete();
    EXPECT_EQ(table.FieldByName("remark"), "r");
}

TEST_F(DictTableTest, RecNoOfWordLeavesTheCurrentRecordAlone)
{
    AddAll({"ant", "bee", "cat", "dog"});
    table.SetRecNo(4);
    EXPECT_EQ(RecNoOfWord(table, "bz"), 3);
    EXPECT_EQ(Word(), "dog");
    EXPECT_EQ(table.RecNo(), 4);
}

TEST_F(DictTableTest, ABatchKeepsWhatItStoredAndLeavesNoTransactionOpen)
{
    table.BeginBatch();
    Add("kept");
    table.EndBatch();
    table.Close();
    table.Open(path);
    EXPECT_EQ(table.RecordCount(), 1);
    Add("after"); // a write outside the batch commits on its own
    EXPECT_EQ(table.RecordCount(), 2);
}

// Stored out of word order, equal words among them; windows of every size down to one record, and
// changes made through the table while it is read, which the reading does not see.
TEST_F(DictTableTest, ReadingInWordOrderGivesEachRecordOnceAsTheTableStoodWhenItBegan)
{
    for (const char* word : {"pear", "Apple", "fig", "apple", "kiwi", "APPLE", "date", "banana", "cherry"})
        Add(word, std::string("of ") + word);
    table.SeekExact("fig");
    const std::string expected = "Apple|apple|APPLE|banana|cherry|date|fig|kiwi|pear|";
    for (const std::size_t window :
         {std::size_t{1}, std::size_t{2}, std::size_t{4}, std::size_t{9}, kWordOrderWindowRecords}) {
        SCOPED_TRACE(window);
        std::string read;
        int looks = 0;
        const bool complete = table.ReadInWordOrder(
            [&](std::string_view word, std::string_view interpret) {
                EXPECT_EQ("of " + std::string(word), interpret);
                read += std::string(word) + "|";
                return true;
            },
            [&] { return ++looks > 0; }, window);
        EXPECT_TRUE(complete);
        EXPECT_EQ(read, expected);
        EXPECT_EQ(Word(), "fig"); // the current record stays
    }

    std::string read;
    table.ReadInWordOrder(
        [&](std::string_view word, std::string_view) {
            if (word == "banana") {
                Add("aardvark");
                table.SeekExact("kiwi");
                table.Delete();
            }
            read += std::string(word) + "|";
            return true;
        },
        [] { return true; }, 2);
    EXPECT_EQ(read, expected);
    EXPECT_EQ(table.RecordCount(), 9); // the changes are stored

    int given = 0;
    EXPECT_FALSE(table.ReadInWordOrder([&](std::string_view, std::string_view) { return ++given < 3; },
                                       [] { return true; }));
    EXPECT_EQ(given, 3);

    // More texts than one block of the window holds, each record still whole, as a walk gives them.
    table.BeginBatch();
    for (int i = 0; i < 9000; ++i)
        Add("w" + std::to_string(i * 7919 % 9000), std::string(120, static_cast<char>('a' + i % 26)));
    table.EndBatch();
    std::string walked;
    for (table.First(); !table.Eof(); table.Next())
        walked += Word() + "|" + table.FieldByName("interpret") + "\n";
    read.clear();
    table.ReadInWordOrder(
        [&](std::string_view word, std::string_view interpret) {
            read += std::string(word) + "|" + std::string(interpret) + "\n";
            return true;
        },
        [] { return true; });
    EXPECT_EQ(read, walked);
}
TEST_F(DictTableTest, AFillOfAnEmptiedTableStoresEachRecordUnderANewIdAndFindsItMeanwhile)
{
    AddAll({"old1", "old2", "old3"});
    while (table.RecordCount() > 0)
        table.Delete();
    table.BeginBatch();
    for (int i = 0; i < 70; ++i)
        Add("w" + std::to_string(i), std::to_string(i));
    // One word from a group already written, one the fill holds back, and one it never stored.
    for (const char* word : {"W3", "w68"}) {
        ASSERT_TRUE(table.SeekExact(word)) << word;
        EXPECT_EQ(table.FieldByName("interpret"), std::string(word).substr(1)) << word;
    }
    EXPECT_FALSE(table.SeekExact("w70"));
    Add("last");
    EXPECT_EQ(table.FieldByName("ID"), "74");
    table.EndBatch();
    // IDs go on past the largest ever given, in the order the records were added.
    table.Close();
    table.Open(path);
    EXPECT_EQ(table.RecordCount(), 71);
    EXPECT_EQ(IdFound("w0"), "4");
    EXPECT_EQ(IdFound("w69"), "73");
    EXPECT_EQ(IdFound("last"), "74");
    Add("after");
    EXPECT_EQ(table.FieldByName("ID"), "75");
}

TEST_F(DictTableTest, ABatchOnAStoredTableHoldsNewRecordsBackYetSeeksAsIfTheyWereStored)
{
    AddAll({"b", "d", "top"});
    table.Last();
    table.Delete(); // the next ID is still 4
    table.BeginBatch();
    Add("c", "held");
    Add("a", "held");
    // The nearest record is a held one; a stored word is found before a held one alike.
    table.SeekNearest("bb");
    EXPECT_EQ(table.FieldByName("ID"), "4");
    Add("B", "held");
    EXPECT_EQ(IdFound("b"), "1");
    // Past every stored word: the last record, no held one coming after it.
    EXPECT_FALSE(table.SeekExact("e"));
    EXPECT_EQ(Word(), "d");
    EXPECT_EQ(table.RecNo(), 5);
    for (int i = 0; i < 40; ++i)
        Add("n" + std::to_string(i));
    table.EndBatch();
    EXPECT_EQ(IdFound("a"), "5");
    EXPECT_EQ(IdFound("n39"), "46");
    Add("after");
    EXPECT_EQ(table.FieldByName("ID"), "47");
    EXPECT_EQ(table.RecordCount(), 46);
}

TEST_F(DictTableTest, EverySeekAndStepGoesThroughAnIndex)
{
    for (const std::string& plan : table.QueryPlans()) {
        EXPECT_TRUE(plan.find("USING INDEX wordindex") != std::string::npos ||
                    plan.find("USING COVERING INDEX wordindex") != std::string::npos ||
                    plan.find("USING INTEGER PRIMARY KEY") != std::string::npos)
            << plan;
        EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << plan;
    }
}

} // namespace

namespace {

// A change is in the log when Post or Delete returns, for any other connection (and a killed
// program) to see, and its flush to the disk happens on the flusher's thread, never the caller's.
TEST_F(DictTableTest, AChangeIsThereAtOnceAndReachesTheDiskOffTheCallersThread)
{
    std::mutex mutex;
    std::vector<std::thread::id> flushers;
    const TableFlusher::FileFlush diskFlush = TableFlusher::SetFileFlush([&](int fd) {
        const std::lock_guard lock(mutex);
        flushers.push_back(std::this_thread::get_id());
        ::fdatasync(fd);
    });
    Add("cat");
    TDictTable other;
    other.Open(path);
    EXPECT_TRUE(other.SeekExact("cat"));
    table.SeekExact("cat");
    table.Delete();
    EXPECT_FALSE(other.SeekExact("cat"));
    table.Close(); // waits for the flush of everything committed
    TableFlusher::SetFileFlush(diskFlush);
    const std::lock_guard lock(mutex);
    ASSERT_FALSE(flushers.empty());
    for (const std::thread::id thread : flushers)
        EXPECT_NE(thread, std::this_thread::get_id());
}

} // namespace

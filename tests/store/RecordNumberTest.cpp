// Record numbers against a plain count: thousands of random seeks, steps, jumps, additions, changes
// and removals, with many equal words, in and out of batches, each followed by a check that the
// table's record number and its n-th record agree with the records sorted in word order.

#include "store/DictTable.h"
#include "store/TableFile.h"
#include "support/TempDir.h"
#include "text/GbkText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

struct Stored {
    std::string word;
    std::int64_t id;
};

class RecordNumberModel {
public:
    void Add(std::string word, std::int64_t id) { records_.push_back({std::move(word), id}); }
    void Remove(std::int64_t id)
    {
        std::erase_if(records_, [id](const Stored& r) { return r.id == id; });
    }
    void Rename(std::int64_t id, const std::string& word)
    {
        for (Stored& r : records_)
            if (r.id == id)
                r.word = word;
    }
    // The plain count: how many records sort before the record with this ID, plus one.
    int RecNoOf(std::int64_t id) const
    {
        const Stored* self = nullptr;
        for (const Stored& r : records_)
            if (r.id == id)
                self = &r;
        if (!self)
            return 0;
        return 1 + static_cast<int>(std::count_if(records_.begin(), records_.end(), [self](const Stored& r) {
                   const int order = gbk::CompareNoCase(r.word, self->word);
                   return order < 0 || (order == 0 && r.id < self->id);
               }));
    }
    int Count() const { return static_cast<int>(records_.size()); }

private:
    std::vector<Stored> records_;
};

class RecordNumberTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateTableFile((dir / "DORori.db").string());
        table.Open((dir / "DORori.db").string());
    }

    std::string RandomWord()
    {
        // Few distinct words in mixed letter case, so equal words lie on both sides of run borders.
        static const char* stems[] = {"ant", "Bee", "cat", "DOG", "eel", "fox", "gnu", "hen"};
        std::string word = stems[random() % 8];
        word += std::to_string(random() % 60);
        if (random() % 2)
            word[0] = static_cast<char>(word[0] ^ 0x20);
        return word;
    }
    std::int64_t CurrentId() const { return std::stoll(table.FieldByName("ID")); }
    void Add(const std::string& word)
    {
        table.Append();
        table.SetFieldByName("word", word);
        table.Post();
        model.Add(word, CurrentId());
    }
    void RandomStep();
    void Check(int step)
    {
        ASSERT_EQ(table.RecordCount(), model.Count()) << "step " << step;
        if (model.Count() == 0)
            return;
        ASSERT_EQ(table.RecNo(), model.RecNoOf(CurrentId())) << "step " << step;
    }

    TempDir dir;
    TDictTable table;
    RecordNumberModel model;
    std::mt19937 random{20240615};
};

void RecordNumberTest::RandomStep()
{
    const int count = model.Count();
    switch (random() % 10) {
    case 0:
    case 1:
        Add(RandomWord());
        break;
    case 2:
        if (count > 0) {
            const std::int64_t id = CurrentId();
            table.Delete();
            model.Remove(id);
        }
        break;
    case 3:
        if (count > 0) {
            const std::string word = RandomWord();
            table.Edit();
            table.SetFieldByName("word", word);
            table.Post();
            model.Rename(CurrentId(), word);
        }
        break;
    case 4:
        table.SeekNearest(RandomWord());
        break;
    case 5:
    case 6: {
        const int n = static_cast<int>(random() % (count + 3)) - 1; // 0 and count + 1 change nothing
        const std::int64_t before = count > 0 ? CurrentId() : 0;
        table.SetRecNo(n);
        if (n >= 1 && n <= count) {
            ASSERT_EQ(model.RecNoOf(CurrentId()), n);
        } else if (count > 0) {
            ASSERT_EQ(CurrentId(), before);
        }
        break;
    }
    case 7:
        random() % 2 ? table.Next() : table.Prior();
        break;
    case 8:
        random() % 2 ? table.First() : table.Last();
        break;
    default:
        table.SeekExact(RandomWord());
        if (count > 0 && table.FieldByName("word").empty())
            table.First(); // a failed exact seek leaves no defined record to number
        break;
    }
}

TEST_F(RecordNumberTest, AgreeWithAPlainCountThroughThousandsOfRandomOperations)
{
    // An empty table, then one filled past several runs in one batch, then changes one by one.
    for (int step = 0; step < 200; ++step) {
        RandomStep();
        Check(step);
    }
    table.BeginBatch();
    for (int i = 0; i < 3000; ++i)
        Add(RandomWord());
    for (int step = 0; step < 3000; ++step) {
        RandomStep();
        Check(step);
    }
    table.EndBatch();
    for (int step = 0; step < 400; ++step) {
        RandomStep();
        Check(step);
    }
    // Reopened: the numbers are made afresh from the file.
    table.Close();
    table.Open((dir / "DORori.db").string());
    for (int step = 0; step < 200; ++step) {
        RandomStep();
        Check(step);
    }
}

TEST_F(RecordNumberTest, OneWordStoredThousandsOfTimesStillNumbersEachRecord)
{
    table.BeginBatch();
    Add("zebra");
    table.RecNo(); // the runs exist from here on and must follow the additions
    for (int i = 0; i < 2500; ++i)
        Add(i % 2 ? "same" : "SAME");
    Add("aardvark");
    table.EndBatch();
    for (int n : {1, 2, 1200, 2501, 2502}) {
        table.SetRecNo(n);
        EXPECT_EQ(table.RecNo(), n);
        EXPECT_EQ(model.RecNoOf(CurrentId()), n);
    }
    table.SeekNearest("same");
    EXPECT_EQ(table.RecNo(), 2);
    table.BeginBatch();
    while (model.Count() > 1) {
        const std::int64_t id = CurrentId();
        table.Delete();
        model.Remove(id);
        if (model.Count() % 97 == 0)
            Check(model.Count());
    }
    table.EndBatch();
    EXPECT_EQ(table.RecNo(), 1);
}

} // namespace

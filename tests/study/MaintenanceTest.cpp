#include "store/WordSeek.h"
#include "support/Gbk.h"
#include "support/StudyFixture.h"

#include <string>

namespace {

class MaintenanceTest : public StudyFixture {
protected:
    MaintenanceTest()
    {
        view.page = PageMaintain;
        view.focus = Control::Edit_newword;
    }
    Maintenance& maintenance() { return pages->maintenance; }
    void Fill(const std::string& word, const std::string& interpret)
    {
        view.Type(Control::Edit_newword, word);
        view.Type(Control::Memo_newInterpret, interpret);
    }
    std::string Word() const { return view.Text(Control::Edit_newword); }
    std::string Interpret() const { return view.Text(Control::Memo_newInterpret); }
    // The stored explanation of a word, or nothing when it is not stored.
    std::string Stored(const std::string& word)
    {
        return Seek_Word_Record(table, word) ? table.FieldByName("interpret") : "<none>";
    }
};

TEST_F(MaintenanceTest, FindShowsTheExplanationOfTheTrimmedWordOrPreparesANewOne)
{
    AddWords({{"Apple", G("苹果") + "\r\n" + G("苹果树")}, {"apples", "x"}});

    view.Type(Control::Edit_newword, " \t");
    maintenance().SpeedButton_findwordClick();
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(view.LastStatus(), G("请输入您需要查询的单词"));

    view.Type(Control::Edit_newword, "  aPPle ");
    maintenance().Edit_newwordKeyDown(VK_RETURN);
    EXPECT_EQ(view.selectedAll, Control::Edit_newword);
    EXPECT_EQ(view.LastStatus(), G("找到 ") + "aPPle");
    EXPECT_EQ(Interpret(), G("苹果") + "\r\n" + G("苹果树"));
    EXPECT_EQ(Word(), "  aPPle ");
    EXPECT_EQ(view.beeps, 1);

    view.Type(Control::Edit_newword, "appl ");
    maintenance().Edit_newwordKeyDown(VK_RIGHT); // only Enter finds
    EXPECT_EQ(view.statuses.size(), 2u);
    maintenance().SpeedButton_findwordClick();
    EXPECT_EQ(view.beeps, 2);
    EXPECT_EQ(view.LastStatus(), "Not Find " + G("【") + "appl" + G("】"));
    EXPECT_EQ(Interpret(), "");
    EXPECT_EQ(view.focus, Control::Memo_newInterpret);
}

TEST_F(MaintenanceTest, SaveRefusesEmptyOrUnstorableTextAndStoresNothing)
{
    AddWords({{"ape", G("猿")}});
    const auto expectWarning = [this](const std::string& text, Control focus) {
        ASSERT_FALSE(view.boxes.empty());
        EXPECT_EQ(view.boxes.back().text, text);
        EXPECT_EQ(view.boxes.back().caption, G("警告"));
        EXPECT_EQ(view.boxes.back().question, Question::Notice);
        EXPECT_EQ(view.focus, focus);
        EXPECT_EQ(table.RecordCount(), 1);
        EXPECT_TRUE(view.statuses.empty());
    };

    Fill("  ", G("解释"));
    maintenance().SpeedButton_SaveWordClick();
    expectWarning(G("输入单词不能为空"), Control::Edit_newword);

    Fill("bee", "\r\n \r\n");
    maintenance().SpeedButton_SaveWordClick();
    expectWarning(G("单词解释不能为空"), Control::Memo_newInterpret);

    view.TypeUnencodable(Control::Edit_newword, "b?e");
    view.Type(Control::Memo_newInterpret, G("蜜蜂"));
    view.focus = Control::Memo_newInterpret;
    maintenance().SpeedButton_SaveWordClick();
    expectWarning(G("输入单词中有词库无法保存的字符，请修改后再保存"), Control::Edit_newword);

    view.Type(Control::Edit_newword, "ape");
    view.TypeUnencodable(Control::Memo_newInterpret, G("猿") + "?");
    view.answers = {Answer::Yes};
    maintenance().SpeedButton_SaveWordClick();
    expectWarning(G("单词解释中有词库无法保存的字符，请修改后再保存"), Control::Memo_newInterpret);
    EXPECT_EQ(Stored("ape"), G("猿"));
    EXPECT_EQ(view.boxes.size(), 4u);
}

TEST_F(MaintenanceTest, SaveAppendsANewWordTrimmedWithItsInnerLineBreaks)
{
    AddWords({{"ape", "x"}, {"bee", "x"}});
    Fill(" bank ", "\r\n  " + G("银行") + "\r\n" + G("河岸") + " \r\n\r\n");
    view.focus = Control::Memo_newInterpret;
    maintenance().SpeedButton_SaveWordClick();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(view.LastStatus(), G("单词库更新成功"));
    EXPECT_EQ(view.focus, Control::Edit_newword);
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(Stored("bank"), G("银行") + "\r\n" + G("河岸"));
    EXPECT_EQ(table.FieldByName("word"), "bank");

    // At its place in word order, found at once from the lookup page.
    view.Type(Control::Edit_Input, "ba");
    EXPECT_EQ(view.preview, (std::vector<std::string>{"bank"}));
    table.Next();
    EXPECT_EQ(CurrentWord(), "bee");
}

TEST_F(MaintenanceTest, SavingAStoredWordAsksAndUpdatesOnlyTheExplanation)
{
    AddWords({{"Ape", G("猿")}});
    Fill(" APE", G("类人猿"));
    view.answers = {Answer::No};
    maintenance().SpeedButton_SaveWordClick();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "APE" + G(" 已经存在单词库中，是否更新?"));
    EXPECT_EQ(view.boxes[0].caption, G("提示"));
    EXPECT_EQ(view.boxes[0].question, Question::AskYesNo);
    EXPECT_EQ(Stored("ape"), G("猿"));
    EXPECT_TRUE(view.statuses.empty());

    view.answers = {Answer::Yes};
    maintenance().SpeedButton_SaveWordClick();
    EXPECT_EQ(Stored("ape"), G("类人猿"));
    EXPECT_EQ(CurrentWord(), "Ape");
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(view.LastStatus(), G("单词库更新成功"));
}

TEST_F(MaintenanceTest, A30ByteWordIsSavedAsIts25ByteStartAndThenAsksToUpdate)
{
    const std::string longWord = "abcdefghijklmnopqrstuvwxyz1234";
    Fill(longWord, "x");
    maintenance().SpeedButton_SaveWordClick();
    EXPECT_EQ(CurrentWord(), longWord.substr(0, 25));
    Fill(longWord, "y");
    view.answers = {Answer::Yes};
    maintenance().SpeedButton_SaveWordClick();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, longWord + G(" 已经存在单词库中，是否更新?"));
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(Stored(longWord), "y");
}

TEST_F(MaintenanceTest, DeleteRemovesOnlyTheWordItselfAfterAsking)
{
    AddWords({{"ape", "x"}, {"apple", "y"}, {"bee", "z"}});

    Fill("app", "keep");
    maintenance().SpeedButton5Click(); // only a longer word begins with it
    EXPECT_EQ(view.LastStatus(), G("不存在待删除的对象"));
    Fill("  ", "keep");
    maintenance().SpeedButton5Click();
    EXPECT_EQ(view.statuses.size(), 2u);
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(table.RecordCount(), 3);

    Fill(" APPLE ", "keep");
    view.answers = {Answer::No};
    maintenance().SpeedButton5Click();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, G("您确定要从词库中删除【") + "APPLE" + G("】?"));
    EXPECT_EQ(view.boxes[0].caption, G("警告"));
    EXPECT_EQ(view.boxes[0].question, Question::AskYesNo);
    EXPECT_EQ(table.RecordCount(), 3);

    view.answers = {Answer::Yes};
    maintenance().SpeedButton5Click();
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(view.LastStatus(), G("成功从词库中删除 ") + "APPLE");
    EXPECT_EQ(CurrentWord(), "bee");
    EXPECT_EQ(Stored("apple"), "<none>");
    EXPECT_EQ(Word(), " APPLE ");
    EXPECT_EQ(Interpret(), "keep");
}

TEST_F(MaintenanceTest, DeleteNeverTakesAStoredWordForTextGbkCannotHold)
{
    AddWords({{"what?", "x"}});
    view.TypeUnencodable(Control::Edit_newword, "what?");
    view.answers = {Answer::Yes};
    maintenance().SpeedButton5Click();
    EXPECT_EQ(view.LastStatus(), G("不存在待删除的对象"));
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(table.RecordCount(), 1);
}

TEST_F(MaintenanceTest, PreviousAndNextFillTheFieldsAndStopAtTheEnds)
{
    AddWords({{"ape", "a"}, {"apple", "b"}, {"bee", "c"}});
    view.Type(Control::Edit_newword, "apf"); // not stored: steps from "apple"
    maintenance().NextWordIntoFields();
    EXPECT_EQ(Word(), "bee");
    EXPECT_EQ(Interpret(), "c");
    maintenance().NextWordIntoFields();
    EXPECT_EQ(Word(), "bee");
    maintenance().PreviousWordIntoFields();
    maintenance().PreviousWordIntoFields();
    EXPECT_EQ(Word(), "ape");
    EXPECT_EQ(Interpret(), "a");
    maintenance().PreviousWordIntoFields();
    EXPECT_EQ(Word(), "ape");
    EXPECT_TRUE(view.statuses.empty());
    EXPECT_EQ(view.beeps, 0);
}

TEST_F(MaintenanceTest, MarksAreAppendedToTheExplanationUnlessItHoldsUnstorableText)
{
    view.Type(Control::Memo_newInterpret, G("看") + "\r\n" + G("见"));
    maintenance().AppendToInterpret(G(" …"));
    maintenance().AppendToInterpret(G(" ～"));
    EXPECT_EQ(Interpret(), G("看") + "\r\n" + G("见 … ～"));

    view.TypeUnencodable(Control::Memo_newInterpret, "a?");
    maintenance().AppendToInterpret(G(" …"));
    EXPECT_EQ(Interpret(), "a?");
    EXPECT_EQ(view.beeps, 1);
}

} // namespace

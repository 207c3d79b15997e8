#include "platform/Registry.h"
#include "store/ErrorBook.h"
#include "support/Gbk.h"
#include "support/StudySession.h"

#include <fstream>
#include <iterator>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

class ErrorBookReviewTest : public StudySession {
protected:
    void SetUp() override
    {
        AddPlain({"ant", "bee", "cat", "dog", "eel", "fox"});
        Show();
    }
    FormState& state() { return pages->state; }
    ErrorBook& book() { return pages->errorBook; }
    void EnterDictation()
    {
        view.SelectPage(PageDictation);
        pages->PageControl1Change();
    }
    void Answer(const std::string& text)
    {
        view.Type(Control::Edit_Dictation, text);
        pages->dictation.Edit_DictationKeyDown(VK_RETURN);
    }
    void AnswerRight() { Answer(state().DictationWord); }
    // Asks `word` in the normal drill and answers it wrong.
    void Miss(const std::string& word)
    {
        state().DictationWord = word;
        EnterDictation();
        Answer("?");
    }
    // The settings page applied from the dictation page, recycling a group of two from "ant".
    void ApplyReview(bool review)
    {
        EnterDictation();
        pages->settings.MenuItem_settingClick();
        view.SetChecked(Control::CheckBox_DictationReview, review);
        view.SetChecked(Control::CheckBox_DictationRecycled, true);
        view.Type(Control::ComboBox_GroupWordCount, "2");
        view.Type(Control::Edit_FistWordInRecycle, "ant");
        ASSERT_TRUE(pages->settings.SpeedButton_applySettingClick());
        pages->PageControl1Change();
    }
    std::string Counter() const { return view.Text(Control::Label_DictationCount); }
};

TEST_F(ErrorBookReviewTest, OutsideReviewAMissIsRecordedAndNothingElseChanges)
{
    Miss("cat");
    EXPECT_EQ(view.LastStatus(), "Error!");
    EXPECT_EQ(view.beeps, 1);
    AnswerRight();
    EXPECT_EQ(state().DictationWord, "dog");
    EXPECT_EQ(view.LastStatus(), "Quite Right!");
    EXPECT_EQ(book().Count(), 1);

    // That right answer did not count: reviewing, "cat" needs two more. The range does not hold it.
    ApplyReview(true);
    AnswerRight();
    EXPECT_EQ(view.LastStatus(), "Quite Right!");
    EXPECT_EQ(state().DictationWord, "cat");
}

TEST_F(ErrorBookReviewTest, ReviewAsksTheMostMissedFirstAndKeepsAMissedWord)
{
    Miss("dog");
    Miss("bee");
    Miss("bee");
    ApplyReview(true);
    EXPECT_EQ(state().DictationWord, "bee");
    EXPECT_EQ(view.Text(Control::Label_Interpret), Explained("bee"));
    EXPECT_EQ(Counter(), "2");

    AnswerRight();
    Answer("bed");
    EXPECT_EQ(view.LastStatus(), "Error!");
    EXPECT_EQ(state().DictationWord, "bee");
    AnswerRight();
    EXPECT_EQ(state().DictationWord, "bee") << "the miss started the run again";
    AnswerRight();
    EXPECT_EQ(view.LastStatus(), G("已掌握【bee】"));
    EXPECT_EQ(state().DictationWord, "dog");
    EXPECT_EQ(Counter(), "1");
    AnswerRight();
    AnswerRight();
    EXPECT_EQ(view.LastStatus(), G("已掌握【dog】"));
    // Empty again: the drill goes on in its range as without review.
    EXPECT_EQ(state().DictationWord, "ant");
    EnterDictation();
    EXPECT_EQ(view.LastStatus(), G("错词本是空的"));
    EXPECT_EQ(Counter(), "0");
}

TEST_F(ErrorBookReviewTest, AWordDeletedFromTheTableLeavesTheBook)
{
    Miss("cat");
    Miss("dog");
    view.Type(Control::Edit_newword, "cat");
    view.answers = {Answer::Yes};
    pages->maintenance.SpeedButton5Click();
    EXPECT_EQ(book().Count(), 1);
    EXPECT_EQ(book().NextWord(), "dog");
}

TEST_F(ErrorBookReviewTest, ABookOfAnotherShapeIsReportedOnceAndTheDrillGoesOn)
{
    ASSERT_EQ(
        sqlite3_exec(table.Connection(), "CREATE TABLE ErrorBook (word TEXT)", nullptr, nullptr, nullptr),
        SQLITE_OK);
    const auto file = dir / "DORori.db";
    table.Close();
    std::ifstream in(file, std::ios::binary);
    const std::string before(std::istreambuf_iterator<char>(in), {});
    Restart();
    ApplyReview(true);
    const std::vector<std::string> reported = view.statuses;
    EXPECT_EQ(reported.back(), G("错词本无法使用：词库文件中的 ErrorBook 表不是本程序建立的"));
    EXPECT_EQ(state().DictationWord, "ant");
    Answer("?");
    AnswerRight();
    AnswerRight();
    EXPECT_EQ(view.LastStatus(), "Quite Right!");
    EXPECT_EQ(state().DictationWord, "ant") << "the group of two goes round";
    EXPECT_EQ(std::count(view.statuses.begin(), view.statuses.end(), reported.back()), 1);
    table.Close();
    std::ifstream after(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), before);
}

TEST_F(ErrorBookReviewTest, TheSwitchIsKeptInTheRegistryAndAnUnappliedEditIsDiscarded)
{
    const auto stored = [] {
        Registry registry;
        EXPECT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", true));
        return registry.ReadInteger("D_Review");
    };
    EXPECT_EQ(stored(), std::nullopt);
    EXPECT_FALSE(view.Checked(Control::CheckBox_DictationReview));
    ApplyReview(true);
    EXPECT_EQ(stored(), 1);
    Restart();
    EXPECT_TRUE(state().DictationReview);
    EXPECT_TRUE(view.Checked(Control::CheckBox_DictationReview));

    pages->settings.MenuItem_settingClick();
    view.SetChecked(Control::CheckBox_DictationReview, false);
    view.SelectPage(PageQuery);
    pages->PageControl1Change();
    pages->settings.MenuItem_settingClick();
    EXPECT_TRUE(view.Checked(Control::CheckBox_DictationReview));

    ApplyReview(false);
    EXPECT_EQ(stored(), 0);
    Restart();
    EXPECT_FALSE(state().DictationReview);
}

} // namespace

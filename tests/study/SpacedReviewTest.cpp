// The drill with 间隔复习 on, under a clock of the test's own in a time zone of UTC+8: what it asks
// in which order, how each answer is rated, the day that starts at 04:00, the settings, and what
// the switch leaves alone when it is off or its tables are not the program's.
#include "platform/Registry.h"
#include "support/Gbk.h"
#include "support/SqlText.h"
#include "support/StudySession.h"

#include <cstdlib>
#include <ctime>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kTen = {"ant", "bee", "cat", "dog", "eel", "fox", "gnu", "hen", "ibis", "jay"};
constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kDay = 86400;
// 2026-12-09 10:00 in UTC+8.
constexpr std::int64_t kMorning = 1796781600;

class SpacedReviewTest : public StudySession {
protected:
    void SetUp() override
    {
        const char* zone = std::getenv("TZ");
        savedZone_ = zone ? std::optional<std::string>(zone) : std::nullopt;
        // A zone without summer time, known without the time zone files.
        setenv("TZ", "CST-8", 1);
        tzset();
        AddPlain(kTen);
        Show();
        pages->clock.now = [this] { return now; };
    }
    void TearDown() override
    {
        if (savedZone_)
            setenv("TZ", savedZone_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    FormState& state() { return pages->state; }
    void EnterDictation()
    {
        view.SelectPage(PageDictation);
        pages->PageControl1Change();
    }
    // The settings page, opened from the dictation page, applied by its button.
    void Apply(bool schedule, const std::string& newWords, const std::string& firstWord = "ant",
               bool review = false)
    {
        EnterDictation();
        pages->settings.MenuItem_settingClick();
        view.SetChecked(Control::CheckBox_DictationSchedule, schedule);
        view.SetChecked(Control::CheckBox_DictationReview, review);
        view.Type(Control::Edit_NewWordsPerDay, newWords);
        view.Type(Control::Edit_FistWordInRecycle, firstWord);
        pages->Clicked(PageButton::SpeedButton_applySetting);
    }
    void Answer(const std::string& text)
    {
        view.Type(Control::Edit_Dictation, text);
        pages->dictation.Edit_DictationKeyDown(VK_RETURN);
    }
    // Answers the asked word right `times` times; the words asked, the first included.
    std::vector<std::string> Right(int times)
    {
        std::vector<std::string> asked{state().DictationWord};
        for (int i = 0; i < times; ++i) {
            Answer(state().DictationWord);
            asked.push_back(state().DictationWord);
        }
        return asked;
    }
    std::string Counter() const { return view.Text(Control::Label_DictationCount); }
    // Each answer of the log: word, rating and the state before it.
    std::vector<std::string> Log()
    {
        return SqlColumn(table.Connection(),
                         "SELECT word || ' ' || rating || ' ' || state FROM ReviewLog ORDER BY rowid");
    }
    ReviewCard Card(const std::string& word) { return pages->reviews.Card(word).value_or(ReviewCard{}); }
    // A card in review, last answered `daysAgo` with the stability given.
    void Reviewed(const std::string& word, int daysAgo, double stability, std::int64_t due)
    {
        pages->reviews.Record(
            word, ReviewCard{}, ReviewRating::Good,
            {ReviewState::Review, 0, due, stability, 5, daysAgo, 3, 0, now - daysAgo * kDay});
    }
    int Said(const std::string& text) const
    {
        return static_cast<int>(std::count(view.statuses.begin(), view.statuses.end(), text));
    }

    std::int64_t now = kMorning;
    std::optional<std::string> savedZone_;
};

TEST_F(SpacedReviewTest, DueStepsComeFirstThenReviewsLeastLikelyRecalledThenNewWordsUpToTheLimit)
{
    Reviewed("dog", 20, 30, now - kDay);    // recall 0.925
    Reviewed("cat", 10, 2, now - 2 * kDay); // recall 0.761
    Reviewed("fox", 1, 5, now + 3600);      // due in an hour
    // A step left unfinished yesterday.
    pages->reviews.Record("eel", ReviewCard{}, ReviewRating::Again,
                          {ReviewState::Learning, 0, now - kDay + kMinute, 0.2, 6.4, 0, 1, 0, now - kDay});
    Apply(true, "2", "bee");
    EXPECT_EQ(state().DictationWord, "eel");
    EXPECT_EQ(Counter(), "5") << "a step, two reviews and two new words";

    // New words come from the drill's position on, past the words that have cards; once the limit
    // is reached, the words in their steps come back after three other words, the drill's own next
    // word standing in meanwhile (fox, answered but not rated).
    EXPECT_EQ(Right(9), (std::vector<std::string>{"eel", "cat", "dog", "bee", "gnu", "eel", "fox", "bee",
                                                  "gnu", "hen"}));
    EXPECT_EQ(Log().size(), 4u + 8u);
    EXPECT_EQ(Card("bee").state, ReviewState::Review);
    EXPECT_EQ(Card("fox").reps, 3) << "the word standing in was not reviewed";
    EXPECT_EQ(view.LastStatus(), G("今天的复习已完成"));
    EXPECT_EQ(Counter(), "6") << "the drill's own counter again, from bee";
    Right(2);
    EnterDictation();
    EXPECT_EQ(Said(G("今天的复习已完成")), 1) << "said once a day";

    // A review that falls due later that day is asked once it is due.
    now += 2 * 3600;
    Right(1);
    EXPECT_EQ(state().DictationWord, "fox");
}

TEST_F(SpacedReviewTest, AnswersAreRatedByWhatTheLearnerDidAndAMissedWordComesBackAtItsStep)
{
    Apply(true, "3");
    EXPECT_EQ(state().DictationWord, "ant");
    Answer("and");
    EXPECT_EQ(view.LastStatus(), "Error!");
    Answer("ANT ");
    EXPECT_EQ(view.LastStatus(), "Quite Right!");
    EXPECT_EQ(state().DictationWord, "bee");
    pages->dictation.RevealAnswer();
    Answer(state().DictationWord);
    Right(1); // cat
    EXPECT_EQ(Log(), (std::vector<std::string>{"ant 1 0", "bee 1 0", "cat 3 0"}))
        << "one rating an asked word: a miss and a shown answer are Again, a right answer Good";
    EXPECT_EQ(pages->errorBook.Count(), 1) << "the miss is in the error book as always";

    // Nothing may be asked yet: the drill's own next word stands in. A minute on, ant's step is due.
    EXPECT_EQ(state().DictationWord, "dog");
    now += kMinute;
    Right(1);
    EXPECT_EQ(state().DictationWord, "ant");
    Answer("ant");
    EXPECT_EQ(Card("ant").step, 1);
    EXPECT_EQ(Card("ant").due, now + 10 * kMinute);
    EXPECT_EQ(state().DictationWord, "bee");
}

TEST_F(SpacedReviewTest, NewWordsAreCountedPerDayFromFourInTheMorning)
{
    now = kMorning + 17 * 3600; // 03:00 the next morning: still the day before
    Apply(true, "1");
    Right(1);
    EXPECT_EQ(Card("ant").reps, 1);
    now += 10 * kMinute;
    EXPECT_EQ(Right(2), (std::vector<std::string>{"bee", "ant", "bee"}))
        << "ant's step comes between the drill's own words; no second new word before 04:00";
    EXPECT_EQ(Card("ant").state, ReviewState::Review);
    EXPECT_EQ(Card("bee").reps, 0);
    now += 50 * kMinute;
    Right(1);
    EXPECT_EQ(state().DictationWord, "bee") << "04:00: a new day's new word";
    EXPECT_EQ(Counter(), "1");
}

TEST_F(SpacedReviewTest, WithBothSwitchesOnTheScheduleLeadsAndTheErrorBookFollows)
{
    state().DictationWord = "jay";
    EnterDictation();
    Answer("?");
    Apply(true, "1", "ant", true);
    EXPECT_EQ(state().DictationWord, "ant");
    Right(1);
    EXPECT_EQ(state().DictationWord, "jay") << "the day's word done, the book's word waits meanwhile";
    now += 10 * kMinute;
    Right(2);
    EXPECT_EQ(Log(), (std::vector<std::string>{"ant 3 0", "ant 3 1"}));
    EXPECT_EQ(pages->errorBook.Count(), 1) << "one right answer in the book's review, one to go";
    Right(1);
    EXPECT_EQ(pages->errorBook.Count(), 0);
}

TEST_F(SpacedReviewTest, TheSwitchAndTheLimitAreAppliedDiscardedReloadedAndCheckedOnApply)
{
    const auto stored = [](const char* name) {
        Registry registry;
        EXPECT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", true));
        return registry.ReadInteger(name);
    };
    // Never used: the drill, the file and the key are as they always were.
    Apply(false, "20");
    Answer("?");
    Right(3);
    EXPECT_EQ(Log(), std::vector<std::string>{});
    EXPECT_EQ(pages->reviews.CardCount(), 0);
    EXPECT_EQ(stored("D_Schedule"), std::nullopt);
    EXPECT_EQ(stored("D_NewPerDay"), std::nullopt);

    const struct {
        const char* text;
        bool taken;
    } limits[] = {{"abc", false},   {"", false},    {"-1", false},
                  {"10000", false}, {"9999", true}, {" 0 ", true}};
    for (const auto& limit : limits) {
        view.boxes.clear();
        Apply(true, limit.text);
        EXPECT_EQ(view.boxes.size(), limit.taken ? 0u : 1u) << limit.text;
        EXPECT_EQ(view.settingsTab, !limit.taken) << limit.text;
        if (!limit.taken) {
            EXPECT_EQ(view.boxes[0].text, G("每天新词应是 0 到 9999 之间的整数"));
        }
    }
    EXPECT_EQ(stored("D_Schedule"), 1);
    EXPECT_EQ(stored("D_NewPerDay"), 0);
    EXPECT_EQ(view.LastStatus(), G("今天的复习已完成")) << "no new words and none due";

    Restart();
    pages->clock.now = [this] { return now; };
    EXPECT_TRUE(state().DictationSchedule);
    EXPECT_EQ(state().NewWordsPerDay, 0);
    pages->settings.MenuItem_settingClick();
    view.SetChecked(Control::CheckBox_DictationSchedule, false);
    view.Type(Control::Edit_NewWordsPerDay, "7");
    view.SelectPage(PageQuery);
    pages->PageControl1Change();
    pages->settings.MenuItem_settingClick();
    EXPECT_TRUE(view.Checked(Control::CheckBox_DictationSchedule)) << "an unapplied edit is discarded";
    EXPECT_EQ(view.Text(Control::Edit_NewWordsPerDay), "0");

    Apply(false, "30");
    EXPECT_EQ(stored("D_Schedule"), 0);
    EXPECT_EQ(stored("D_NewPerDay"), 30);
}

TEST_F(SpacedReviewTest, AWordDeletedOnTheMaintenancePageLeavesItsCardAndItsAnswers)
{
    Apply(true, "2");
    Answer("?");
    Right(2);
    view.Type(Control::Edit_newword, "ant");
    view.answers = {Answer::Yes};
    pages->maintenance.SpeedButton5Click();
    EXPECT_EQ(Log(), std::vector<std::string>{"bee 3 0"});
    EXPECT_FALSE(pages->reviews.Card("ant"));
}

TEST_F(SpacedReviewTest, TablesOfAnotherShapeAreReportedOnceAndTheDrillGoesOnWithoutThem)
{
    ASSERT_EQ(
        sqlite3_exec(table.Connection(), "CREATE TABLE ReviewLog (word TEXT)", nullptr, nullptr, nullptr),
        SQLITE_OK);
    Apply(true, "5");
    const std::string unusable = G("间隔复习无法使用：词库文件中的 ReviewCard、ReviewLog 表不是本程序建立的");
    EXPECT_EQ(view.LastStatus(), unusable);
    EXPECT_EQ(Right(2), (std::vector<std::string>{"ant", "bee", "cat"}));
    EnterDictation();
    EXPECT_EQ(Said(unusable), 1);
    EXPECT_EQ(pages->reviews.Card("ant"), std::nullopt);
}

} // namespace

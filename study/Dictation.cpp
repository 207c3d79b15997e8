#include "study/Dictation.h"

#include "store/DictTable.h"
#include "store/ErrorBook.h"
#include "store/ReviewStore.h"
#include "study/Clock.h"
#include "study/DictationRange.h"
#include "study/MainView.h"
#include "study/ReviewSchedule.h"
#include "study/Settings.h"
#include "study/Speaker.h"
#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// The review's own texts as GBK, converted once.
struct Texts {
    std::string mastered = gbk::FromUtf8("已掌握【").value();
    std::string masteredEnd = gbk::FromUtf8("】").value();
    std::string emptyBook = gbk::FromUtf8("错词本是空的").value();
    std::string unusableBook =
        gbk::FromUtf8("错词本无法使用：词库文件中的 ErrorBook 表不是本程序建立的").value();
    std::string dayDone = gbk::FromUtf8("今天的复习已完成").value();
    std::string unusableSchedule =
        gbk::FromUtf8("间隔复习无法使用：词库文件中的 ReviewCard、ReviewLog 表不是本程序建立的").value();
};

const Texts& Say()
{
    static const Texts texts;
    return texts;
}

} // namespace

void Dictation::TakeDictationRecord()
{
    c_.state.DictationWord = c_.table.FieldByName("word");
    c_.view.SetText(Control::Label_Interpret, c_.table.FieldByName("interpret"));
    c_.view.SetText(Control::Edit_Dictation, std::string());
    asked_ = true;
    scheduled_ = toRate_ = revealed_ = false;
}

void Dictation::SpeakNewWord()
{
    if (asked_ && c_.state.DictationSpeak)
        speaker_.Speak(c_.state.DictationWord);
    asked_ = false;
}

void Dictation::SpeakAskedWord()
{
    if (c_.state.DictationSpeak)
        speaker_.Speak(c_.state.DictationWord);
}

bool Dictation::AnswerIsRight() const
{
    // A typed character GBK cannot hold comes back as '?', which must not match a stored '?'.
    if (!c_.view.TextFitsGbk(Control::Edit_Dictation))
        return false;
    return gbk::UpperCase(gbk::Trim(c_.view.Text(Control::Edit_Dictation))) ==
           gbk::UpperCase(gbk::Trim(c_.state.DictationWord));
}

void Dictation::ShowCounter()
{
    // While scheduling it counts the words left today, while reviewing the words still to be mastered.
    const int count = dayOpen_      ? schedule_.WordsLeft(c_.state.NewWordsPerDay)
                      : Reviewing() ? errorBook_.Count()
                                    : c_.table.RecNo() - c_.state.DictationStartRecNo;
    c_.view.SetText(Control::Label_DictationCount, std::to_string(count));
}

bool Dictation::Reviewing()
{
    return c_.state.DictationReview && errorBook_.Usable() && errorBook_.Count() > 0;
}

bool Dictation::SeekReviewWord()
{
    if (!c_.state.DictationReview)
        return false;
    if (!errorBook_.Usable()) {
        if (!unusableReported_)
            c_.view.ShowStatus(Say().unusableBook);
        unusableReported_ = true;
        return false;
    }
    while (const auto word = errorBook_.NextWord()) {
        if (c_.table.SeekExact(*word))
            return true;
        // A word gone from the table cannot be asked any more.
        errorBook_.Forget(*word);
    }
    return false;
}

bool Dictation::Scheduling()
{
    if (!c_.state.DictationSchedule || !c_.table.Active() || c_.table.RecordCount() == 0)
        return false;
    if (reviews_.Usable())
        return true;
    if (!std::exchange(scheduleUnusableReported_, true))
        c_.view.ShowStatus(Say().unusableSchedule);
    return false;
}

bool Dictation::SeekScheduledWord()
{
    dayOpen_ = false;
    if (!Scheduling())
        return false;
    if (!schedule_.HasNewWordsPosition())
        schedule_.NewWordsFrom(c_.state.DictationWord);
    const std::int64_t now = clock_.Now();
    const ReviewSchedule::Pick pick = schedule_.Next(now, c_.state.NewWordsPerDay);
    dayOpen_ = pick != ReviewSchedule::Pick::Done;
    if (!dayOpen_ && doneSaid_ != ReviewDayStart(now)) {
        doneSaid_ = ReviewDayStart(now);
        doneToSay_ = true;
    }
    return pick == ReviewSchedule::Pick::Word;
}

void Dictation::SayDayDone()
{
    if (std::exchange(doneToSay_, false))
        c_.view.ShowStatus(Say().dayDone);
}

void Dictation::RateAnswer(ReviewRating rating)
{
    schedule_.Rate(c_.state.DictationWord, rating, clock_.Now());
    // Only once on disk: a failure leaves the answer to be rated when given again.
    toRate_ = false;
}

void Dictation::MoveOn()
{
    const bool scheduled = SeekScheduledWord();
    if (!scheduled && !SeekReviewWord()) {
        c_.table.Next();
        if (c_.table.Eof())
            c_.table.First();
    }
    TakeDictationRecord();
    scheduled_ = toRate_ = scheduled;
}

void Dictation::SettingsApplied()
{
    // Applying restarts the drill at its first word, and new words come from there.
    schedule_.Restart();
    schedule_.NewWordsFrom(c_.state.DictationWord);
    scheduled_ = toRate_ = dayOpen_ = false;
}

void Dictation::EnterDictationPage()
{
    // A word the schedule chose that is not answered yet is asked again.
    const bool again = toRate_ && c_.table.SeekExact(c_.state.DictationWord);
    const bool scheduled = again || SeekScheduledWord();
    if (!scheduled && !SeekReviewWord()) {
        if (c_.state.DictationReview && errorBook_.Usable())
            c_.view.ShowStatus(Say().emptyBook);
        // A word deleted meanwhile gives way to the word that now follows it.
        c_.table.SeekNearest(c_.state.DictationWord);
    }
    c_.state.DictationWord = c_.table.FieldByName("word");
    c_.view.SetText(Control::Label_Interpret, c_.table.FieldByName("interpret"));
    c_.view.SetFocus(Control::Edit_Dictation);
    scheduled_ = toRate_ = scheduled;
    revealed_ = revealed_ && again;
    ShowCounter();
    SayDayDone();
    asked_ = true;
    SpeakNewWord();
}

void Dictation::Edit_DictationKeyDown(int key)
{
    FormState& state = c_.state;
    TDictTable& table = c_.table;
    if (key == VK_RETURN) {
        if (AnswerIsRight()) {
            const std::string answered = state.DictationWord;
            // A word of the schedule is rated by its first answer alone; the book counts only the
            // words it asked itself. A shown answer is not remembered.
            bool mastered = false;
            if (toRate_)
                RateAnswer(revealed_ ? ReviewRating::Again : ReviewRating::Good);
            else if (!scheduled_)
                mastered = Reviewing() && errorBook_.RecordRight(answered);
            MoveOn();
            c_.view.ShowStatus(mastered ? Say().mastered + answered + Say().masteredEnd : "Quite Right!");
            SayDayDone();
        } else {
            // Recorded before it is shown: a miss on the status line is already on disk. An empty
            // table asks no word, and there is none to record.
            if (!state.DictationWord.empty()) {
                if (toRate_)
                    RateAnswer(ReviewRating::Again);
                errorBook_.RecordMiss(state.DictationWord, clock_.Now());
            }
            c_.view.ShowStatus("Error!");
            c_.view.Beep();
        }
    }
    // The review and the schedule ask their words wherever they are; the range does not hold them.
    if (state.DictationRecycled && !scheduled_ && !Reviewing()) {
        const int recNo = table.RecNo();
        if (recNo < state.DictationStartRecNo || recNo > state.DictationEndRecNo) {
            table.SetRecNo(state.DictationStartRecNo);
            TakeDictationRecord();
        }
    }
    ShowCounter();
    SpeakNewWord();
}

void Dictation::PreviousDictationWord()
{
    c_.table.Prior();
    if (c_.table.Bof())
        c_.table.Last();
    TakeDictationRecord();
    // Where the learner steps to, new words come from.
    schedule_.NewWordsFrom(c_.state.DictationWord);
    SpeakNewWord();
}

void Dictation::NextDictationWord()
{
    c_.table.Next();
    if (c_.table.Eof())
        c_.table.First();
    TakeDictationRecord();
    schedule_.NewWordsFrom(c_.state.DictationWord);
    SpeakNewWord();
}

void Dictation::PreviousGroup()
{
    FormState& state = c_.state;
    if (!state.DictationRecycled)
        return;
    state.DictationStartRecNo =
        std::max(1, ClampRecNo(1LL * state.DictationStartRecNo - state.GroupWordCount));
    state.DictationEndRecNo = ClampRecNo(1LL * state.DictationStartRecNo + state.GroupWordCount - 1);
    StartGroup();
}

void Dictation::NextGroup()
{
    FormState& state = c_.state;
    if (!state.DictationRecycled)
        return;
    // A range that already reaches the last record is kept: past it there is no record to start
    // a group at. The group is restarted, as the first group is when moving back from it.
    if (state.DictationEndRecNo < c_.table.RecordCount()) {
        state.DictationStartRecNo = state.DictationEndRecNo + 1;
        state.DictationEndRecNo = ClampRecNo(1LL * state.DictationEndRecNo + state.GroupWordCount);
    }
    StartGroup();
}

void Dictation::StartGroup()
{
    FormState& state = c_.state;
    TDictTable& table = c_.table;
    table.SetRecNo(state.DictationStartRecNo);
    const TDictTable::Bookmark start = table.GetBookmark();
    state.FirstWordInRecycle = table.FieldByName("word");
    settings_.SaveDictationSettings();
    state.DictationWord = state.FirstWordInRecycle;
    // A changed first-word box recomputes the settings page's label, which moves the table.
    c_.view.SetText(Control::Edit_FistWordInRecycle, state.FirstWordInRecycle);
    table.GotoBookmark(start);
    c_.view.SetText(Control::Label_Interpret, table.FieldByName("interpret"));
    c_.view.SetText(Control::Edit_Dictation, std::string());
    asked_ = true;
    scheduled_ = toRate_ = revealed_ = false;
    schedule_.NewWordsFrom(state.FirstWordInRecycle);
    SpeakNewWord();
}

void Dictation::RevealAnswer()
{
    revealed_ = true;
    c_.view.SetText(Control::Edit_Dictation, c_.state.DictationWord);
    c_.view.SetCaretToEnd(Control::Edit_Dictation);
}

void Dictation::Label_InterpretDblClick()
{
    c_.view.SelectPage(PageMaintain);
    c_.view.SetText(Control::Edit_newword, c_.table.FieldByName("word"));
    c_.view.SetText(Control::Memo_newInterpret, c_.table.FieldByName("interpret"));
}

#include "study/Dictation.h"

#include "store/DictTable.h"
#include "store/ErrorBook.h"
#include "study/DictationRange.h"
#include "study/MainView.h"
#include "study/Settings.h"
#include "study/Speaker.h"
#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <algorithm>
#include <ctime>
#include <string>

namespace {

// The review's own texts as GBK, converted once.
struct Texts {
    std::string mastered = gbk::FromUtf8("已掌握【").value();
    std::string masteredEnd = gbk::FromUtf8("】").value();
    std::string emptyBook = gbk::FromUtf8("错词本是空的").value();
    std::string unusableBook =
        gbk::FromUtf8("错词本无法使用：词库文件中的 ErrorBook 表不是本程序建立的").value();
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
    // While reviewing it counts the words still to be mastered.
    const int count = Reviewing() ? errorBook_.Count() : c_.table.RecNo() - c_.state.DictationStartRecNo;
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

void Dictation::EnterDictationPage()
{
    if (!SeekReviewWord()) {
        if (c_.state.DictationReview && errorBook_.Usable())
            c_.view.ShowStatus(Say().emptyBook);
        // A word deleted meanwhile gives way to the word that now follows it.
        c_.table.SeekNearest(c_.state.DictationWord);
    }
    c_.state.DictationWord = c_.table.FieldByName("word");
    c_.view.SetText(Control::Label_Interpret, c_.table.FieldByName("interpret"));
    c_.view.SetFocus(Control::Edit_Dictation);
    ShowCounter();
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
            const bool mastered = Reviewing() && errorBook_.RecordRight(answered);
            if (!SeekReviewWord()) {
                table.Next();
                if (table.Eof())
                    table.First();
            }
            TakeDictationRecord();
            c_.view.ShowStatus(mastered ? Say().mastered + answered + Say().masteredEnd : "Quite Right!");
        } else {
            // Recorded before it is shown: a miss on the status line is already on disk. An empty
            // table asks no word, and there is none to record.
            if (!state.DictationWord.empty())
                errorBook_.RecordMiss(state.DictationWord, std::time(nullptr));
            c_.view.ShowStatus("Error!");
            c_.view.Beep();
        }
    }
    // The review asks the book's words wherever they are; the range does not hold it.
    if (state.DictationRecycled && !Reviewing()) {
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
    SpeakNewWord();
}

void Dictation::NextDictationWord()
{
    c_.table.Next();
    if (c_.table.Eof())
        c_.table.First();
    TakeDictationRecord();
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
    SpeakNewWord();
}

void Dictation::RevealAnswer()
{
    c_.view.SetText(Control::Edit_Dictation, c_.state.DictationWord);
    c_.view.SetCaretToEnd(Control::Edit_Dictation);
}

void Dictation::Label_InterpretDblClick()
{
    c_.view.SelectPage(PageMaintain);
    c_.view.SetText(Control::Edit_newword, c_.table.FieldByName("word"));
    c_.view.SetText(Control::Memo_newInterpret, c_.table.FieldByName("interpret"));
}

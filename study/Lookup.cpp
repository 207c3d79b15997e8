#include "study/Lookup.h"

#include "store/DictTable.h"
#include "store/WordSeek.h"
#include "study/CommonTexts.h"
#include "study/MainView.h"
#include "study/ScopedFlag.h"
#include "study/Speaker.h"
#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <string>
#include <vector>

namespace {

constexpr int kPreviewLimit = 255;
// Entries read at a time as the list is scrolled.
constexpr int kPreviewBatch = 32;

// The page's own texts as GBK, converted once.
struct Texts {
    std::string notFound = "not find it";
    std::string askAppend = gbk::FromUtf8("词库中没有这个单词，是否追加?").value();
    std::string atLast = gbk::FromUtf8("已经是词库中最后一个单词了").value();
    std::string atFirst = gbk::FromUtf8("已经是词库中第一个单词了").value();
};

const Texts& Say()
{
    static const Texts texts;
    return texts;
}

} // namespace

bool IsWordPrefix(std::string_view text, std::string_view prefix)
{
    const std::string t = gbk::Trim(text);
    const std::string p = gbk::Trim(prefix);
    if (t.empty() || p.empty())
        return false;
    return gbk::StartsWithNoCase(t, p);
}

void Lookup::SetInputWord(const std::string& text)
{
    const ScopedFlag setting(c_.state.SettingInput);
    c_.view.SetText(Control::Edit_Input, text);
    c_.view.SetCaretToEnd(Control::Edit_Input);
    c_.state.QueryWord = text;
    suggestions.Hide();
}

void Lookup::ShowWordView()
{
    MainView& view = c_.view;
    TDictTable& table = c_.table;
    previewDone_ = true; // clearing the list scrolls it to its end: nothing is listed from before
    view.SetText(Control::Memo_View, std::string());
    view.ClearPreview();

    const std::string word = table.FieldByName("word");
    shownWord_ = word;
    if (word.empty())
        return;
    // A bookmark rather than the record number: counting the records before a word after a seek
    // would cost more than the whole keystroke on a large table.
    const TDictTable::Bookmark start = table.GetBookmark();

    view.SetText(Control::Memo_View,
                 Common().open + word + Common().close + "\r\n " + table.FieldByName("interpret"));
    view.ScrollToTop(Control::Memo_View);

    previewed_ = 0;
    previewDone_ = false;
    FillPreview(view.PreviewRows() + 1);
    table.GotoBookmark(start);
}

void Lookup::FillPreview(int wanted)
{
    TDictTable& table = c_.table;
    // The list takes the words at once: one insertion and one layout instead of one for each.
    std::vector<std::string> preview;
    for (;;) {
        if (table.Eof() || previewed_ == kPreviewLimit) {
            previewDone_ = true;
            break;
        }
        std::string candidate = table.FieldByName("word");
        if (!IsWordPrefix(candidate, shownWord_)) {
            previewDone_ = true;
            break;
        }
        if (static_cast<int>(preview.size()) == wanted) {
            previewNext_ = table.GetBookmark();
            break;
        }
        preview.push_back(std::move(candidate));
        ++previewed_;
        // Next stays on the last record and sets Eof when there is none after it.
        table.Next();
    }
    c_.view.AddPreview(preview);
}

void Lookup::MorePreview()
{
    if (previewDone_)
        return;
    TDictTable& table = c_.table;
    const TDictTable::Bookmark start = table.GetBookmark();
    table.GotoBookmark(previewNext_);
    FillPreview(kPreviewBatch);
    table.GotoBookmark(start);
}

void Lookup::Edit_InputChange()
{
    if (c_.state.SettingInput)
        return;
    const std::string typed = c_.view.Text(Control::Edit_Input);
    Seek_Word_Record(c_.table, typed);
    ShowWordView();
    suggestions.Offer(typed, shownWord_);
}

void Lookup::Edit_InputKeyDown(int key)
{
    if (key == VK_RETURN)
        SpeedButton_SeekClick();
}

void Lookup::SpeedButton_SeekClick()
{
    MainView& view = c_.view;
    suggestions.Hide(); // the typed text is sought as it is
    const std::string typed = gbk::Trim(view.Text(Control::Edit_Input));
    if (typed.empty())
        return;
    if (!view.TextFitsGbk(Control::Edit_Input)) {
        // The typed word cannot be stored, so it is neither remembered nor offered for adding;
        // the nearest word is shown as while typing.
        Seek_Word_Record(c_.table, typed);
        ShowWordView();
        return;
    }
    c_.state.QueryWord = typed;
    if (Seek_Word_Record(c_.table, c_.state.QueryWord)) {
        ShowWordView();
        return;
    }
    view.ClearPreview();
    view.SetText(Control::Memo_View, Say().notFound);
    shownWord_.clear();
    if (view.MessageBox(Say().askAppend, Common().hint, Question::AskYesNo) != Answer::Yes)
        return;
    view.SelectPage(PageMaintain);
    view.SetText(Control::Edit_newword, c_.state.QueryWord);
    view.SetText(Control::Memo_newInterpret, std::string());
    view.SetFocus(Control::Memo_newInterpret);
}

void Lookup::Step(bool forward)
{
    MainView& view = c_.view;
    TDictTable& table = c_.table;
    const std::string typed = view.Text(Control::Edit_Input);
    // Another page may have moved the table since this page showed the typed word.
    if (gbk::Trim(gbk::UpperCase(table.FieldByName("word"))) != gbk::Trim(gbk::UpperCase(typed)))
        Seek_Word_Record(table, typed);
    if (forward)
        table.Next();
    else
        table.Prior();
    if (forward ? table.Eof() : table.Bof()) {
        view.ShowStatus(forward ? Say().atLast : Say().atFirst);
        view.Beep();
    }
    SetInputWord(table.FieldByName("word"));
    ShowWordView();
}

void Lookup::SpeedButton_nextClick()
{
    Step(true);
}

void Lookup::SpeedButton_lastClick()
{
    Step(false);
}

void Lookup::ListBox_PreviewDblClick()
{
    // With no entry selected this throws the list's index error, before anything has changed.
    const std::string word = c_.view.PreviewItem(c_.view.PreviewSelectedIndex());
    SetInputWord(word);
    Seek_Word_Record(c_.table, c_.view.Text(Control::Edit_Input));
    ShowWordView();
}

void Lookup::SuggestionPicked(int index)
{
    const std::string word = suggestions.Take(index);
    if (word.empty())
        return;
    {
        // The box's change handler would offer a list for the word picked: none, as it is stored.
        const ScopedFlag setting(c_.state.SettingInput);
        c_.view.SetText(Control::Edit_Input, word);
        c_.view.SetCaretToEnd(Control::Edit_Input);
    }
    Seek_Word_Record(c_.table, word);
    ShowWordView();
    c_.view.SetFocus(Control::Edit_Input);
}

void Lookup::SpeakShownWord()
{
    if (!shownWord_.empty())
        speaker_.Speak(shownWord_);
    else if (c_.view.TextFitsGbk(Control::Edit_Input))
        speaker_.Speak(gbk::Trim(c_.view.Text(Control::Edit_Input)));
}

void Lookup::Memo_ViewDblClick()
{
    MainView& view = c_.view;
    view.SelectPage(PageMaintain);
    Seek_Word_Record(c_.table, view.Text(Control::Edit_Input));
    view.SetText(Control::Edit_newword, c_.table.FieldByName("word"));
    view.SetText(Control::Memo_newInterpret, c_.table.FieldByName("interpret"));
}

#include "study/Maintenance.h"

#include "store/DictTable.h"
#include "store/ErrorBook.h"
#include "store/ReviewStore.h"
#include "store/WordSeek.h"
#include "study/CommonTexts.h"
#include "study/MainView.h"
#include "text/GbkCodec.h"
#include "text/GbkText.h"

namespace {

// The page's own texts as GBK, converted once.
struct Texts {
    std::string askWord = gbk::FromUtf8("请输入您需要查询的单词").value();
    std::string found = gbk::FromUtf8("找到 ").value();
    std::string notFound = "Not Find " + Common().open;
    std::string emptyWord = gbk::FromUtf8("输入单词不能为空").value();
    std::string emptyInterpret = gbk::FromUtf8("单词解释不能为空").value();
    std::string unsavableWord = gbk::FromUtf8("输入单词中有词库无法保存的字符，请修改后再保存").value();
    std::string unsavableInterpret = gbk::FromUtf8("单词解释中有词库无法保存的字符，请修改后再保存").value();
    std::string askUpdate = gbk::FromUtf8(" 已经存在单词库中，是否更新?").value();
    std::string saved = gbk::FromUtf8("单词库更新成功").value();
    std::string askDelete = gbk::FromUtf8("您确定要从词库中删除【").value();
    std::string deleted = gbk::FromUtf8("成功从词库中删除 ").value();
    std::string nothingToDelete = gbk::FromUtf8("不存在待删除的对象").value();
};

const Texts& Say()
{
    static const Texts texts;
    return texts;
}

} // namespace

bool Maintenance::SeekTypedWord(const std::string& word)
{
    const bool found = Seek_Word_Record(c_.table, word);
    // A typed character the table cannot hold came back as '?': no stored word is the one typed.
    return found && c_.view.TextFitsGbk(Control::Edit_newword);
}

void Maintenance::Warn(const std::string& text, Control focus)
{
    c_.view.MessageBox(text, Common().warning, Question::Notice);
    c_.view.SetFocus(focus);
}

void Maintenance::Edit_newwordKeyDown(int key)
{
    if (key == VK_RETURN)
        SpeedButton_findwordClick();
}

void Maintenance::SpeedButton_findwordClick()
{
    MainView& view = c_.view;
    const std::string word = gbk::Trim(view.Text(Control::Edit_newword));
    if (word.empty()) {
        view.Beep();
        view.ShowStatus(Say().askWord);
        return;
    }
    if (SeekTypedWord(word)) {
        view.SelectAll(Control::Edit_newword);
        view.ShowStatus(Say().found + word);
        view.SetText(Control::Memo_newInterpret, c_.table.FieldByName("interpret"));
        return;
    }
    view.Beep();
    view.ShowStatus(Say().notFound + word + Common().close);
    view.SetText(Control::Memo_newInterpret, std::string());
    view.SetFocus(Control::Memo_newInterpret);
}

void Maintenance::SpeedButton_SaveWordClick()
{
    MainView& view = c_.view;
    TDictTable& table = c_.table;
    const std::string word = gbk::Trim(view.Text(Control::Edit_newword));
    const std::string interpret = gbk::Trim(view.Text(Control::Memo_newInterpret));
    if (word.empty())
        return Warn(Say().emptyWord, Control::Edit_newword);
    // Storing the '?' that stands for a character GBK cannot hold would alter the user's text.
    if (!view.TextFitsGbk(Control::Edit_newword))
        return Warn(Say().unsavableWord, Control::Edit_newword);
    if (interpret.empty())
        return Warn(Say().emptyInterpret, Control::Memo_newInterpret);
    if (!view.TextFitsGbk(Control::Memo_newInterpret))
        return Warn(Say().unsavableInterpret, Control::Memo_newInterpret);

    if (Seek_Word_Record(table, word)) {
        if (view.MessageBox(word + Say().askUpdate, Common().hint, Question::AskYesNo) != Answer::Yes)
            return;
        // The stored word keeps its own letter case: only the explanation is written.
        table.Edit();
        table.SetFieldByName("interpret", interpret);
    } else {
        table.Append();
        table.SetFieldByName("word", word);
        table.SetFieldByName("interpret", interpret);
    }
    table.Post();
    view.ShowStatus(Say().saved);
    view.SetFocus(Control::Edit_newword);
}

void Maintenance::SpeedButton5Click()
{
    MainView& view = c_.view;
    const std::string word = gbk::Trim(view.Text(Control::Edit_newword));
    if (word.empty() || !SeekTypedWord(word)) {
        view.ShowStatus(Say().nothingToDelete);
        return;
    }
    if (view.MessageBox(Say().askDelete + word + Common().close + "?", Common().warning,
                        Question::AskYesNo) != Answer::Yes)
        return;
    const std::string stored = c_.table.FieldByName("word");
    c_.table.Delete();
    errorBook_.Forget(stored);
    reviews_.Forget(stored);
    view.ShowStatus(Say().deleted + word);
}

void Maintenance::StepIntoFields(bool forward)
{
    TDictTable& table = c_.table;
    Seek_Word_Record(table, c_.view.Text(Control::Edit_newword));
    if (forward)
        table.Next();
    else
        table.Prior();
    c_.view.SetText(Control::Edit_newword, table.FieldByName("word"));
    c_.view.SetText(Control::Memo_newInterpret, table.FieldByName("interpret"));
}

void Maintenance::PreviousWordIntoFields()
{
    StepIntoFields(false);
}

void Maintenance::NextWordIntoFields()
{
    StepIntoFields(true);
}

void Maintenance::AppendToInterpret(const std::string& mark)
{
    // Writing the text back would turn the characters GBK cannot hold into '?'.
    if (!c_.view.TextFitsGbk(Control::Memo_newInterpret)) {
        c_.view.Beep();
        return;
    }
    c_.view.SetText(Control::Memo_newInterpret, c_.view.Text(Control::Memo_newInterpret) + mark);
}

#include "study/ImportMerge.h"

#include "store/DictTable.h"
#include "study/CommonTexts.h"
#include "study/MainView.h"
#include "text/GbkCodec.h"

namespace {

struct Texts {
    std::string askFrom = gbk::FromUtf8("】已经存在词库中,是否将注释由:\r\n\r\n  (").value();
    std::string askTo = gbk::FromUtf8(")\r\n\r\n     更新为\r\n\r\n  (").value();
    std::string askEnd = ")?";
    std::string forAllYes = gbk::FromUtf8("以后遇到重复的单词都选择【是】吗？").value();
    std::string forAllNo = gbk::FromUtf8("以后遇到重复的单词都选择【否】吗？").value();
};

const Texts& Say()
{
    static const Texts texts;
    return texts;
}

} // namespace

MergeResult ImportMerge::Store(const WordListEntry& entry)
{
    TDictTable& table = c_.table;
    passedOver_.reset();
    if (digest_) {
        if (digest_->HoldsUnchanged(entry.word, entry.interpret)) {
            passedOver_ = entry.word;
            return MergeResult::Unchanged;
        }
        // Adding or updating changes what the word's first record holds.
        digest_->Forget(entry.word);
    }
    if (!table.SeekExact(entry.word)) {
        table.Append();
        table.SetFieldByName("word", entry.word);
        table.SetFieldByName("interpret", entry.interpret);
        table.Post();
        return MergeResult::Added;
    }
    const std::string stored = table.FieldByName("interpret");
    // The reader hands out the explanation as the table would store it, so one that is longer
    // than its field still equals what an earlier import of it stored.
    if (stored == entry.interpret)
        return MergeResult::Unchanged;
    const Answer answer = forAll_ ? *forAll_ : Ask(entry, stored);
    if (answer == Answer::Cancel)
        return MergeResult::Cancelled;
    if (answer != Answer::Yes)
        return MergeResult::Declined;
    table.Edit();
    table.SetFieldByName("interpret", entry.interpret);
    table.Post();
    return MergeResult::Updated;
}

void ImportMerge::Finish()
{
    if (passedOver_)
        c_.table.SeekExact(*passedOver_);
}

Answer ImportMerge::Ask(const WordListEntry& entry, const std::string& stored)
{
    beforeAsking_();
    const std::string question =
        Common().open + entry.word + Say().askFrom + stored + Say().askTo + entry.interpret + Say().askEnd;
    const Answer answer = c_.view.MessageBox(question, Common().hint, Question::AskYesNoCancel);
    if (answer != Answer::Yes && answer != Answer::No)
        return answer;
    run_ = answer == lastAnswer_ ? run_ + 1 : 1;
    lastAnswer_ = answer;
    if (run_ == 3) {
        run_ = 0;
        const std::string& offer = answer == Answer::Yes ? Say().forAllYes : Say().forAllNo;
        if (c_.view.MessageBox(offer, Common().hint, Question::AskYesNo) == Answer::Yes)
            forAll_ = answer;
    }
    return answer;
}

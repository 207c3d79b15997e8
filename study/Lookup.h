#pragma once
// The lookup page: typing positions the table on the word or the nearest following one and shows
// it with the run of following words that begin with it.

#include "store/DictTable.h"
#include "study/Speaker.h"
#include "study/Speller.h"
#include "study/StudyContext.h"
#include "study/WordSuggestions.h"

#include <string>
#include <string_view>

// True when `text` begins with `prefix`, both trimmed and non-empty, letters compared without case.
bool IsWordPrefix(std::string_view text, std::string_view prefix);

class Lookup {
public:
    // `speaker` says the shown word on F2; `speller` adds to the spellings offered.
    explicit Lookup(StudyContext context, Speaker& speaker = Silence(), Speller& speller = NoSpeller())
        : suggestions(context, speller), c_(context), speaker_(speaker)
    {
    }

    // The list below the lookup box, offered after each keystroke.
    WordSuggestions suggestions;

    void SetInputWord(const std::string& text);
    // Shows the current record and lists it with the following words that begin with it, up to
    // 255. Only what the list shows at once is read at first, and one entry more, so that its
    // scroll bar tells there are more; the rest comes as the list is scrolled (MorePreview). A
    // keystroke thus costs the same on a table of any size.
    void ShowWordView();
    // The list has been scrolled to its end: the next entries, if any.
    void MorePreview();

    void Edit_InputChange();
    void Edit_InputKeyDown(int key);
    void SpeedButton_SeekClick();
    void SpeedButton_nextClick();
    void SpeedButton_lastClick();
    void ListBox_PreviewDblClick();
    // An entry of the list below the box was picked: its word goes into the box and is shown as if
    // typed, and the list stays for the next pick (the window closes it after a click).
    void SuggestionPicked(int index);
    void Memo_ViewDblClick();
    // F2: says the word the definition view shows, or the typed word when it shows none.
    void SpeakShownWord();

private:
    // Next or previous word from the typed one, with the end's message.
    void Step(bool forward);
    // Lists up to `wanted` more words from the current record on; the table is left past them.
    void FillPreview(int wanted);

    StudyContext c_;
    Speaker& speaker_;
    std::string shownWord_; // the word in the definition view, empty while it shows none
    // The preview being listed: how many are listed, the record to list next, and whether the run
    // has ended (or 255 are listed).
    int previewed_ = 0;
    TDictTable::Bookmark previewNext_;
    bool previewDone_ = true;
};

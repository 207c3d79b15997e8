#pragma once
// The page logic of the main window in one place: the pages, the page-entry actions and the
// start-up work that needs the table.

#include "store/ErrorBook.h"
#include "store/ReviewStore.h"
#include "study/Clock.h"
#include "study/Control.h"
#include "study/Dictation.h"
#include "study/FormState.h"
#include "study/KeyCommands.h"
#include "study/LearningStatistics.h"
#include "study/Lookup.h"
#include "study/Maintenance.h"
#include "study/ReviewSchedule.h"
#include "study/Settings.h"
#include "study/Speaker.h"
#include "study/WordListTransfer.h"

#include <optional>
#include <string>

struct StudyPaths {
    std::string iniFile;                // the program's path with ".ini"
    std::string programDirectory;       // initial directory of the word-list file dialogs
    std::string gradedListsFolder = {}; // the graded word lists that come with the program
};

class StudyPages {
public:
    // `speaker` says the words of the dictation drill and of F2; `speller` adds to the spellings
    // the lookup offers.
    StudyPages(TDictTable& table, MainView& view, const StudyPaths& paths, Speaker& speaker = Silence(),
               Speller& speller = NoSpeller());

private:
    TDictTable& table_;
    MainView& view_;

public:
    FormState state;
    Clock clock;
    ErrorBook errorBook;
    ReviewStore reviews;
    ReviewSchedule schedule;
    Lookup lookup;
    Maintenance maintenance;
    Settings settings;
    Dictation dictation;
    KeyCommands keys;
    WordListTransfer transfer;
    LearningStatistics statistics;

    // The page-entry actions of the page now active.
    void PageControl1Change();
    // The first showing's work after the window is laid out: the page shown and the last words.
    void FirstShowWork();
    // The rest of it, once the window is on the screen: the dictation settings, which fill the
    // pages not shown, and the record numbers of the dictation's group and start, which on a large
    // table cost a pass through the word index. Runs once.
    void FirstPaintedWork();
    // The window's events, each dispatched to its handler. While an export or import runs, nothing
    // that moves the table starts: clicks, keys and double-clicks do nothing then.
    // A control's text changed; the window and the fake view both call it.
    void TextChanged(Control control);
    void Clicked(PageButton button);
    // A key, before the focused control handles it (it is never consumed); `focused` is the page
    // control that has the focus, if any.
    void KeyDown(std::optional<Control> focused, int key, bool ctrl);
    void DoubleClicked(Control control);
    // An entry of the list below the lookup box was picked.
    void SuggestionPicked(int index);
    // The speller's answer came (on the window's thread).
    void SpellingsArrived(const std::string& word, const std::vector<std::string>& spellings);
    // The preview list was scrolled to its end (or grew taller than its entries).
    void PreviewScrolledToEnd();
    // True while an export or import runs: the window then ignores commands that move the table.
    bool Busy() const { return transfer.Running(); }

private:
    bool startPending_ = false; // shown, not yet painted
};

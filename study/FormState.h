#pragma once
// The main window's own state, shared by the pages.

#include <string>

struct FormState {
    bool SettingInput = false; // the program itself is writing Edit_Input: its change handler does nothing
    bool FirstShow = true;
    int SettingReturnPage = 0;
    int DictationStartRecNo = 0;
    int DictationEndRecNo = 0;
    bool DictationRecycled = false;
    bool DictationSpeak = false;    // the drill says each word it asks
    bool DictationReview = false;   // the drill asks the words of the error book while it holds any
    bool DictationSchedule = false; // the drill asks the words the spaced review has due, then new ones
    int NewWordsPerDay = 20;        // new words the spaced review brings in a day
    int GroupWordCount = 0;
    std::string FirstWordInRecycle;
    std::string DictationWord;
    std::string QueryWord;
};

#pragma once
// The dictation drill: the explanation is shown, the learner types the word.

#include "study/StudyContext.h"

class Settings;

class Dictation {
public:
    Dictation(StudyContext context, Settings& settings) : c_(context), settings_(settings) {}

    void EnterDictationPage();
    void Edit_DictationKeyDown(int key);
    void PreviousDictationWord();
    void NextDictationWord();
    void PreviousGroup();
    void NextGroup();
    void RevealAnswer();
    void Label_InterpretDblClick();

private:
    // The current record becomes the asked word; the answer box is emptied.
    void TakeDictationRecord();
    bool AnswerIsRight() const;
    void ShowCounter();
    // After a group move has set the range: ask its first word and save the settings.
    void StartGroup();

    StudyContext c_;
    Settings& settings_;
};

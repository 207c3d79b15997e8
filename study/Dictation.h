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
    StudyContext c_;
    Settings& settings_;
};

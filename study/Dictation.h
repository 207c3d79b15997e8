#pragma once
// The dictation drill: the explanation is shown, the learner types the word.

#include "study/StudyContext.h"

class Settings;
class Speaker;

class Dictation {
public:
    Dictation(StudyContext context, Settings& settings, Speaker& speaker)
        : c_(context), settings_(settings), speaker_(speaker)
    {
    }

    void EnterDictationPage();
    void Edit_DictationKeyDown(int key);
    void PreviousDictationWord();
    void NextDictationWord();
    void PreviousGroup();
    void NextGroup();
    void RevealAnswer();
    void Label_InterpretDblClick();
    // F2 in the answer box: the asked word again, while the drill speaks.
    void SpeakAskedWord();

private:
    // The current record becomes the asked word; the answer box is emptied.
    void TakeDictationRecord();
    bool AnswerIsRight() const;
    void ShowCounter();
    // After a group move has set the range: ask its first word and save the settings.
    void StartGroup();
    // Says the word asked since the last call, once, while the drill speaks. A command that asks
    // several words in turn (a right answer that leaves the group) says only the last.
    void SpeakNewWord();

    StudyContext c_;
    Settings& settings_;
    Speaker& speaker_;
    bool asked_ = false;
};

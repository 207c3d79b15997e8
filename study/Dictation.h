#pragma once
// The dictation drill: the explanation is shown, the learner types the word.

#include "study/StudyContext.h"

class ErrorBook;
class Settings;
class Speaker;

class Dictation {
public:
    Dictation(StudyContext context, Settings& settings, Speaker& speaker, ErrorBook& errorBook)
        : c_(context), settings_(settings), speaker_(speaker), errorBook_(errorBook)
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
    // While reviewing, the table moves to the error book's next word; false when the drill goes on
    // as without review (review off, an empty book, or one that cannot be used).
    bool SeekReviewWord();
    // Reviewing: the switch is on and the book holds words.
    bool Reviewing();
    // After a group move has set the range: ask its first word and save the settings.
    void StartGroup();
    // Says the word asked since the last call, once, while the drill speaks. A command that asks
    // several words in turn (a right answer that leaves the group) says only the last.
    void SpeakNewWord();

    StudyContext c_;
    Settings& settings_;
    Speaker& speaker_;
    ErrorBook& errorBook_;
    bool asked_ = false;
    bool unusableReported_ = false;
};

#pragma once
// The dictation drill: the explanation is shown, the learner types the word.

#include "store/ReviewCard.h"
#include "study/StudyContext.h"

#include <cstdint>

class ErrorBook;
class ReviewSchedule;
class ReviewStore;
class Settings;
class Speaker;
struct Clock;

class Dictation {
public:
    Dictation(StudyContext context, Settings& settings, Speaker& speaker, ErrorBook& errorBook,
              ReviewStore& reviews, ReviewSchedule& schedule, const Clock& clock)
        : c_(context), settings_(settings), speaker_(speaker), errorBook_(errorBook), reviews_(reviews),
          schedule_(schedule), clock_(clock)
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
    // The settings page was applied: the drill starts again at its first word.
    void SettingsApplied();

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
    // Scheduling: 间隔复习 is on and its tables can be used (said once when they cannot).
    bool Scheduling();
    // While scheduling, the table moves to the schedule's next word; false when the drill goes on
    // as without the schedule for now. Says once a day when the day's words are done.
    bool SeekScheduledWord();
    // The answer to a word the schedule chose, rated and on disk before its result shows.
    void RateAnswer(ReviewRating rating);
    // The drill moves on after a right answer: the schedule's word, else the book's, else the next.
    void MoveOn();
    // The day's end, once, after whatever the command showed.
    void SayDayDone();
    // After a group move has set the range: ask its first word and save the settings.
    void StartGroup();
    // Says the word asked since the last call, once, while the drill speaks. A command that asks
    // several words in turn (a right answer that leaves the group) says only the last.
    void SpeakNewWord();

    StudyContext c_;
    Settings& settings_;
    Speaker& speaker_;
    ErrorBook& errorBook_;
    ReviewStore& reviews_;
    ReviewSchedule& schedule_;
    const Clock& clock_;
    bool asked_ = false;
    bool unusableReported_ = false;
    bool scheduleUnusableReported_ = false;
    bool scheduled_ = false;    // the word asked was chosen by the schedule
    bool toRate_ = false;       // and its first answer is still to come
    bool revealed_ = false;     // Ctrl+F1 has shown the word asked
    bool dayOpen_ = false;      // the schedule's last choice found words left today
    std::int64_t doneSaid_ = 0; // the review day whose end was said
    bool doneToSay_ = false;    // and that is still to be shown, after the answer's result
};

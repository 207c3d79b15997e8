#pragma once
// The maintenance page: find, add, update and delete a word.

#include "study/Control.h"
#include "study/StudyContext.h"

#include <string>

class ErrorBook;
class ReviewStore;

class Maintenance {
public:
    Maintenance(StudyContext context, ErrorBook& errorBook, ReviewStore& reviews)
        : c_(context), errorBook_(errorBook), reviews_(reviews)
    {
    }

    void Edit_newwordKeyDown(int key);
    void SpeedButton_findwordClick();
    void SpeedButton_SaveWordClick();
    void SpeedButton5Click();

    // Keyboard commands of the page: step from the typed word into the fields, and append a mark
    // (GBK bytes) to the explanation.
    void PreviousWordIntoFields();
    void NextWordIntoFields();
    void AppendToInterpret(const std::string& mark);

private:
    // Seeks the trimmed typed word; true only when that very word is stored.
    bool SeekTypedWord(const std::string& word);
    void Warn(const std::string& text, Control focus);
    void StepIntoFields(bool forward);

    StudyContext c_;
    ErrorBook& errorBook_;
    ReviewStore& reviews_;
};

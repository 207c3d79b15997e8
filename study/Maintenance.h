#pragma once
// The maintenance page: find, add, update and delete a word.

#include "study/StudyContext.h"

#include <string>

class Maintenance {
public:
    explicit Maintenance(StudyContext context) : c_(context) {}

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
    StudyContext c_;
};

#pragma once
// The Ctrl chords of the main window, seen before the focused control and never consumed.

#include "study/StudyContext.h"

class Lookup;
class Maintenance;
class Dictation;

class KeyCommands {
public:
    KeyCommands(StudyContext context, Lookup& lookup, Maintenance& maintenance, Dictation& dictation)
        : c_(context), lookup_(lookup), maintenance_(maintenance), dictation_(dictation)
    {
    }

    void FormKeyDown(int key, bool ctrl);

private:
    StudyContext c_;
    Lookup& lookup_;
    Maintenance& maintenance_;
    Dictation& dictation_;
};

#pragma once
// The keys of the main window, seen before the focused control and never consumed: the Ctrl chords,
// and F2, which says the word of the lookup or dictation page.

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
    void PlainKeyDown(int key);

    StudyContext c_;
    Lookup& lookup_;
    Maintenance& maintenance_;
    Dictation& dictation_;
};

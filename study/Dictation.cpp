#include "study/Dictation.h"

// Placeholder bodies until the page is built.
void Dictation::EnterDictationPage() {}
void Dictation::Edit_DictationKeyDown(int) {}
void Dictation::PreviousDictationWord() {}
void Dictation::NextDictationWord() {}
void Dictation::PreviousGroup() {}
void Dictation::NextGroup() {}
void Dictation::RevealAnswer() {}
void Dictation::Label_InterpretDblClick() {}

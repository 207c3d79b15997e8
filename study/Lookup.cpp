#include "study/Lookup.h"

// Placeholder bodies until the page is built.
bool IsWordPrefix(std::string_view, std::string_view) { return false; }
void Lookup::SetInputWord(const std::string&) {}
void Lookup::ShowWordView() {}
void Lookup::Edit_InputChange() {}
void Lookup::Edit_InputKeyDown(int) {}
void Lookup::SpeedButton_SeekClick() {}
void Lookup::SpeedButton_nextClick() {}
void Lookup::SpeedButton_lastClick() {}
void Lookup::ListBox_PreviewDblClick() {}
void Lookup::Memo_ViewDblClick() {}

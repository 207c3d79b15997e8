#include "study/Maintenance.h"

// Placeholder bodies until the page is built.
void Maintenance::Edit_newwordKeyDown(int) {}
void Maintenance::SpeedButton_findwordClick() {}
void Maintenance::SpeedButton_SaveWordClick() {}
void Maintenance::SpeedButton5Click() {}
void Maintenance::PreviousWordIntoFields() {}
void Maintenance::NextWordIntoFields() {}
void Maintenance::AppendToInterpret(const std::string&) {}

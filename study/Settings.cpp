#include "study/Settings.h"

// Placeholder bodies until the page is built.
bool IsDigitString(std::string_view) { return false; }
void Settings::LoadTitles() {}
void Settings::LoadLastWords() {}
void Settings::LoadDictationSettings() {}
void Settings::SaveLastWords() {}
void Settings::SaveDictationSettings() {}
void Settings::MenuItem_settingClick() {}
void Settings::ComboBox_GroupWordCountChange() {}
bool Settings::SpeedButton_applySettingClick() { return false; }

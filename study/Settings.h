#pragma once
// Titles from the ini file, last words and dictation settings in the registry, and the settings page.

#include "study/StudyContext.h"

#include <string>
#include <string_view>

class Lookup;

// The registry key of the last words and the dictation settings.
inline constexpr const char* kSettingsKeyPath = "\\SOFTWARE\\ZYSOFT\\DoRori";

// True when the trimmed text is non-empty and holds only the digits 0-9.
bool IsDigitString(std::string_view text);

class Settings {
public:
    Settings(StudyContext context, Lookup& lookup, std::string iniPath)
        : c_(context), lookup_(lookup), iniPath_(std::move(iniPath))
    {
    }

    void LoadTitles();
    void LoadLastWords();
    // False when the key could not be opened: the state keeps its initial values.
    bool LoadDictationSettings();
    // The record numbers of the group the loaded settings start; on a large table the first
    // record number costs a pass through the word index.
    void FindStartedGroup();
    void SaveLastWords();
    void SaveDictationSettings();

    void MenuItem_settingClick();
    void ComboBox_GroupWordCountChange();
    // Returns true when the settings were applied; the caller then runs the page-entry actions of
    // the page it selected.
    bool SpeedButton_applySettingClick();

private:
    StudyContext c_;
    Lookup& lookup_;
    std::string iniPath_;
};

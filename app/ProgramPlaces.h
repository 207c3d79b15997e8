#pragma once
// Where the running program keeps what it reads and writes: its word list (see WordListFolder) and
// its ini file, the program's own path with ".ini" when that file exists, else
// ${XDG_CONFIG_HOME:-$HOME/.config}/dorori/DoRori.ini.

#include "dict/WordListFolder.h"

#include <filesystem>

struct ProgramPlaces {
    std::filesystem::path programFile;
    std::filesystem::path wordListFolder; // holds data/DORori.db
    std::filesystem::path settingsFile;
};

ProgramPlaces FindProgramPlaces(const std::filesystem::path& programFile, WordListRule rule);

// The program file itself, links resolved, as the system started it.
std::filesystem::path RunningProgramFile();

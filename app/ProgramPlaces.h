#pragma once
// Where the running program keeps what it reads and writes: its word list (see TableFolder) and
// the ini file of its titles, the program's own path with ".ini" when that file exists, else
// ${XDG_CONFIG_HOME:-$HOME/.config}/dorori/DoRori.ini. The settings it saves are the registry key's
// (Registry::KeyFile). The graded word lists that come with it lie in wordlists/ beside it (the
// build, a home install), else in ../share/dorori/wordlists from its folder (the package's /usr/bin).

#include "store/TableFolder.h"

#include <filesystem>

struct ProgramPlaces {
    std::filesystem::path programFile;
    std::filesystem::path wordListFolder; // holds data/DORori.db
    std::filesystem::path titlesFile;
    std::filesystem::path gradedListsFolder;
};

ProgramPlaces FindProgramPlaces(const std::filesystem::path& programFile, TableFolderRule rule);

// The program file itself, links resolved, as the system started it.
std::filesystem::path RunningProgramFile();

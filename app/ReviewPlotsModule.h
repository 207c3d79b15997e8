#pragma once
// Loads the statistics window's plots module (plots/ReviewPlots.h) from beside the running program
// (the build, a home install), else from the package's module folder next to its own (/usr/bin).
// A loaded module stays for the process: the plots it made live in windows the program owns.

#include "plots/ReviewPlots.h"

#include <filesystem>
#include <string>

// The package's folder of the program's modules, from its prefix: lib/<multiarch>/dorori.
inline constexpr char kPackagedModuleFolder[] = DORORI_PACKAGED_MODULE_DIR;

using MakeReviewPlotsFunction = decltype(&MakeReviewPlots);

// The module's entry point; nullptr when it is missing or does not load, and `error` says why.
MakeReviewPlotsFunction LoadReviewPlots(const std::filesystem::path& programFolder, std::string& error);

#pragma once
// The options the program understands. Each one does its work and ends the program without a
// display and without a word to a running instance; without options the window starts.

#include <iosfwd>
#include <string>

struct ProgramPlaces;

enum class CommandAction { Start, Version, Help, Check, Refuse };

struct Command {
    CommandAction action;
    std::string refusal; // when Refuse: one line for standard error
};

Command ParseCommandLine(int argc, const char* const* argv);

// Carries out an option other than Start; the exit status: 0, or 1 when --check found a fault.
int RunCommand(CommandAction action, const ProgramPlaces& places, std::ostream& out);

// "DoRori <version>"
std::string VersionLine();

#pragma once
// What the user reads when the word table fails, at start or in a handler: what failed, the file's
// full name and what to do, then the engine's or the system's own text in parentheses; in GBK.

#include <exception>
#include <string>

struct OpenResult;

// The standard error report's text for an error a handler let through: an error of the table file
// the user can act on says what to do; any other keeps its own text.
std::string ErrorReportText(const std::exception& error);

// The start's message when the table stays closed (OpenOutcome::Failed).
std::string StartRefusalText(const OpenResult& refused);

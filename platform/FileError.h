#pragma once
// The text of a failed file operation, as the standard error report shows it: what failed, the
// file's name (GBK, like every text of the program) and the system's reason, in words that do not
// depend on the user's language settings, so the text stays GBK whatever they are.

#include <cstring>
#include <stdexcept>
#include <string>

inline std::runtime_error FileError(const char* what, const std::string& name, int error)
{
    return std::runtime_error(std::string(what) + " " + name + ": " + strerrordesc_np(error));
}

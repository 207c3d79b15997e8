#pragma once
// The text of a failed file operation, as the standard error report shows it: what failed, the
// file's name and the system's reason.

#include <cstring>
#include <stdexcept>
#include <string>

inline std::runtime_error FileError(const char* what, const std::string& name, int error)
{
    return std::runtime_error(std::string(what) + " " + name + ": " + std::strerror(error));
}

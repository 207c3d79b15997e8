#include "platform/XdgFolders.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> UserFolder(const char* variable, const char* underHome)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return fs::path(value);
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return fs::path(home) / underHome;
    return std::nullopt;
}

} // namespace

std::optional<fs::path> ConfigFolder()
{
    return UserFolder("XDG_CONFIG_HOME", ".config");
}

std::optional<fs::path> DataFolder()
{
    return UserFolder("XDG_DATA_HOME", ".local/share");
}

#include "store/TableFolder.h"

#include "platform/XdgFolders.h"
#include "store/TableFile.h"

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

bool CanCreateFileIn(const fs::path& directory)
{
    const fs::path probe = directory / (".DoRori-probe-" + std::to_string(::getpid()));
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

fs::path TableFolder(const fs::path& programDirectory, TableFolderRule rule)
{
    const std::optional<fs::path> home = DataFolder();
    // Without a home folder the program's own is the only place left; opening it reports what fails.
    if (!home)
        return programDirectory;
    const fs::path inHome = *home / "dorori";
    if (rule == TableFolderRule::AlwaysInHome)
        return inHome;
    std::error_code error;
    if (fs::exists(TablePath(programDirectory), error) || CanCreateFileIn(programDirectory))
        return programDirectory;
    return inHome;
}

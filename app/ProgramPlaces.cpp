#include "app/ProgramPlaces.h"

#include "platform/IniFile.h"
#include "platform/XdgFolders.h"

namespace fs = std::filesystem;

namespace {

fs::path TitlesFile(const fs::path& programFile)
{
    const fs::path beside = IniFile::PathForProgram(programFile);
    std::error_code error;
    if (fs::exists(beside, error))
        return beside;
    const std::optional<fs::path> config = ConfigFolder();
    return config ? *config / "dorori" / "DoRori.ini" : beside;
}

fs::path GradedListsFolder(const fs::path& programFile)
{
    const fs::path beside = programFile.parent_path() / "wordlists";
    std::error_code error;
    if (fs::is_directory(beside, error))
        return beside;
    return programFile.parent_path().parent_path() / "share" / "dorori" / "wordlists";
}

} // namespace

ProgramPlaces FindProgramPlaces(const fs::path& programFile, TableFolderRule rule)
{
    return {programFile, TableFolder(programFile.parent_path(), rule), TitlesFile(programFile),
            GradedListsFolder(programFile)};
}

fs::path RunningProgramFile()
{
    return fs::read_symlink("/proc/self/exe");
}

#include "app/CommandLine.h"

#include "app/ProgramPlaces.h"
#include "platform/Registry.h"
#include "store/TableCheck.h"
#include "store/TableFile.h"
#include "study/Settings.h"

#include <ostream>
#include <string_view>

namespace {

void PrintHelp(const ProgramPlaces& places, std::ostream& out)
{
    out << "Usage: " << places.programFile.filename().string() << " [OPTION]\n"
        << "An English-Chinese learning dictionary. Without an option its window opens;\n"
           "a second start brings the running window to the front.\n\n"
           "  --check       check the word list without changing it and count its words;\n"
           "                exit status 1 when it is damaged, missing or not this program's\n"
           "  -v, --version print the version\n"
           "  -h, --help    print this help\n\n"
        << "Word list: " << TablePath(places.wordListFolder).string() << "\n"
        << "Settings:  " << Registry::KeyFile(kSettingsKeyPath).value_or("(no configuration folder)").string()
        << " (the last words and the dictation settings)\n"
        << "Titles:    " << places.titlesFile.string() << " (read only, when it exists)\n";
}

} // namespace

std::string VersionLine()
{
    return "DoRori " DORORI_VERSION;
}

Command ParseCommandLine(int argc, const char* const* argv)
{
    const std::string program = argc > 0 ? std::string(argv[0]) : "dorori";
    if (argc <= 1)
        return {CommandAction::Start, {}};
    const std::string_view option = argv[1];
    if (argc > 2)
        return {CommandAction::Refuse, program + ": one option at a time (see --help)"};
    if (option == "--version" || option == "-v")
        return {CommandAction::Version, {}};
    if (option == "--help" || option == "-h")
        return {CommandAction::Help, {}};
    if (option == "--check")
        return {CommandAction::Check, {}};
    return {CommandAction::Refuse, program + ": unknown option '" + std::string(option) + "' (see --help)"};
}

int RunCommand(CommandAction action, const ProgramPlaces& places, std::ostream& out)
{
    switch (action) {
    case CommandAction::Version:
        out << VersionLine() << '\n';
        return 0;
    case CommandAction::Help:
        PrintHelp(places, out);
        return 0;
    case CommandAction::Check: {
        const TableCheckResult result = CheckTable(TablePath(places.wordListFolder).string());
        out << result.report;
        return result.whole ? 0 : 1;
    }
    default:
        return 0;
    }
}

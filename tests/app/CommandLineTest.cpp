#include "app/CommandLine.h"

#include "app/ProgramPlaces.h"
#include "store/DictTable.h"
#include "store/SqliteStatement.h"
#include "store/TableConnection.h"
#include "store/TableFile.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Opens the table of `folder` in `table` (making it the first time) and stores these words.
void StoreWords(const fs::path& folder, std::initializer_list<const char*> words, TDictTable& table)
{
    ASSERT_EQ(OpenOrCreateTable(folder, table).outcome, OpenOutcome::Opened);
    for (const char* word : words) {
        table.Append();
        table.SetFieldByName("word", word);
        table.Post();
    }
}

// Every file of the folder with its size.
std::map<std::string, std::uintmax_t> Listing(const fs::path& folder)
{
    std::map<std::string, std::uintmax_t> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = entry.file_size();
    return files;
}

TEST(CommandLine, KnownOptionsAloneAreTakenAndAnythingElseIsRefusedByName)
{
    struct Row {
        std::vector<const char*> arguments;
        CommandAction action;
        const char* refusalNames;
    };
    const Row rows[] = {
        {{"dorori"}, CommandAction::Start, nullptr},
        {{"dorori", "--version"}, CommandAction::Version, nullptr},
        {{"dorori", "--help"}, CommandAction::Help, nullptr},
        {{"dorori", "-v"}, CommandAction::Version, nullptr},
        {{"dorori", "-h"}, CommandAction::Help, nullptr},
        {{"dorori", "--check"}, CommandAction::Check, nullptr},
        {{"dorori", "--verbose"}, CommandAction::Refuse, "'--verbose'"},
        {{"dorori", "-version"}, CommandAction::Refuse, "'-version'"},
        {{"dorori", "words.txt"}, CommandAction::Refuse, "'words.txt'"},
        {{"dorori", "--check", "--help"}, CommandAction::Refuse, "one option"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.back());
        const Command command = ParseCommandLine(int(row.arguments.size()), row.arguments.data());
        EXPECT_EQ(command.action, row.action);
        if (row.refusalNames) {
            EXPECT_NE(command.refusal.find(row.refusalNames), std::string::npos) << command.refusal;
            EXPECT_EQ(command.refusal.find('\n'), std::string::npos); // one line
        }
    }
}

TEST(CommandLine, CheckCountsTheWordsOfAWholeListAndFailsOnADamagedOrMissingOne)
{
    TempDir dir;
    const ProgramPlaces places{dir / "dorori", dir.path(), dir / "DoRori.ini", dir / "wordlists"};
    const fs::path list = TablePath(dir.path());
    std::ostringstream missing;
    EXPECT_EQ(RunCommand(CommandAction::Check, places, missing), 1);
    EXPECT_NE(missing.str().find("no word list"), std::string::npos) << missing.str();

    {
        TDictTable table;
        ASSERT_EQ(OpenOrCreateTable(dir.path(), table).outcome, OpenOutcome::Opened);
        // Words whose order needs the word collation: the index check must be able to compare them.
        for (const char* word : {"b", "A", "a", "\xB9\xB7"}) {
            table.Append();
            table.SetFieldByName("word", word);
            table.Post();
        }
    }
    std::ostringstream whole;
    EXPECT_EQ(RunCommand(CommandAction::Check, places, whole), 0) << whole.str();
    EXPECT_NE(whole.str().find("integrity: ok\nrecords: 4\n"), std::string::npos) << whole.str();

    // The table's pages cut short: the engine finds the file malformed.
    fs::resize_file(list, fs::file_size(list) / 2);
    std::ostringstream damaged;
    EXPECT_EQ(RunCommand(CommandAction::Check, places, damaged), 1) << damaged.str();
}

TEST(CommandLine, CheckWritesNothingAndSeesTheWordsARunningProgramHasOnlyInItsLog)
{
    TempDir dir;
    // A name that a file URI would otherwise cut short or decode.
    const fs::path folder = dir / "words ?#%41 \xE8\xAF\x8D";
    const ProgramPlaces places{dir / "dorori", folder, dir / "DoRori.ini", dir / "wordlists"};
    {
        TDictTable table;
        StoreWords(folder, {"ant", "bee"}, table);
    }
    const auto closed = Listing(folder / "data");
    std::ostringstream alone;
    EXPECT_EQ(RunCommand(CommandAction::Check, places, alone), 0) << alone.str();
    EXPECT_NE(alone.str().find("records: 2\n"), std::string::npos) << alone.str();
    EXPECT_EQ(Listing(folder / "data"), closed);

    TDictTable running;
    StoreWords(folder, {"cat"}, running);
    const auto logged = Listing(folder / "data");
    ASSERT_EQ(logged.count("DORori.db-wal"), 1u);
    std::ostringstream beside;
    EXPECT_EQ(RunCommand(CommandAction::Check, places, beside), 0) << beside.str();
    EXPECT_NE(beside.str().find("records: 3\n"), std::string::npos) << beside.str();
    EXPECT_EQ(Listing(folder / "data"), logged);
}

// The built program's check, run from a copy of its folder that holds a table of three words.
class ProgramCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const fs::path built = fs::path(QCoreApplication::applicationDirPath().toStdString()) / "DoRori";
        ASSERT_TRUE(fs::exists(built)) << built;
        fs::copy_file(built, dir / "DoRori");
        TDictTable table;
        StoreWords(dir.path(), {"ant", "bee", "cat"}, table);
    }
    // The exit status, then what the program printed.
    std::pair<int, std::string> Check(const QString& program, QStringList arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments << QStringLiteral("--check"));
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), process.readAll().toStdString()};
    }
    QString Program() const { return QString::fromStdString((dir / "DoRori").string()); }
    TempDir dir;
};

TEST_F(ProgramCheckTest, ATableThatHoldsATriggerFailsTheCheckWhichSaysSo)
{
    ExecuteSql(OpenTableConnection(TablePath(dir.path()), TableAccess::ReadWrite).get(),
               "CREATE TRIGGER wipe AFTER UPDATE ON DORori BEGIN DELETE FROM DORori; END");
    const auto [status, output] = Check(Program(), {});
    EXPECT_EQ(status, 1) << output;
    EXPECT_NE(output.find("holds a trigger: wipe"), std::string::npos) << output;
}

TEST_F(ProgramCheckTest, ATableInAFolderItsUserMayNotWriteIsWholeAndNothingIsWritten)
{
    // Root may write anywhere: the program then runs as nobody, in folders that root owns.
    QString program = Program();
    QStringList arguments;
    if (geteuid() == 0) {
        program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (program.isEmpty())
            GTEST_SKIP() << "setpriv is not installed";
        arguments << "--reuid=65534"
                  << "--regid=65534"
                  << "--clear-groups" << Program();
        fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    } else {
        fs::permissions(dir / "data", fs::perms::owner_read | fs::perms::owner_exec);
    }
    const auto before = Listing(dir / "data");
    const auto [status, output] = Check(program, arguments);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("integrity: ok\nrecords: 3\n"), std::string::npos) << output;
    EXPECT_EQ(Listing(dir / "data"), before);
}

} // namespace

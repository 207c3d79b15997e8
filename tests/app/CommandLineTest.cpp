#include "app/CommandLine.h"

#include "app/ProgramPlaces.h"
#include "dict/DictTable.h"
#include "dict/DictionaryOpening.h"
#include "dict/SqliteStatement.h"
#include "dict/TableConnection.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Opens the table of `folder` in `table` (making it the first time) and stores these words.
void StoreWords(const fs::path& folder, std::initializer_list<const char*> words, TDictTable& table)
{
    ASSERT_EQ(OpenDictionary(folder, table).outcome, OpenOutcome::Opened);
    for (const char* word : words) {
        table.Append();
        table.SetFieldByName("word", word);
        table.Post();
    }
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
    const ProgramPlaces places{dir / "dorori", dir.path(), dir / "DoRori.ini"};
    const fs::path list = DictionaryPath(dir.path());
    std::ostringstream missing;
    EXPECT_EQ(RunCommand(CommandAction::Check, places, missing), 1);
    EXPECT_NE(missing.str().find("no word list"), std::string::npos) << missing.str();

    {
        TDictTable table;
        ASSERT_EQ(OpenDictionary(dir.path(), table).outcome, OpenOutcome::Opened);
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
    ExecuteSql(OpenTableConnection(DictionaryPath(dir.path()), TableAccess::ReadWrite).get(),
               "CREATE TRIGGER wipe AFTER UPDATE ON DORori BEGIN DELETE FROM DORori; END");
    const auto [status, output] = Check(Program(), {});
    EXPECT_EQ(status, 1) << output;
    EXPECT_NE(output.find("holds a trigger: wipe"), std::string::npos) << output;
}

} // namespace

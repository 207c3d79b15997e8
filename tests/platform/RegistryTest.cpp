#include "platform/Registry.h"

#include "support/Gbk.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kKey = "\\SOFTWARE\\ZYSOFT\\DoRori";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> FilesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() { setenv("XDG_CONFIG_HOME", config.c_str(), 1); }

    TempDir dir;
    const fs::path config = dir / "config";
    const fs::path keyFile = config / "ZYSOFT" / "DoRori.reg";
};

} // namespace

TEST_F(RegistryTest, KeyPathMapsToOneFileUnderTheConfigFolder)
{
    Registry registry;
    EXPECT_FALSE(registry.OpenKey(kKey, false)); // missing and not to be created
    EXPECT_FALSE(fs::exists(config));
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    EXPECT_TRUE(fs::is_regular_file(keyFile));
    registry.WriteInteger("D_R_W_C", 30);
    // The same key however the path is spelled at its ends.
    ASSERT_TRUE(registry.OpenKey("software\\ZYSOFT\\DoRori\\", false));
    EXPECT_EQ(registry.ReadInteger("D_R_W_C"), 30);
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori\\Sub", true));
    EXPECT_TRUE(fs::is_regular_file(config / "ZYSOFT" / "DoRori" / "Sub.reg"));
    for (const char* bad : {"", "\\SOFTWARE\\", "\\SOFTWARE\\..\\x", "\\SOFTWARE\\a/b", "\\SOFTWARE\\a\nb"})
        EXPECT_FALSE(registry.OpenKey(bad, true)) << bad;
}

TEST_F(RegistryTest, ConfigFolderFallsBackToHomeWhenUnsetOrRelative)
{
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", dir.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    Registry registry;
    const bool opened = registry.OpenKey(kKey, true);
    setenv("HOME", savedHome.c_str(), 1);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(fs::is_regular_file(dir / ".config" / "ZYSOFT" / "DoRori.reg"));
}

TEST_F(RegistryTest, EveryByteRoundTripsInNamesAndTextsAndTheFileStaysReadable)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    // Lead bytes before '\', before a line end and at the very end; escapes written literally.
    const std::vector<std::pair<std::string, std::string>> values = {
        {"all", all},
        {"QueryWord", G("苹果")},
        {"tricky", std::string("\x81\\n\x81\n\x81\\\\x41 a=b\r\n\\") + "\x81"},
        {"name = with\n\\ and \x81", "=leading equals"},
        {"", "default value"},
        {"empty", ""},
    };
    {
        Registry registry;
        ASSERT_TRUE(registry.OpenKey(kKey, true));
        for (const auto& [name, text] : values)
            registry.WriteString(name, text);
        registry.WriteInteger("min", INT32_MIN);
        registry.WriteInteger("max", INT32_MAX);
    }
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    for (const auto& [name, text] : values)
        EXPECT_EQ(registry.ReadString(name), text) << name;
    EXPECT_EQ(registry.ReadInteger("min"), INT32_MIN);
    EXPECT_EQ(registry.ReadInteger("max"), INT32_MAX);
    EXPECT_NE(ReadFile(keyFile).find("\nstring QueryWord=" + G("苹果") + "\n"), std::string::npos);
}

TEST_F(RegistryTest, WrongTypeReadsAsMissingAndWritesReplaceByNameWithoutCase)
{
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteInteger("D_R_W_C", 20);
    registry.WriteString("D_R_F_W", "20");
    EXPECT_TRUE(registry.ValueExists("D_R_W_C"));
    EXPECT_EQ(registry.ReadString("D_R_W_C"), std::nullopt);
    EXPECT_EQ(registry.ReadInteger("D_R_F_W"), std::nullopt);
    EXPECT_FALSE(registry.ValueExists("QueryWord"));
    EXPECT_EQ(registry.ReadString("QueryWord"), std::nullopt);

    registry.WriteString("d_r_w_c", "now text");
    EXPECT_EQ(registry.ReadString("D_R_W_C"), "now text");
    EXPECT_EQ(registry.ReadInteger("D_R_W_C"), std::nullopt);
    registry.CloseKey();
    EXPECT_FALSE(registry.ValueExists("D_R_W_C"));
    EXPECT_THROW(registry.WriteInteger("D_R_W_C", 1), std::logic_error);

    const std::string file = ReadFile(keyFile);
    EXPECT_NE(file.find("string D_R_W_C=now text\n"), std::string::npos); // first spelling kept
    EXPECT_EQ(file.find("d_r_w_c"), std::string::npos);
    EXPECT_EQ(FilesIn(keyFile.parent_path()), std::set<std::string>{"DoRori.reg"}); // no temporary left
}

TEST_F(RegistryTest, UnparseableFileReadsEmptyAndIsKeptAsideOnTheNextWrite)
{
    fs::create_directories(keyFile.parent_path());
    for (const std::string& garbage :
         {std::string("string QueryWord=kept\nnot a value line\n"),
          std::string("string QueryWord=bad escape \\q\n"), std::string("integer D_R_W_C=2147483648\n")}) {
        std::ofstream(keyFile, std::ios::binary) << garbage;
        Registry registry;
        ASSERT_TRUE(registry.OpenKey(kKey, false));
        EXPECT_FALSE(registry.ValueExists("QueryWord"));
        EXPECT_EQ(ReadFile(keyFile), garbage); // opening and reading leave it alone
        registry.WriteString("DictationWord", "w");
        registry.WriteString("QueryWord", "q"); // only the first write moves the file aside
        EXPECT_EQ(registry.ReadString("QueryWord"), "q");
    }
    EXPECT_EQ(ReadFile(keyFile.string() + ".unreadable"), "string QueryWord=kept\nnot a value line\n");
    EXPECT_EQ(ReadFile(keyFile.string() + ".unreadable.2"), "string QueryWord=bad escape \\q\n");
    EXPECT_EQ(ReadFile(keyFile.string() + ".unreadable.3"), "integer D_R_W_C=2147483648\n");
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.ReadString("DictationWord"), "w");
}

TEST_F(RegistryTest, UnreadableKeyFileOpensEmptyAndIsMovedAsideNotDestroyed)
{
    fs::create_directories(keyFile / "inside"); // a folder where the file should be cannot be read
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    EXPECT_FALSE(registry.ValueExists("QueryWord"));
    registry.WriteString("QueryWord", "q");
    EXPECT_TRUE(fs::is_directory(keyFile.string() + ".unreadable/inside"));
    EXPECT_EQ(registry.ReadString("QueryWord"), "q");
}

TEST_F(RegistryTest, KeyFileOverOneMegabyteIsKeptAsideUnreadAndTheRewrittenKeyKeepsItsPermissions)
{
    fs::create_directories(keyFile.parent_path());
    const std::string value = "string QueryWord=big\n";
    const std::string fits = value + "#" + std::string((1 << 20) - value.size() - 2, 'x') + "\n";
    std::ofstream(keyFile, std::ios::binary) << fits;
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.ReadString("QueryWord"), "big");

    std::ofstream(keyFile, std::ios::binary | std::ios::app) << "#\n";
    fs::permissions(keyFile, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(registry.ValueExists("QueryWord"));
    registry.WriteString("DictationWord", "w");
    EXPECT_EQ(fs::file_size(keyFile.string() + ".unreadable"), fits.size() + 2);
    EXPECT_EQ(fs::status(keyFile).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FilesIn(keyFile.parent_path()), (std::set<std::string>{"DoRori.reg", "DoRori.reg.unreadable"}));
}

TEST_F(RegistryTest, FolderThatCannotBeCreatedFailsToOpen)
{
    std::ofstream(dir / "plainfile") << "x";
    setenv("XDG_CONFIG_HOME", (dir / "plainfile").c_str(), 1);
    Registry registry;
    EXPECT_FALSE(registry.OpenKey(kKey, true));
    EXPECT_FALSE(registry.ValueExists("QueryWord"));
}

TEST_F(RegistryTest, FailedWriteThrowsWithTheReasonAndKeepsTheOldValue)
{
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteString("QueryWord", "old");
    fs::remove_all(config);
    try {
        registry.WriteString("QueryWord", "new");
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("No such file or directory"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(registry.ReadString("QueryWord"), "old");
}

TEST_F(RegistryTest, AValueWrittenAgainUnchangedLeavesTheKeyFileAlone)
{
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteInteger("D_R_W_C", 30);
    registry.WriteString("D_R_F_W", "apple");
    struct stat before {};
    ASSERT_EQ(::stat(keyFile.c_str(), &before), 0);
    registry.WriteInteger("D_R_W_C", 30);
    registry.WriteString("d_r_f_w", "apple");
    struct stat after {};
    ASSERT_EQ(::stat(keyFile.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino); // every save puts a new file in place
    registry.WriteString("D_R_W_C", "30");  // another type is a change
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.ReadString("D_R_W_C"), "30");
}

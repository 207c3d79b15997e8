// Keys saved while the key-file writer lives: the newest save of a key is what every reader sees
// and what lies on disk once the writer has ended, superseded saves leave nothing behind, and a
// failure on the writer's thread is reported instead of being lost.

#include "platform/KeyFileWriter.h"

#include "platform/Registry.h"
#include "platform/ReplacingFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr const char* kKey = "\\SOFTWARE\\ZYSOFT\\DoRori";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class KeyFileWriterTest : public ::testing::Test {
protected:
    KeyFileWriterTest() { setenv("XDG_CONFIG_HOME", config.c_str(), 1); }

    TempDir dir;
    const fs::path config = dir / "config";
    const fs::path keyFile = config / "ZYSOFT" / "DoRori.reg";
};

TEST_F(KeyFileWriterTest, TheNewestSaveIsReadAtOnceAndLiesOnDiskWhenTheWriterEnds)
{
    {
        const KeyFileWriter writer;
        Registry registry;
        ASSERT_TRUE(registry.OpenKey(kKey, true));
        for (int i = 0; i < 300; ++i) {
            registry.WriteInteger("D_R_W_C", i);
            registry.WriteString("QueryWord", "word" + std::to_string(i));
        }
        // Another reader of the key, as the next opening of the settings page, sees the newest save.
        Registry other;
        ASSERT_TRUE(other.OpenKey(kKey, false));
        EXPECT_EQ(other.ReadInteger("D_R_W_C"), 299);
        other.WriteString("DictationWord", "d");
        ASSERT_TRUE(registry.OpenKey(kKey, false));
        EXPECT_EQ(registry.ReadString("QueryWord"), "word299");
        EXPECT_EQ(registry.ReadString("DictationWord"), "d");
    }
    // Once the writer has ended, the key file holds the last save, and nothing lies beside it.
    const std::string text = ReadFile(keyFile);
    EXPECT_NE(text.find("D_R_W_C=299\n"), std::string::npos) << text;
    EXPECT_NE(text.find("QueryWord=word299\n"), std::string::npos) << text;
    EXPECT_NE(text.find("DictationWord=d\n"), std::string::npos) << text;
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(keyFile.parent_path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>{"DoRori.reg"});

    // Without a writer a save is in place when it returns.
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    registry.WriteInteger("D_R_W_C", 7);
    EXPECT_NE(ReadFile(keyFile).find("D_R_W_C=7\n"), std::string::npos);
}

TEST_F(KeyFileWriterTest, AFailureOnTheWritersThreadIsReportedAndItsContentStaysReadable)
{
    const fs::path folder = dir / "gone";
    fs::create_directories(folder);
    const std::string path = (folder / "key.reg").string();
    const KeyFileWriter writer;
    KeyFileWriter::WaitForAll(); // nothing handed over: nothing to report

    // The new file is written; its folder disappears before the thread can put it in place.
    auto file = std::make_unique<ReplacingFile>(path, "key.reg");
    file->Write("integer D_R_W_C=5\n");
    fs::remove_all(folder);
    KeyFileWriter::Save(path, std::move(file), "integer D_R_W_C=5\n");
    try {
        KeyFileWriter::WaitForAll();
        FAIL() << "no failure reported";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("key.reg"), std::string::npos) << error.what();
    }
    EXPECT_EQ(KeyFileWriter::Pending(path), "integer D_R_W_C=5\n");
    KeyFileWriter::WaitForAll(); // reported once

    // The next save of the key, once its folder is back, puts it in place.
    fs::create_directories(folder);
    file = std::make_unique<ReplacingFile>(path, "key.reg");
    file->Write("integer D_R_W_C=6\n");
    KeyFileWriter::Save(path, std::move(file), "integer D_R_W_C=6\n");
    KeyFileWriter::WaitForAll();
    EXPECT_EQ(KeyFileWriter::Pending(path), std::nullopt);
    EXPECT_EQ(ReadFile(path), "integer D_R_W_C=6\n");
}

TEST_F(KeyFileWriterTest, AHeldWriterPutsNothingInPlaceUntilReleasedWaitedForOrEnded)
{
    enum class LetGo { Release, Wait, End };
    for (const LetGo letGo : {LetGo::Release, LetGo::Wait, LetGo::End}) {
        SCOPED_TRACE(static_cast<int>(letGo));
        fs::remove_all(config);
        {
            KeyFileWriter writer(KeyFileWriter::Start::Held);
            Registry registry;
            ASSERT_TRUE(registry.OpenKey(kKey, true));
            registry.WriteInteger("D_R_W_C", 9);
            // The writer's thread waits for the release before it looks at a save.
            EXPECT_FALSE(fs::exists(keyFile));
            Registry other;
            ASSERT_TRUE(other.OpenKey(kKey, false));
            EXPECT_EQ(other.ReadInteger("D_R_W_C"), 9);
            if (letGo == LetGo::Release) {
                writer.Release();
                for (int i = 0; i < 500 && KeyFileWriter::Pending(keyFile.string()); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                EXPECT_EQ(KeyFileWriter::Pending(keyFile.string()), std::nullopt);
            } else if (letGo == LetGo::Wait) {
                KeyFileWriter::WaitForAll();
            }
            EXPECT_EQ(fs::exists(keyFile), letGo != LetGo::End);
        }
        EXPECT_NE(ReadFile(keyFile).find("D_R_W_C=9\n"), std::string::npos);
    }
}

} // namespace

#include "platform/IniFile.h"

#include "support/Gbk.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::filesystem::path WriteFile(const TempDir& dir, const std::string& bytes)
{
    const auto path = dir / "DoRori.ini";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(IniFile, NamesIgnoreCaseAndBlanksAndOneQuotePairIsRemoved)
{
    TempDir dir;
    const IniFile ini(WriteFile(dir, "; MainTitle=comment\r\n"
                                     "[Other]\r\n"
                                     "MainTitle=from another section\r\n"
                                     "  [ appProperty ]  \r\n"
                                     "  mainTITLE \t=  Hello  World \r\n"
                                     "MainTitle=second one\n"
                                     "no equals sign here\n"
                                     "Double=\" spaced \"\n"
                                     "Single=''inner''\n"
                                     "Mixed=\"left'\n"
                                     "Lone=\"\n"
                                     "Empty=\n"
                                     "Blank=   \n"
                                     "   ;Commented=x\n"
                                     "Equals = a=b"));
    EXPECT_EQ(ini.ReadString("AppProperty", "MainTitle", "def"), "Hello  World");
    EXPECT_EQ(ini.ReadString("APPPROPERTY", "double", "def"), " spaced ");
    EXPECT_EQ(ini.ReadString("AppProperty", "Single", "def"), "'inner'");
    EXPECT_EQ(ini.ReadString("AppProperty", "Mixed", "def"), "\"left'");
    EXPECT_EQ(ini.ReadString("AppProperty", "Lone", "def"), "\"");
    EXPECT_EQ(ini.ReadString("AppProperty", "Empty", "def"), "");
    EXPECT_EQ(ini.ReadString("AppProperty", "Blank", "def"), "");
    EXPECT_EQ(ini.ReadString("AppProperty", "Equals", "def"), "a=b");
    EXPECT_EQ(ini.ReadString("AppProperty", "Commented", "def"), "def");
    EXPECT_EQ(ini.ReadString("AppProperty", ";Commented", "def"), "def");
    EXPECT_EQ(ini.ReadString("AppProperty", "no equals sign here", "def"), "def");
    EXPECT_EQ(ini.ReadString("AppProperty", "TabTitle1", G("检索")), G("检索"));
    EXPECT_EQ(ini.ReadString("Missing", "MainTitle", "def"), "def");
}

TEST(IniFile, MissingFileGivesTheDefaults)
{
    TempDir dir;
    const IniFile ini(dir / "absent.ini");
    EXPECT_EQ(ini.ReadString("AppProperty", "MainTitle", "RIdavave"), "RIdavave");
    EXPECT_EQ(ini.ReadString("AppProperty", "MainTitle", ""), "");
}

TEST(IniFile, GbkBytesPassThroughAndBracketAsSecondByteDoesNotEndTheSection)
{
    TempDir dir;
    // 0x81 0x5D is one character whose second byte is ']'; 0x81 0x5C ends in '\'.
    const std::string section = "\x81\x5D"
                                "x";
    const std::string value = G(" 听写") + "\x81\x5C\x80\xFF";
    const IniFile ini(WriteFile(dir, "[" + section + "]\nKey=" + value + "\n"));
    EXPECT_EQ(ini.ReadString(section, "key", "def"), G("听写") + "\x81\x5C\x80\xFF");
    EXPECT_EQ(ini.ReadString("\x81", "key", "def"), "def");
}

TEST(IniFile, ValuesAreCutTo2047BytesWithoutSplittingACharacter)
{
    TempDir dir;
    std::string wide;
    for (int i = 0; i < 1500; ++i)
        wide += G("维");
    const IniFile ini(WriteFile(dir, "[S]\nLong=\"" + std::string(3000, 'x') + "\"\nWide=" + wide + "\n"));
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'x'));
    EXPECT_EQ(ini.ReadString("S", "Wide", ""),
              wide.substr(0, 2046)); // 1023 characters, not half of the 1024th
    EXPECT_EQ(ini.ReadString("S", "Missing", std::string(2100, 'd')), std::string(2047, 'd'));
}

TEST(IniFile, PathForProgramReplacesOnlyTheFileExtension)
{
    EXPECT_EQ(IniFile::PathForProgram("/opt/dict/DoRori"), "/opt/dict/DoRori.ini");
    EXPECT_EQ(IniFile::PathForProgram("/opt/dict/DoRori.exe"), "/opt/dict/DoRori.ini");
    EXPECT_EQ(IniFile::PathForProgram("/opt/my.dict/DoRori"), "/opt/my.dict/DoRori.ini");
    EXPECT_EQ(IniFile::PathForProgram("DoRori"), "DoRori.ini");
}

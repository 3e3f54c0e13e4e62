// INI files: reading what people and other programs write, keeping order and values raw,
// writing through, and the configuration folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "classlib/IniFiles.h"
#include "classlib/SysUtils.h"

namespace {

class IniFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path().string() + "/zorvan_ini_" + std::to_string(getpid());
    ForceDirectories(dir_);
    path_ = dir_ + "/test.ini";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  String dir_, path_;
};

TEST_F(IniFiles, ReadsLooseTextAndWritesItBackInOrder) {
  WriteFileAtomically(path_,
                      "stray=ignored\n; comment\n[Main]\n  Count = 12  \nName=a=b\r\n\n[Other]\rFlag=1\nHex=0x1F\n"
                      "Bad=12x\n[main]\nLate=z\n");
  TMemIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("MAIN", "count", 0), 12);
  EXPECT_EQ(ini.ReadString("Main", "Name", ""), "a=b");
  EXPECT_EQ(ini.ReadString("main", "late", ""), "z");  // a repeated section merges
  EXPECT_EQ(ini.ReadString("Main", "stray", "none"), "none");
  EXPECT_TRUE(ini.ReadBool("Other", "Flag", false));
  EXPECT_EQ(ini.ReadInteger("Other", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Other", "Bad", -1), -1);
  EXPECT_EQ(ini.ReadInteger("Nowhere", "x", 5), 5);
  EXPECT_TRUE(ini.SectionExists("other"));
  EXPECT_TRUE(ini.ValueExists("Other", "HEX"));
  EXPECT_FALSE(ini.ValueExists("Other", "Count"));

  ini.WriteString("Other", "Text", "  spaced\tvalue");
  ini.WriteInteger("New", "Zeta", -3);
  ini.WriteBool("New", "Alpha", false);
  ini.WriteFloat("New", "Ratio", 0.25);
  ini.DeleteKey("Other", "Bad");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(path_),
            "[Main]\r\nCount= 12\r\nName=a=b\r\nLate=z\r\n\r\n"
            "[Other]\r\nFlag=1\r\nHex=0x1F\r\nText=  spaced\tvalue\r\n\r\n"
            "[New]\r\nZeta=-3\r\nAlpha=0\r\nRatio=0.25\r\n\r\n");

  TMemIniFile again(path_);
  EXPECT_EQ(again.ReadString("other", "text", ""), "  spaced\tvalue");
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(again.ReadFloat("New", "Ratio", 0), 0.25);
  FormatSettings = TFormatSettings::Invariant();
  TStringList names;
  again.ReadSections(names);
  EXPECT_EQ(names.CommaText(), "Main,Other,New");
  again.ReadSection("Main", names);
  EXPECT_EQ(names.CommaText(), "Count,Name,Late");
  again.EraseSection("MAIN");
  EXPECT_FALSE(again.SectionExists("Main"));
}

TEST_F(IniFiles, TIniFileWritesThroughTMemIniFileOnlyOnUpdate) {
  {
    TMemIniFile mem(path_);
    mem.WriteString("S", "k", "v");
    EXPECT_FALSE(FileExists(path_));
  }
  {
    TIniFile ini(path_);
    ini.WriteString("S", "k", "v");
    EXPECT_EQ(ReadFileBytes(path_), "[S]\r\nk=v\r\n\r\n");
  }
  TIniFile bad(dir_ + "/no/folder/x.ini");
  EXPECT_THROW(bad.WriteString("S", "k", "v"), EFCreateError);
}

TEST_F(IniFiles, ConfigFolderFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const String saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  EXPECT_EQ(ConfigFolder(), dir_ + "/ZorvanProfessional");
  EXPECT_TRUE(DirectoryExists(dir_ + "/ZorvanProfessional"));
  EXPECT_EQ(ConfigIniFileName(), dir_ + "/ZorvanProfessional/settings.ini");
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace

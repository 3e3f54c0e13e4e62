// The registry stand-in: keys absent until written, typed values, read-only keys, and the
// store kept in its file between registry objects.
#include <gtest/gtest.h>

#include <filesystem>

#include "classlib/Registry.h"
#include "classlib/SysUtils.h"

namespace {

struct RegistryFile : ::testing::Test {
  std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("zorvan_registry_" + std::to_string(::getpid()) + ".ini");
  void SetUp() override { TRegistry::SetStoreFileName(file.string()); }
  void TearDown() override {
    TRegistry::SetStoreFileName("");
    std::filesystem::remove(file);
  }
};

TEST_F(RegistryFile, KeysAreAbsentUntilWritten) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey, HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.KeyExists("Software\\Office\\Common"));
  EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Office\\Common"));
  EXPECT_FALSE(reg.OpenKey("Software\\Office\\Common", false));
  EXPECT_THROW(reg.ReadInteger("Theme"), ERegistryException);
  EXPECT_FALSE(std::filesystem::exists(file));  // reading writes nothing
}

TEST_F(RegistryFile, TypedValuesPersistAndReadOnlyKeysRefuseWrites) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Office\\Common\\", true));
    reg.WriteInteger("Theme", 2);
    reg.WriteString("Name", "dword-like text");
    ASSERT_TRUE(reg.OpenKey("Software\\Empty", true));
  }
  TRegistry reg;
  EXPECT_TRUE(reg.KeyExists("Software\\Empty"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Office\\Common"));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Office\\Common");
  EXPECT_TRUE(reg.ValueExists("Theme"));
  EXPECT_EQ(reg.ReadInteger("Theme"), 2);
  EXPECT_EQ(reg.ReadString("Name"), "dword-like text");
  EXPECT_THROW(reg.ReadInteger("Name"), ERegistryException);
  EXPECT_THROW(reg.ReadString("Theme"), ERegistryException);
  EXPECT_THROW(reg.WriteInteger("Theme", 3), ERegistryException);
  reg.RootKey = HKEY_LOCAL_MACHINE;
  EXPECT_FALSE(reg.KeyExists("Software\\Office\\Common"));  // another root
  reg.CloseKey();
  EXPECT_FALSE(reg.ValueExists("Theme"));
}

// Texts that look like the store's own type marks are still texts: they read back unchanged
// and never as integers.
TEST_F(RegistryFile, TextsThatLookLikeTypeMarksStayTexts) {
  const String texts[] = {"dword:5", "sz:x", "sz:", "dword:", "plain"};
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Texts", true));
    for (size_t i = 0; i < std::size(texts); ++i) reg.WriteString("v" + std::to_string(i), texts[i]);
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Texts"));
  for (size_t i = 0; i < std::size(texts); ++i) {
    SCOPED_TRACE(texts[i]);
    EXPECT_EQ(reg.ReadString("v" + std::to_string(i)), texts[i]);
    EXPECT_THROW(reg.ReadInteger("v" + std::to_string(i)), ERegistryException);
  }
}

}  // namespace

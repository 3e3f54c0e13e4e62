// Office theme detection from registry values and platform answers set by the test, the
// visual-style colour scheme, and the theme notifier: its monitor, window registration, the
// change message and the process-wide reference after its owner is freed.
#include <gtest/gtest.h>

#include <filesystem>

#include "classlib/PlatformInfo.h"
#include "classlib/WinApi.h"
#include "grid/base/RivStyleIF.h"
#include "grid/base/RivXPVS.h"

namespace {

const String k2010 = "Software\\Microsoft\\Office\\14.0\\Common";
const String k2007 = "Software\\Microsoft\\Office\\12.0\\Common";

class OfficeTheme : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::filesystem::temp_directory_path() /
             ("zorvan_theme_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ini");
    std::filesystem::remove(store_);
    TRegistry::SetStoreFileName(store_.string());
    ResetPlatformInfo();
  }
  void TearDown() override {
    TRegistry::SetStoreFileName("");
    ResetPlatformInfo();
    std::filesystem::remove(store_);
  }
  static void CreateKey(const String& key) {
    TRegistry reg;
    reg.OpenKey(key, true);
  }
  static void WriteTheme(const String& key, int value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteInteger("Theme", value);
  }
  static void WriteThemeText(const String& key, const String& value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteString("Theme", value);
  }
  static void SetStyle(bool active, const String& colorName) {
    TPlatformInfo info;
    info.WindowsMajor = 5;
    info.WindowsMinor = 1;
    info.ComCtlMajorVersion = 6;
    info.ThemeLibraryPresent = true;
    info.ThemeActive = active;
    info.ThemeColorName = colorName;
    SetPlatformInfo(info);
  }
  std::filesystem::path store_;
};

TEST_F(OfficeTheme, RegistryValuesDecideInOrder) {
  struct TCase {
    const char* what;
    int theme2010;  // 0: no value
    int theme2007;
    TOfficeTheme expected;
  } cases[] = {
      {"2010 silver wins over 2007", 2, 1, ot2010Silver},
      {"2010 black", 3, 0, ot2010Black},
      {"2010 value out of range stops the search", 5, 3, ot2003Blue},
      {"no 2010 value: 2007 blue", 0, 1, ot2007Blue},
      {"2007 black", 0, 3, ot2007Black},
      {"2007 value out of range", 0, 9, ot2003Blue},
      {"no values, classic look", 0, 0, ot2003Classic},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(store_);
    if (c.theme2010) WriteTheme(k2010, c.theme2010);
    if (c.theme2007) WriteTheme(k2007, c.theme2007);
    EXPECT_EQ(CurrentOfficeTheme(), c.expected);
  }
}

TEST_F(OfficeTheme, AValueOfAnotherTypeCountsAsMissing) {
  WriteThemeText(k2010, "dark");
  WriteTheme(k2007, 2);
  EXPECT_EQ(ReadOfficeThemeValue(k2010), -1);
  EXPECT_EQ(CurrentOfficeTheme(), ot2007Silver);
  CreateKey("Software\\Microsoft\\Office\\11.0\\Common");
  EXPECT_EQ(ReadOfficeThemeValue("Software\\Microsoft\\Office\\11.0\\Common"), -1);
}

TEST_F(OfficeTheme, ColourSchemeOfTheVisualStyle) {
  struct TCase {
    bool active;
    const char* color;
    int scheme;
    TOfficeTheme theme;
  } cases[] = {
      {true, "NormalColor", 1, ot2003Blue},
      {true, "HomeStead", 2, ot2003Olive},
      {true, "Metallic", 3, ot2003Silver},
      {true, "Other", 0, ot2003Classic},
      {false, "Metallic", 0, ot2003Classic},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.color);
    SetStyle(c.active, c.color);
    EXPECT_EQ(DetectXPColorScheme(), c.scheme);
    EXPECT_EQ(CurrentOfficeTheme(), c.theme);
  }
  // Before 5.1, or without themed common controls, there is no scheme.
  TPlatformInfo old = PlatformInfo();
  old.WindowsMinor = 0;
  SetPlatformInfo(old);
  EXPECT_EQ(DetectXPColorScheme(), 0);
  SetStyle(true, "Metallic");
  TPlatformInfo noComCtl6 = PlatformInfo();
  noComCtl6.ComCtlMajorVersion = 0xFFFFFFFFu;
  SetPlatformInfo(noComCtl6);
  EXPECT_EQ(DetectXPColorScheme(), 0);
}

TEST_F(OfficeTheme, SystemQueriesAndBindingFollowThePlatform) {
  EXPECT_FALSE(IsWinXPOrLater());
  EXPECT_FALSE(IsComCtl6());
  EXPECT_FALSE(IsVistaOrLater());
  TXPVSBinding binding;
  BindThemeLibrary(binding);
  EXPECT_FALSE(binding.Loaded);
  EXPECT_FALSE(binding.IsThemeActive);

  SetStyle(true, "NormalColor");
  TPlatformInfo vista = PlatformInfo();
  vista.WindowsMajor = 6;
  vista.WindowsMinor = 0;
  vista.HasGetLocaleInfoEx = true;
  SetPlatformInfo(vista);
  EXPECT_TRUE(IsWinXPOrLater());
  EXPECT_TRUE(IsComCtl6());
  EXPECT_TRUE(IsVistaOrLater());
  BindThemeLibrary(binding);
  ASSERT_TRUE(binding.Loaded);
  EXPECT_TRUE(binding.IsThemeActive());
  UnbindThemeLibrary(binding);
  EXPECT_FALSE(binding.Loaded);
}

TEST_F(OfficeTheme, InstalledVersionFromTheGeneralKeys) {
  EXPECT_EQ(InstalledOfficeVersion(), 0);
  CreateKey("Software\\Microsoft\\Office\\11.0\\Common\\General");
  EXPECT_EQ(InstalledOfficeVersion(), 0);
  CreateKey(k2007 + "\\General");
  EXPECT_EQ(InstalledOfficeVersion(), 1);
  CreateKey(k2010 + "\\General");
  EXPECT_EQ(InstalledOfficeVersion(), 2);
}

// A window that records the theme messages it gets.
struct TRecordingWindow : TWinControl {
  using TWinControl::TWinControl;
  std::vector<String> keys;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_OFFICETHEMECHANGE) keys.push_back(*reinterpret_cast<const String*>(Message.LParam));
    TWinControl::WndProc(Message);
  }
};

TEST_F(OfficeTheme, NoOfficeMeansNoMonitor) {
  CreateKey("Software\\Microsoft\\Office\\11.0\\Common\\General");
  TWinControl* grid = New<TWinControl>(nullptr);
  TThemeNotifier* notifier = GetThemeNotifier(grid);
  EXPECT_EQ(notifier->RegMonitorThread(), nullptr);
  EXPECT_EQ(notifier->NotifierWindow(), nullptr);
  TRecordingWindow window(nullptr);
  EXPECT_NO_THROW(notifier->RegisterWindow(window.Handle()));
  delete grid;
}

TEST_F(OfficeTheme, NotifierTellsWindowsAndIsRenewedAfterItsOwnerGoes) {
  CreateKey(k2007 + "\\General");
  TWinControl* grid = New<TWinControl>(nullptr);
  TThemeNotifier* notifier = GetThemeNotifier(grid);
  EXPECT_EQ(GetThemeNotifier(nullptr), notifier);
  TRegMonitorThread* monitor = notifier->RegMonitorThread();
  ASSERT_NE(monitor, nullptr);
  EXPECT_EQ(monitor->Filter(), 4);
  EXPECT_EQ(monitor->Key(), k2007);
  EXPECT_TRUE(monitor->WatchSub());
  EXPECT_TRUE(monitor->Running());
  TRegMonitorThread fresh;
  EXPECT_EQ(fresh.Filter(), 15);

  int changes = 0;
  notifier->OnOfficeThemeChange = [&](TObject* sender) {
    EXPECT_EQ(sender, notifier);
    ++changes;
  };
  TRecordingWindow first(nullptr), second(nullptr);
  notifier->RegisterWindow(first.Handle());
  notifier->RegisterWindow(first.Handle());
  notifier->RegisterWindow(second.Handle());
  EXPECT_EQ(monitor->WinList()->Count(), 2);

  WriteTheme(k2007, 3);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(first.keys, std::vector<String>{k2007});
  EXPECT_EQ(second.keys, std::vector<String>{k2007});
  WriteTheme("Software\\Microsoft\\Office\\11.0\\Common", 3);  // another key
  EXPECT_EQ(changes, 1);

  notifier->UnRegisterWindow(first.Handle());
  WriteTheme(k2007 + "\\Sub", 1);  // sub-keys are watched too
  EXPECT_EQ(first.keys.size(), 1u);
  EXPECT_EQ(second.keys.size(), 2u);
  EXPECT_EQ(changes, 2);

  delete grid;  // frees the notifier it owns
  TWinControl* later = New<TWinControl>(nullptr);
  TThemeNotifier* renewed = GetThemeNotifier(later);
  ASSERT_NE(renewed, nullptr);
  EXPECT_EQ(renewed->Owner(), later);
  WriteTheme(k2007, 1);  // the freed monitor no longer sends
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(second.keys.size(), 2u);
  delete later;
}

TEST_F(OfficeTheme, AKeyThatCannotBeOpenedEndsTheMonitor) {
  TRegMonitorThread monitor;
  monitor.SetKey("Software\\Nowhere");
  monitor.Start();
  EXPECT_FALSE(monitor.Running());
}

}  // namespace

#include <gtest/gtest.h>

#include "tests/wince/window_test_window.h"
#include "wince/input.h"
#include "wince/shell.h"

namespace {

TEST(WindowShell, FullScreenFlagsHideAndShowTheBars) {
  TestWindow window;
  ASSERT_TRUE(SHFullScreen(window.handle, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON));  // 42
  wince::ShellBars bars = wince::shellBars();
  EXPECT_TRUE(bars.taskbarHidden && bars.inputPanelButtonHidden && bars.startIconHidden);
  ASSERT_TRUE(SHFullScreen(window.handle, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON));  // 21
  bars = wince::shellBars();
  EXPECT_FALSE(bars.taskbarHidden || bars.inputPanelButtonHidden || bars.startIconHidden);
  EXPECT_FALSE(SHFullScreen(nullptr, 42));
}

TEST(WindowShell, PlatformNameAndLanguage) {
  char16_t name[32] = {};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof name, name, 0));
  EXPECT_EQ(std::u16string(name), u"PocketPC");
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 4, name, 0)) << "too small a buffer";

  for (const auto& [locale, language] : std::vector<std::pair<const char*, LANGID>>{
           {"de_DE.UTF-8", 0x0407}, {"fr_CA", 0x040C}, {"pt_BR.UTF-8", 0x0416}, {"C", 0x0409}, {nullptr, 0x0409}})
    EXPECT_EQ(wince::languageFromLocale(locale), language) << (locale ? locale : "none");
  wince::setUserLanguage(0x0410);
  EXPECT_EQ(GetUserDefaultUILanguage() & 0x3FF, 0x10);
  wince::setUserLanguage(0);
}

TEST(WindowKeys, SystemKeysHandedBackAreRecordedNotDelivered) {
  TestWindow window;
  window.messages.clear();
  wince::takeSystemKeyEvents();
  EXPECT_TRUE(AllKeys(TRUE));
  EXPECT_TRUE(wince::allKeysCaptured());
  keybd_event(BYTE(VK_F3), 0, 0, 0);
  keybd_event(BYTE(VK_F3), 0, KEYEVENTF_KEYUP, 0);
  window.pump();
  EXPECT_TRUE(window.messages.empty());
  const std::vector<wince::SystemKeyEvent> keys = wince::takeSystemKeyEvents();
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].flags, 0u);
  EXPECT_EQ(keys[1].flags, KEYEVENTF_KEYUP);
  AllKeys(FALSE);
  EXPECT_FALSE(wince::allKeysCaptured());
}

}  // namespace

#include "wince/display_settings.h"

#include <gtest/gtest.h>

#include "tests/wince/window_test_window.h"
#include "wince/ddraw.h"
#include "wince/ddraw_library.h"
#include "wince/log.h"

namespace {

DWORD readOrientation() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYORIENTATION;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  return mode.dmDisplayOrientation;
}

LONG setOrientation(DWORD orientation) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = orientation;
  return ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_RESET, nullptr);
}

int settingChanges(const TestWindow& window) {
  int count = 0;
  for (const RecordedMessage& message : window.messages) count += message.message == WM_SETTINGCHANGE;
  return count;
}

TEST(DisplayOrientation, ReadSetAndAnnounceOnlyRealChanges) {
  TestWindow window;
  EXPECT_EQ(readOrientation(), DMDO_270);
  window.messages.clear();
  EXPECT_EQ(setOrientation(DMDO_270), DISP_CHANGE_SUCCESSFUL);
  window.pump();
  EXPECT_EQ(settingChanges(window), 0);

  EXPECT_EQ(setOrientation(DMDO_90), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(readOrientation(), DMDO_90);
  EXPECT_EQ(settingChanges(window), 0) << "announced through the queue, not from inside the call";
  window.pump();
  EXPECT_EQ(settingChanges(window), 1);
  EXPECT_EQ(wince::programOrientationChanges(), 2);

  wince::driver::rotate(DMDO_0);
  window.pump();
  EXPECT_EQ(settingChanges(window), 2);
  EXPECT_EQ(wince::driver::orientation(), DMDO_0);
  EXPECT_EQ(wince::programOrientationChanges(), 2) << "the user's rotation is not the program's";
}

TEST(DisplayOrientation, BadRequestsChangeNothing) {
  wince::resetDisplayOrientation();
  wince::LogCapture log;
  EXPECT_EQ(setOrientation(3), DISP_CHANGE_BADMODE);
  EXPECT_TRUE(log.contains("orientation 3 refused"));
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, nullptr, nullptr, CDS_TEST, nullptr), DISP_CHANGE_BADPARAM);
  DEVMODEW mode{};
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = DMDO_90;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr), DISP_CHANGE_BADFLAGS);
  EXPECT_EQ(readOrientation(), DMDO_270);
}

HRESULT fakeDirectDrawCreate(void*, IDirectDraw** directDraw, void*) {
  *directDraw = nullptr;
  return DDERR_GENERIC;
}

TEST(DisplayLibraries, DirectDrawIsThereOnlyWhenRegistered) {
  EXPECT_EQ(LoadLibraryW(u"ddraw.dll"), nullptr);
  wince::registerLibrary(u"ddraw.dll", {{u"DirectDrawCreate", reinterpret_cast<FARPROC>(&fakeDirectDrawCreate)}});
  HMODULE module = LoadLibraryW(u"DDRAW.DLL");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(GetProcAddressW(module, u"DirectDrawCreate"), reinterpret_cast<FARPROC>(&fakeDirectDrawCreate));
  EXPECT_EQ(GetProcAddressW(module, u"DirectDrawEnumerate"), nullptr);
  EXPECT_EQ(wince::libraryLoadCount(u"ddraw.dll"), 1);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_FALSE(FreeLibrary(module));
  wince::unregisterLibrary(u"ddraw.dll");
  EXPECT_EQ(LoadLibraryW(u"ddraw.dll"), nullptr);
}

}  // namespace

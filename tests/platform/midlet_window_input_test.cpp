// The window procedure: pen, keys and focus as the current Displayable and
// the MIDlet see them, over the headless stand-in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Displayable.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/Application.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/app/HostWindow.h"
#include "runtime/app/MainLoop.h"
#include "runtime/object/ObjectFactory.h"
#include "wince/clock.h"
#include "wince/display_settings.h"
#include "wince/driver.h"
#include "wince/input.h"
#include "wince/power.h"
#include "wince/waveout.h"
#include "wince/window.h"

namespace {

std::vector<std::string> calls;

void record(const char* name, int32_t a) { calls.push_back(std::string(name) + "(" + std::to_string(a) + ")"); }
void record(const char* name, int32_t x, int32_t y) {
  calls.push_back(std::string(name) + "(" + std::to_string(x) + "," + std::to_string(y) + ")");
}

class RecordingCanvas : public javax_microedition_lcdui_Displayable {
 public:
  using Super = javax_microedition_lcdui_Displayable;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Canvas;
  void keyPressed(int32_t code) override { record("keyPressed", code); }
  void keyReleased(int32_t code) override { record("keyReleased", code); }
  void pointerPressed(int32_t x, int32_t y) override { record("pointerPressed", x, y); }
  void pointerReleased(int32_t x, int32_t y) override { record("pointerReleased", x, y); }
  void pointerDragged(int32_t x, int32_t y) override { record("pointerDragged", x, y); }
  void showNotify() override { calls.push_back("showNotify"); }
  void hideNotify() override { calls.push_back("hideNotify"); }
};

class RecordingMidlet : public javax_microedition_midlet_MIDlet {
 public:
  using Super = javax_microedition_midlet_MIDlet;
  static constexpr uint16_t classId = classid::CorvaQNDR;
  void startApp() override { calls.push_back("startApp"); }
  void pauseApp() override { calls.push_back("pauseApp"); }
};

Object* createRecordingMidlet() { return newObject<RecordingMidlet>(); }

class WindowInput : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    wince::driver::useHeadless(800, 480);
    wince::resetDisplayOrientation();
    resetHostWindow();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &WndProc;
    windowClass.lpszClassName = windowClassName;
    RegisterClassW(&windowClass);
    ASSERT_TRUE(InitInstance(nullptr, SW_SHOW));
    ApplicationStartup startup;
    startup.literalPool = Application::LiteralPool::none;
    startup.objectHeapBytes = 1u << 20;
    startup.nativePoolBytes = 1u << 20;
    startup.createMidlet = &createRecordingMidlet;
    ASSERT_EQ(host.init(startup), 1);
    host.application->m_current = newObject<RecordingCanvas>();
    hostWindow().application = host.application;
    pump();
    calls.clear();
  }
  void TearDown() override {
    hostWindow().application = nullptr;
    host.shutdown();
    HostWindow& window = hostWindow();
    if (IsWindow(window.window)) DestroyWindow(window.window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    UnregisterClassW(windowClassName, nullptr);
    resetHostWindow();
  }

  void pump() { EXPECT_FALSE(pumpMessages().has_value()); }
  std::vector<std::string> take() {
    pump();
    return std::exchange(calls, {});
  }

  ApplicationImpl host;
};

using Calls = std::vector<std::string>;

TEST_F(WindowInput, PenReachesTheDisplayableInOrder) {
  wince::driver::penDown(10, 20);
  wince::driver::penMove(11, 22);
  wince::driver::penUp(12, 24);
  EXPECT_EQ(take(), (Calls{"pointerPressed(10,20)", "pointerDragged(11,22)", "pointerReleased(12,24)"}));
}

TEST_F(WindowInput, KeysAreMappedAndSystemKeysNeverReachTheGame) {
  wince::driver::tapKey('A');
  wince::driver::tapKey(VK_RETURN);
  wince::driver::tapKey(VK_F1);
  wince::driver::tapKey(VK_F2);
  EXPECT_EQ(take(), (Calls{"keyPressed(65)", "keyReleased(65)", "keyPressed(-999)", "keyReleased(-999)",
                           "keyPressed(-6)", "keyReleased(-6)", "keyPressed(-7)", "keyReleased(-7)"}));

  wince::takeSystemKeyEvents();
  wince::useFakeClock(0, true);
  for (DWORD key : {VK_LWIN, VK_RWIN, VK_F3, VK_F4, VK_ESCAPE, VK_HOME}) wince::driver::tapKey(key);
  for (const std::string& call : take()) {
    EXPECT_TRUE(call.rfind("key", 0) != 0) << call << " reached the game";
  }
  wince::useRealClock();
  const std::vector<wince::SystemKeyEvent> resent = wince::takeSystemKeyEvents();
  EXPECT_EQ(resent.size(), 7u) << "each key's release handed back, F3 with a press first";
}

TEST_F(WindowInput, VolumeKeysStepTheVolumeAndNeverReachTheGame) {
  // Without a sound device the host's volume word stands in for it.
  const bool withDevice = waveOutSetVolume(nullptr, 0) == MMSYSERR_NOERROR;
  host.volume = 0;
  auto deviceVolume = [&] {
    DWORD volume = host.volume;
    if (withDevice) waveOutGetVolume(nullptr, &volume);
    return volume;
  };
  wince::driver::tapKey(VK_F6);
  pump();
  EXPECT_EQ(host.volume, 0x19991999u);
  EXPECT_EQ(deviceVolume(), 0x19991999u);
  wince::driver::tapKey(VK_F7);
  wince::driver::tapKey(VK_F7);
  EXPECT_TRUE(take().empty());
  EXPECT_EQ(host.volume, 0u);
  EXPECT_EQ(deviceVolume(), 0u);
}

TEST_F(WindowInput, FocusLossAndGainPauseAndStartTheGame) {
  wince::driver::focus(false);
  EXPECT_EQ(take(), (Calls{"pauseApp", "hideNotify"}));
  wince::driver::focus(true);
  EXPECT_EQ(take(), (Calls{"startApp", "showNotify"}));
}

TEST_F(WindowInput, APowerPauseEndsWithTheFocusThatStartsTheGameAgain) {
  PowerAndOrientation& power = hostWindow().power;
  wince::driver::focus(true);
  take();
  wince::driver::power(POWER_STATE_SUSPEND);
  power.drainPowerQueue(host);
  EXPECT_EQ(take(), (Calls{"pauseApp", "hideNotify"}));
  // The power-on is sent while the window has no focus and never arrives.
  wince::driver::focus(false);
  wince::driver::power(POWER_STATE_ON);
  wince::driver::focus(true);
  take();
  power.drainPowerQueue(host);
  EXPECT_EQ(host.application->m_paused, 0) << "the MIDlet runs again";

  wince::driver::rotate(DMDO_90);
  EXPECT_EQ(power.checkOrientation(host, hostWindow().window, u"Please wait"), 0);
  EXPECT_EQ(take(), (Calls{"pauseApp", "hideNotify"}));
  EXPECT_EQ(power.checkOrientation(host, hostWindow().window, u"Please wait"), 1);
  EXPECT_EQ(take(), (Calls{"startApp", "showNotify"}));
}

TEST_F(WindowInput, AfterFocusReturnsATapArrivesWhole) {
  wince::driver::focus(false);
  wince::driver::focus(true);
  take();
  wince::driver::penDown(5, 6);
  wince::driver::penMove(7, 8);
  wince::driver::penUp(9, 10);
  EXPECT_EQ(take(), (Calls{"pointerPressed(5,6)", "pointerDragged(7,8)", "pointerReleased(9,10)"}));
}

TEST_F(WindowInput, AReleaseWhosePressWasSwallowedIsDropped) {
  wince::driver::focus(false);
  take();
  // The press went elsewhere while the window had no focus.
  wince::driver::focus(true);
  wince::driver::penMove(7, 8);
  wince::driver::penUp(9, 10);
  EXPECT_EQ(take(), (Calls{"startApp", "showNotify"}));
}

TEST_F(WindowInput, CloseEndsTheLoopWithExitCodeZero) {
  wince::driver::close();
  const std::optional<int> quit = pumpMessages();
  ASSERT_TRUE(quit.has_value());
  EXPECT_EQ(*quit, 0);
}

TEST_F(WindowInput, NoCurrentDisplayableDropsInput) {
  host.application->m_current = nullptr;
  wince::driver::penDown(1, 1);
  wince::driver::tapKey('B');
  wince::driver::focus(false);
  EXPECT_TRUE(take().empty());
}

}  // namespace

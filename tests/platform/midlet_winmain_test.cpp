// The whole run through WinMain, headless: start-up, a close from the first
// message pass, one destroyApp, exit code 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_CanvasScreen.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/app/HostWindow.h"
#include "runtime/app/WinMain.h"
#include "runtime/object/ObjectFactory.h"
#include "wince/display_settings.h"
#include "wince/driver.h"
#include "wince/window.h"

namespace {

std::vector<std::string> events;

class ClosingMidlet : public javax_microedition_midlet_MIDlet {
 public:
  using Super = javax_microedition_midlet_MIDlet;
  static constexpr uint16_t classId = classid::CorvaQNDR;
  void startApp() override {
    events.push_back("startApp");
    // The user closes the window as soon as it shows.
    PostMessageW(hostWindow().window, WM_CLOSE, 0, 0);
  }
  void destroyApp(bool unconditional) override { events.push_back(unconditional ? "destroyApp(true)" : "false"); }
  void finalize() override {
    events.push_back("freed");
    Super::finalize();
  }
};

Object* createClosingMidlet() { return newObject<ClosingMidlet>(); }

// Ends itself through notifyDestroyed instead of a window close.
class QuittingMidlet : public ClosingMidlet {
 public:
  using Super = ClosingMidlet;
  void startApp() override {
    events.push_back("startApp");
    notifyDestroyed(this);
  }
};

Object* createQuittingMidlet() { return newObject<QuittingMidlet>(); }

class WinMainRun : public ::testing::TestWithParam<Object* (*)()> {
 protected:
  void TearDown() override {
    // The window stays until the process ends; a test takes it down itself.
    DestroyWindow(hostWindow().window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    UnregisterClassW(windowClassName, nullptr);
    resetHostWindow();
  }
};

TEST_P(WinMainRun, TheRunEndsWithExitCodeZeroAfterOneDestroyApp) {
  events.clear();
  wince::driver::useHeadless(800, 480);
  wince::resetDisplayOrientation();
  ApplicationStartup startup;
  startup.literalPool = Application::LiteralPool::none;
  startup.objectHeapBytes = 1u << 20;
  startup.nativePoolBytes = 1u << 20;
  startup.createScreen = &createScreenObjects;
  startup.createMidlet = GetParam();

  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOW, startup), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"startApp", "destroyApp(true)", "freed"}));
  EXPECT_EQ(processApplicationImpl().application, nullptr);
  EXPECT_EQ(processApplicationImpl().display, nullptr);
  EXPECT_EQ(hostWindow().teardownDone, 1);
  EXPECT_EQ(wince::driver::orientation(), hostWindow().power.userOrientation());
}

INSTANTIATE_TEST_SUITE_P(ByCloseAndByNotifyDestroyed, WinMainRun,
                         ::testing::Values(&createClosingMidlet, &createQuittingMidlet));

}  // namespace

// Start-up, pause and resume, focus and shutdown of the Application as the
// MIDlet and its current Displayable see them.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Displayable.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "wince/log.h"

namespace {

std::vector<std::string> events;

class RecordingMidlet : public javax_microedition_midlet_MIDlet {
 public:
  using Super = javax_microedition_midlet_MIDlet;
  static constexpr uint16_t classId = classid::CorvaQNDR;

  void finalize() override {
    events.push_back("MIDlet freed");
    Super::finalize();
  }
  void startApp() override { events.push_back("startApp"); }
  void pauseApp() override { events.push_back("pauseApp"); }
  void destroyApp(bool unconditional) override {
    events.push_back(unconditional ? "destroyApp(true)" : "destroyApp(false)");
  }
};

class RecordingDisplayable : public javax_microedition_lcdui_Displayable {
 public:
  using Super = javax_microedition_lcdui_Displayable;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Displayable;

  void finalize() override {
    events.push_back("Displayable freed");
    Super::finalize();
  }
  void showNotify() override { events.push_back("showNotify"); }
  void hideNotify() override { events.push_back("hideNotify"); }
};

Object* createRecordingMidlet() { return newObject<RecordingMidlet>(); }

class ApplicationLifecycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    events.clear();
    startup.literalPool = Application::LiteralPool::none;
    startup.objectHeapBytes = 1u << 20;
    startup.nativePoolBytes = 1u << 20;
    startup.createMidlet = &createRecordingMidlet;
  }
  void TearDown() override { host.shutdown(); }

  Application& application() { return *host.application; }
  void makeDisplayableCurrent() { application().m_current = newObject<RecordingDisplayable>(); }
  std::vector<std::string> takeEvents() { return std::exchange(events, {}); }

  ApplicationStartup startup;
  ApplicationImpl host;
};

TEST_F(ApplicationLifecycleTest, StartsPoolsCollectorBlockThenTheMidletInOrder) {
  wince::LogCapture log;
  ASSERT_EQ(host.init(startup), 1);
  EXPECT_EQ(ApplicationImpl::get(), &host);
  const std::string text = log.text();
  size_t at = 0;
  for (const char* line : {"new MemoryManagers", "new ObjectManager", "new StaticClass", "Application::init",
                           "Application::startApp"}) {
    const size_t found = text.find(line, at);
    ASSERT_NE(found, std::string::npos) << line << " missing or out of order in:\n" << text;
    at = found;
  }
  EXPECT_EQ(takeEvents(), std::vector<std::string>{"startApp"});
  ASSERT_NE(application().m_midlet, nullptr);
  EXPECT_EQ(application().m_midlet->getClassId(), classid::CorvaQNDR);
  EXPECT_EQ(host.running, 1);
}

TEST_F(ApplicationLifecycleTest, PauseAndResumeAreIdempotent) {
  ASSERT_EQ(host.init(startup), 1);
  makeDisplayableCurrent();
  takeEvents();

  host.resume();
  EXPECT_TRUE(takeEvents().empty()) << "resume without a pause calls nothing";

  host.pause();
  host.pause();
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"pauseApp", "hideNotify"}));
  EXPECT_EQ(application().m_paused, 1);

  host.resume();
  host.resume();
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"startApp", "showNotify"}));
  EXPECT_EQ(application().m_paused, 0);
}

TEST_F(ApplicationLifecycleTest, PauseAndResumeWaitForACurrentDisplayable) {
  ASSERT_EQ(host.init(startup), 1);
  takeEvents();
  host.pause();
  EXPECT_EQ(application().m_paused, 0);
  host.focusLost();
  host.focusGained();
  EXPECT_TRUE(takeEvents().empty());
}

TEST_F(ApplicationLifecycleTest, FocusChangesCallThroughWhateverPausedSays) {
  ASSERT_EQ(host.init(startup), 1);
  makeDisplayableCurrent();
  host.pause();
  takeEvents();
  host.focusLost();
  host.focusGained();
  host.focusGained();
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"pauseApp", "hideNotify", "startApp", "showNotify", "startApp",
                                                    "showNotify"}));
  EXPECT_EQ(application().m_paused, 1) << "focus leaves the power pause to its own resume";
}

TEST_F(ApplicationLifecycleTest, ShutdownDestroysTheMidletOnceBeforeAnyObjectIsFreed) {
  ASSERT_EQ(host.init(startup), 1);
  makeDisplayableCurrent();
  takeEvents();
  wince::LogCapture log;
  host.shutdown();
  const std::vector<std::string> seen = takeEvents();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], "destroyApp(true)");
  EXPECT_TRUE((seen[1] == "MIDlet freed" && seen[2] == "Displayable freed") ||
              (seen[1] == "Displayable freed" && seen[2] == "MIDlet freed"));
  const std::string text = log.text();
  EXPECT_LT(text.find("Application::close"), text.find("Application::destoryMIDlet"));
  EXPECT_EQ(host.application, nullptr);
  EXPECT_EQ(host.running, 0);

  host.shutdown();
  EXPECT_TRUE(takeEvents().empty());
}

TEST_F(ApplicationLifecycleTest, ClosingWithoutAMidletSaysSo) {
  startup.createMidlet = nullptr;
  ASSERT_EQ(host.init(startup), 1);
  wince::LogCapture log;
  host.shutdown();
  EXPECT_TRUE(log.contains("m_midlet is already NULL.")) << log.text();
  EXPECT_TRUE(events.empty());
}

}  // namespace

namespace {

// destroyApp that never returns, as when it waits on a monitor that a
// parked thread holds.
class HangingMidlet : public javax_microedition_midlet_MIDlet {
 public:
  using Super = javax_microedition_midlet_MIDlet;
  static constexpr uint16_t classId = classid::CorvaQNDR;
  void destroyApp(bool) override {
    std::mutex never;
    std::condition_variable nothing;
    std::unique_lock lock(never);
    nothing.wait(lock, [] { return false; });
  }
};

Object* createHangingMidlet() { return newObject<HangingMidlet>(); }

TEST(ApplicationShutdownDeathTest, AHangingDestroyAppEndsTheProcessAfterTheWatchdogTime) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ApplicationImpl host;
        host.shutdownWatchdogMilliseconds = 50;
        ApplicationStartup startup;
        startup.literalPool = Application::LiteralPool::none;
        startup.objectHeapBytes = 1u << 20;
        startup.nativePoolBytes = 1u << 20;
        startup.createMidlet = &createHangingMidlet;
        host.init(startup);
        host.shutdown();
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace

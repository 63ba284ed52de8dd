#include <gtest/gtest.h>

#include <string>

#include "runtime/display/PowerAndOrientation.h"
#include "tests/wince/window_test_window.h"
#include "wince/power.h"

namespace {

// Writes down what the watch asks of the application, in order.
class RecordingTarget final : public PauseTarget {
 public:
  void pause() override { calls += "pause;"; }
  void resume() override { calls += "resume;"; }
  void setRepaintSkip() override { calls += "skip;"; }
  void clearPaused() override { calls += "clear;"; }
  std::string take() { return std::exchange(calls, {}); }
  std::string calls;
};

class PowerAndOrientationWatch : public ::testing::Test {
 protected:
  void TearDown() override { watch.stopPowerNotifications(); }
  TestWindow window;
  PowerAndOrientation watch;
  RecordingTarget target;
};

TEST_F(PowerAndOrientationWatch, PowerTransitionsPauseAndResume) {
  struct PowerCase {
    DWORD flags;
    const char* calls;  // after a pause caused by a suspend
  };
  const PowerCase cases[] = {
      {POWER_STATE_ON, "resume;"}, {POWER_STATE_ON | POWER_STATE_IDLE, "resume;"},  // on is tested first
      {POWER_STATE_IDLE, ""},      {POWER_STATE_UNATTENDED, ""},
      {POWER_STATE_OFF, ""},       {POWER_STATE_CRITICAL, ""},
  };
  watch.registerPowerNotifications();
  watch.registerPowerNotifications();
  EXPECT_EQ(wince::powerRegistrationCount(), 1) << "registering again keeps the one registration";
  for (const PowerCase& entry : cases) {
    SCOPED_TRACE(entry.flags);
    wince::driver::power(POWER_STATE_SUSPEND);
    watch.drainPowerQueue(target);
    target.take();
    wince::driver::power(entry.flags);
    watch.drainPowerQueue(target);
    EXPECT_EQ(target.take(), entry.calls);
    wince::driver::power(POWER_STATE_ON);
    watch.drainPowerQueue(target);
    target.take();
  }
  wince::driver::power(POWER_STATE_IDLE);
  wince::driver::power(POWER_STATE_SUSPEND);
  watch.drainPowerQueue(target);
  EXPECT_EQ(target.take(), "pause;") << "one pause for two sleeps";
  watch.stopPowerNotifications();
  EXPECT_EQ(wince::powerRegistrationCount(), 0);
  EXPECT_EQ(wince::driver::power(POWER_STATE_ON), 0);
}

TEST_F(PowerAndOrientationWatch, RotationPausesShowsPleaseWaitTurnsBackAndResumesOnce) {
  EXPECT_EQ(watch.checkOrientation(target, window.handle, u"Please wait"), 1);
  EXPECT_EQ(target.take(), "") << "right orientation, nothing paused: nothing called";

  wince::driver::rotate(DMDO_90);
  const uint64_t presents = wince::driver::presentCount();
  EXPECT_EQ(watch.checkOrientation(target, window.handle, u"Please wait"), 0);
  EXPECT_EQ(target.take(), "pause;skip;");
  EXPECT_EQ(wince::driver::orientation(), DMDO_270) << "turned back";
  EXPECT_GT(wince::driver::presentCount(), presents);
  const std::vector<uint16_t> frame = wince::driver::presentedFrame();
  int redAbove = 0, redInBand = 0, otherColours = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 800; ++x) {
      const uint16_t pixel = frame[size_t(y) * 800 + size_t(x)];
      if (pixel == 0xF800)
        (y >= 240 && y < 240 + 19 ? redInBand : redAbove)++;
      else if (pixel != 0)
        ++otherColours;
    }
  EXPECT_GT(redInBand, 50);
  EXPECT_EQ(redAbove, 0);
  EXPECT_EQ(otherColours, 0);

  EXPECT_EQ(watch.checkOrientation(target, window.handle, u"Please wait"), 1);
  EXPECT_EQ(watch.checkOrientation(target, window.handle, u"Please wait"), 1);
  EXPECT_EQ(target.take(), "resume;");
}

TEST_F(PowerAndOrientationWatch, APowerPauseOutlivesARightOrientation) {
  watch.registerPowerNotifications();
  wince::driver::power(POWER_STATE_SUSPEND);
  watch.drainPowerQueue(target);
  EXPECT_EQ(watch.checkOrientation(target, window.handle, u"Please wait"), 1);
  EXPECT_EQ(target.take(), "pause;");

  wince::driver::rotate(DMDO_0);
  watch.checkOrientation(target, window.handle, u"Please wait");
  wince::driver::power(POWER_STATE_ON);
  watch.drainPowerQueue(target);
  EXPECT_EQ(target.take(), "skip;") << "still wrong until the next check";
  watch.checkOrientation(target, window.handle, u"Please wait");
  EXPECT_EQ(target.take(), "resume;");
}

TEST_F(PowerAndOrientationWatch, FocusChangesDropThePauseCauses) {
  // What the window does on WM_KILLFOCUS and WM_SETFOCUS.
  const auto loseFocus = [&] {
    watch.stopPowerNotifications();
    watch.resetPauseCauses(target);
  };
  const auto gainFocus = [&] {
    watch.resetPauseCauses(target);
    watch.registerPowerNotifications();
  };
  watch.registerPowerNotifications();
  wince::driver::power(POWER_STATE_SUSPEND);
  watch.drainPowerQueue(target);
  EXPECT_EQ(target.take(), "pause;");

  // The power-on is sent while the queue is closed and never arrives.
  loseFocus();
  wince::driver::power(POWER_STATE_SUSPEND);
  wince::driver::power(POWER_STATE_ON);
  gainFocus();
  watch.drainPowerQueue(target);
  EXPECT_EQ(target.take(), "clear;clear;");

  wince::driver::rotate(DMDO_90);
  EXPECT_EQ(watch.checkOrientation(target, window.handle, u"Please wait"), 0);
  EXPECT_EQ(target.take(), "pause;skip;") << "the stale power pause must not swallow the orientation pause";
  EXPECT_EQ(watch.checkOrientation(target, window.handle, u"Please wait"), 1);
  EXPECT_EQ(target.take(), "resume;");

  wince::driver::power(POWER_STATE_IDLE);
  watch.drainPowerQueue(target);
  EXPECT_EQ(target.take(), "pause;") << "idle pauses again";
}

TEST_F(PowerAndOrientationWatch, TheForcedOrientationIsNeverTakenForTheUsers) {
  wince::driver::rotate(DMDO_0);
  watch.recordUserOrientation();
  window.pump();
  window.messages.clear();

  // Focus: the wanted orientation is forced; its echo arrives as a setting change.
  watch.enforceWantedOrientation();
  EXPECT_EQ(wince::driver::orientation(), DMDO_270);
  window.pump();
  ASSERT_EQ(window.messageIds(), (std::vector<UINT>{WM_SETTINGCHANGE}));
  watch.watchSettingChange();
  EXPECT_EQ(watch.userOrientation(), DMDO_0);

  // The user turns the device while playing: theirs is remembered, ours comes back.
  wince::driver::rotate(DMDO_90);
  watch.watchSettingChange();
  EXPECT_EQ(watch.userOrientation(), DMDO_90);
  EXPECT_EQ(wince::driver::orientation(), DMDO_270);
  watch.watchSettingChange();  // the echo
  EXPECT_EQ(watch.userOrientation(), DMDO_90);

  watch.restoreUserOrientation();
  EXPECT_EQ(wince::driver::orientation(), DMDO_90);
}

}  // namespace

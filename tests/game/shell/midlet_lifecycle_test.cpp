// CorvaQNDR and cGame on a real game thread: one canvas and one thread for
// any number of startApp calls, pause and resume as flags, and destroyApp
// ending the loop.
#include <utility>

#include "game/shell/CorvaQNDR.h"
#include "game/shell/Kivra.h"
#include "tests/game/shell/shell_fixture.h"

namespace {

class MidletLifecycle : public ShellFixture {};

TEST_F(MidletLifecycle, DestroyBeforeStartDoesNothing) {
  CorvaQNDR* midlet = newObject<CorvaQNDR>();
  midlet->destroyApp(true);
  EXPECT_EQ(shellStatics().CorvaQNDR.canvas, nullptr);
  EXPECT_EQ(host.running, 1);
}

TEST_F(MidletLifecycle, ASecondStartAppMakesNoSecondCanvasOrThreadAndDestroyEndsTheLoop) {
  CorvaQNDR* midlet = newObject<CorvaQNDR>();
  EXPECT_EQ(shellStatics().CorvaQNDR.instance, midlet);
  midlet->startApp();
  Object* canvas = shellStatics().CorvaQNDR.canvas;
  java_lang_Thread* thread = loop().gameThread;
  ASSERT_NE(canvas, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(host.application->m_current, canvas);
  midlet->pauseApp();
  EXPECT_TRUE(machine().paused);
  midlet->startApp();
  EXPECT_FALSE(machine().paused);
  EXPECT_EQ(shellStatics().CorvaQNDR.canvas, canvas);
  EXPECT_EQ(loop().gameThread, thread);

  midlet->destroyApp(true);
  thread->join();
  EXPECT_EQ(java_lang_Thread::isAlive(thread), 0);
  EXPECT_EQ(loop().runState, -1);
  EXPECT_EQ(host.running, 0) << "the game thread told the runtime";
}

TEST_F(MidletLifecycle, PauseTwiceQueuesOneStopAndResumeOnlySetsFlags) {
  cGame* canvas = makeCanvas();
  cGame::pause();
  cGame::pause();
  EXPECT_TRUE(machine().paused);
  loop().forcePaint = false;
  canvas->showNotify();
  EXPECT_FALSE(machine().paused);
  EXPECT_FALSE(loop().forcePaint) << "the game thread applies the rest";
  cGame::latchInput();
  EXPECT_TRUE(loop().forcePaint);
}

// Channel stops as the sound bank counts them, once the game thread has
// taken the queued events.
TEST_F(MidletLifecycle, PauseTwiceStopsTheSoundsOnceAndHideAlwaysStopsBothChannels) {
  cGame* canvas = makeCanvas();
  cGameSoundStatics& sounds = toolkitStatics().cGameSound;
  auto stopsAfter = [&](auto&& action) {
    const uint32_t a = sounds.stopsA, b = sounds.stopsB;
    action();
    cGame::latchInput();
    return std::pair{sounds.stopsA - a, sounds.stopsB - b};
  };
  EXPECT_EQ(stopsAfter([] { cGame::pause(); cGame::pause(); }), (std::pair{1u, 1u}));
  EXPECT_EQ(stopsAfter([&] { canvas->hideNotify(); }), (std::pair{1u, 1u})) << "already paused";
  canvas->showNotify();
  cGame::latchInput();
  EXPECT_EQ(stopsAfter([&] { canvas->hideNotify(); }), (std::pair{2u, 2u})) << "both channels, then the pause";
  EXPECT_TRUE(machine().paused);
}

// The promotion screen stops loading while the game is away and starts its
// steps again when it returns.
TEST_F(MidletLifecycle, APauseOnThePromotionScreenHoldsItsLoadingUntilTheResume) {
  cGame* canvas = makeCanvas();
  machine().currentState = GameState::promotion;
  KivraStatics& k = Kivra::statics();
  k.state = Kivra::loading;
  k.loadIndex = 3;
  canvas->hideNotify();
  cGame::latchInput();
  EXPECT_EQ(k.state, Kivra::paused);
  canvas->showNotify();
  cGame::latchInput();
  EXPECT_EQ(k.state, Kivra::loading);
  EXPECT_EQ(k.loadIndex, -1);

  k.state = Kivra::browsing;
  cGame::pause();
  cGame::latchInput();
  EXPECT_EQ(k.state, Kivra::browsing) << "a page being read stays as it is";
  cGame::resume();
  cGame::latchInput();
  EXPECT_EQ(k.state, Kivra::browsing);
}

}  // namespace

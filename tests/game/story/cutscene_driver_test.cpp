// The cutscene driver: starts and their refusals and deferrals, the
// fast-forward, the tracks it steps and waits for, loops, the closing
// pause, the wait for an actor's move, and skipping.
#include <gtest/gtest.h>

#include "game/world/cActorMC.h"
#include "tests/game/story/story_fixture.h"

namespace {

class CutsceneDriverTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    hero = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    hero->id = 1;
    hero->hp = 100;
    cGame::addScriptActor(hero);
    cGame::setFocusActor(hero);
  }
  // The steps a track took: it counts them on actor 9's z, one a keyframe
  // every 100 ms.
  static cActor* counter() { return cActor::findById(9); }

  cActorMC* hero = nullptr;
};

// A cutscene of one plain track whose keyframes 0..n set the palette of
// actor 9 (as a track with an actor would) through action-free commands:
// palette counts keyframes run.
ScriptBuilder countingCutscene(int32_t keyframes, int32_t flags = 0) {
  ScriptBuilder script;
  script.cutscene(1, 1).track(2, flags, 9);
  for (int32_t k = 0; k < keyframes; ++k) script.key(k).cmd(27, {k + 1});
  return script;
}

TEST_F(CutsceneDriverTest, AStartStepsEveryTrackOnceAtOnce) {
  cActor* actor = scriptActor(9);
  load(countingCutscene(3));
  cGame::openPopup(5, 0, 0, 1000, -1, -1, false);
  EXPECT_TRUE(cGame::playCutscene(0));
  EXPECT_EQ(actor->palette, 1) << "the keyframe at 0 runs before the first paint";
  EXPECT_TRUE(cGame::isCutsceneActive());
  EXPECT_EQ(cGame::currentCutscene(), 0);
  EXPECT_FALSE(cGame::hasPlayerControl()) << "a foreground cutscene takes control";
  EXPECT_FALSE(shellStatics().cGameShared.fullSpeedAnimation);
  EXPECT_FALSE(cGame::isPopupActive()) << "the start closes the key prompt";
  EXPECT_EQ(shellStatics().cGamePopup.popupCurrent, -1);
  EXPECT_EQ(cutscene().startCount, 1);
}

TEST_F(CutsceneDriverTest, AFastForwardStepsEachTrackByTheBudget) {
  struct Case {
    int32_t tenths, timeStep, steps;
  };
  // Keyframes every 100 ms count steps only as time passes; instead the
  // number of steps shows in elapsed time: steps x time step.
  for (const Case& c : {Case{30, 62, 48}, Case{0, 62, 1}, Case{-5, 62, 1}, Case{1, 62, 1}, Case{30, 100, 29}}) {
    SCOPED_TRACE(testing::Message() << c.tenths << " tenths at " << c.timeStep << " ms");
    cGame::clearScriptActors();
    scriptActor(9);
    ScriptBuilder script;
    script.cutscene(1, 2).track(2, 0, 9).key(0).key(9000).track(0, 0).key(0).key(9000);
    load(script);
    setTimeStep(c.timeStep);
    ASSERT_TRUE(cGame::startCutscene(0, c.tenths, true, false, true));
    EXPECT_EQ(events().trackElapsed->get(0), c.steps * c.timeStep);
    EXPECT_EQ(events().trackElapsed->get(1), c.steps * c.timeStep) << "every track, one after another";
    EXPECT_FALSE(cutscene().cutsceneFastForward);
  }
}

TEST_F(CutsceneDriverTest, AFastForwardWithoutTimeStillEnds) {
  scriptActor(9);
  load(countingCutscene(40));
  setTimeStep(0);
  ASSERT_TRUE(cGame::startCutscene(0, 30, true, false, true));
  EXPECT_EQ(counter()->palette, 30) << "the frame period stands in for the missing time step";
  EXPECT_EQ(shellStatics().cGameLoop.timeStep, 0);
}

TEST_F(CutsceneDriverTest, RefusalsAndTheEndOfTheTable) {
  scriptActor(9);
  load(countingCutscene(3));
  ASSERT_TRUE(cGame::playCutscene(0));
  EXPECT_FALSE(cGame::playCutscene(-1));
  EXPECT_EQ(cGame::currentCutscene(), 0) << "a refused start leaves the running cutscene";
  hero->hp = 0;
  EXPECT_FALSE(cGame::playCutscene(0));
  EXPECT_EQ(cGame::currentCutscene(), 0);
  hero->hp = 100;
  EXPECT_FALSE(cGame::playCutscene(1));
  EXPECT_EQ(cGame::currentCutscene(), -1) << "beyond the table: the old one was ended";
  EXPECT_TRUE(cGame::hasPlayerControl());
}

// The chapter's end screen cuts the last cutscene off without ending it; the
// next room's script must not inherit its slowed animations.
TEST_F(CutsceneDriverTest, ANewRoomsScriptPlaysAtFullSpeedAfterACutsceneThatNeverEnded) {
  scriptActor(9);
  load(countingCutscene(30));
  setTimeStep(64);
  ASSERT_TRUE(cGame::playCutscene(0));
  ASSERT_EQ(cGame::animTimedStep(), 40) << "a foreground cutscene slows the animations";
  load(countingCutscene(3));
  EXPECT_EQ(cGame::currentCutscene(), -1);
  EXPECT_TRUE(shellStatics().cGameShared.fullSpeedAnimation);
  EXPECT_EQ(cGame::animTimedStep(), 64);
}

TEST_F(CutsceneDriverTest, StartsWaitWhileACinematicIsUpAndOneSlotKeepsThem) {
  scriptActor(9);
  ScriptBuilder script = countingCutscene(3);
  script.cutscene(2, 1).track(0, 0).key(0);
  load(script);
  cGame::openCinematic(0, 1, -1);
  EXPECT_FALSE(cGame::startCutsceneEx(0, 4, true, true));
  EXPECT_FALSE(cGame::startCutsceneEx(1, 2, false, false));
  EXPECT_EQ(cutscene().deferredCutscene, 1) << "a later deferral takes the slot";
  EXPECT_EQ(cutscene().deferredFastForward, 2);
  EXPECT_TRUE(cGame::startCutscene(0, 0, false, false, false)) << "only deferrable starts wait";
  cGame::setCinematicPhase(-1);
  cGame::takeUpDeferredCutscene();
  EXPECT_EQ(cGame::currentCutscene(), 1);
  EXPECT_EQ(cutscene().deferredCutscene, -1);
}

TEST_F(CutsceneDriverTest, AStartFromAFastForwardedTrackIsTakenUpAfterIt) {
  scriptActor(9);
  ScriptBuilder script;
  script.cutscene(1, 1).track(0, 0).key(0).key(5).cmd(64, {2, 0, true, false}).key(20);
  script.cutscene(2, 1).track(2, 0, 9).key(0).cmd(27, {7}).key(50);
  load(script);
  ASSERT_TRUE(cGame::startCutscene(0, 10, true, false, true));
  EXPECT_EQ(cGame::currentCutscene(), 1);
  EXPECT_EQ(counter()->palette, 7);
  EXPECT_EQ(cutscene().deferredCutscene, -1);
}

TEST_F(CutsceneDriverTest, TracksNotWaitedForAreSteppedOnlyWithFlag8) {
  struct Case {
    int32_t flags;
    bool stepped;
  };
  for (const Case& c : {Case{0, true}, Case{4, false}, Case{12, true}}) {
    SCOPED_TRACE(c.flags);
    cGame::clearScriptActors();
    scriptActor(9);
    ScriptBuilder script;
    script.cutscene(1, 2).track(2, c.flags, 9).key(0).key(50).cmd(27, {5}).track(0, 0).key(0).key(2);
    load(script);
    ASSERT_TRUE(cGame::playCutscene(0));  // the start steps every track
    cGame::stepCutscene();
    EXPECT_EQ(events().trackElapsed->get(0), c.stepped ? 124 : 62);
    for (int i = 0; i < 4; ++i) cGame::stepCutscene();
    // The plain track ended at 200 ms; the other would run for 5 s.
    EXPECT_EQ(cGame::isCutsceneActive(), c.flags == 0);
    cGame::endCutscene(cGame::currentCutscene());
  }
}

TEST_F(CutsceneDriverTest, AnotherStartFromATrackStopsTheFramesStepping) {
  scriptActor(9);
  ScriptBuilder script;
  script.cutscene(1, 2).track(0, 0).key(0).key(1).cmd(64, {2, 0, false, false}).key(50);
  script.track(2, 0, 9).key(0).key(1).cmd(27, {3}).key(50);
  script.cutscene(2, 1).track(0, 0).key(0).key(50);
  load(script);
  ASSERT_TRUE(cGame::playCutscene(0));
  setTimeStep(100);
  cGame::stepCutscene();
  EXPECT_EQ(cGame::currentCutscene(), 1);
  EXPECT_EQ(counter()->palette, 0) << "the old cutscene's later track was not stepped";
}

TEST_F(CutsceneDriverTest, ActionsThatStartNothingDoNotHoldTheTrack) {
  scriptActor(9);
  addAction(62, {3, 77, 0, 0, 0});  // names a cutscene that does not exist
  ScriptBuilder script;
  script.cutscene(1, 1).track(2, 0, 9).key(0).cmd(37, {3}).cmd(27, {4}).key(1);
  load(script);
  EXPECT_TRUE(cGame::playCutscene(0));
  EXPECT_EQ(counter()->palette, 4) << "the keyframe went on after the refused start";
  EXPECT_FALSE(cGame::runActionById(4));
  EXPECT_TRUE(cGame::runActionById(3)) << "a cutscene action answers true even when refused";
  setTimeStep(100);
  cGame::stepCutscene();
  EXPECT_FALSE(cGame::isCutsceneActive());
}

TEST_F(CutsceneDriverTest, TheClosingPauseHoldsFor500Ms) {
  scriptActor(9);
  ScriptBuilder script;
  script.cutscene(1, 1).track(0, 0).key(0).cmd(62).key(1);
  load(script);
  ASSERT_TRUE(cGame::playCutscene(0));
  setTimeStep(100);
  cGame::stepCutscene();
  EXPECT_TRUE(cGame::isCutsceneHolding());
  EXPECT_EQ(cGame::cutsceneTransition(), 2);
  for (int i = 0; i < 4; ++i) {
    cGame::stepCutscene();
    EXPECT_TRUE(cGame::isCutsceneActive()) << i;
  }
  cGame::stepCutscene();
  EXPECT_FALSE(cGame::isCutsceneActive());
  EXPECT_FALSE(cGame::isCutsceneHolding());
  EXPECT_TRUE(cGame::hasPlayerControl());
  EXPECT_EQ(camera().cameraTarget, hero) << "the camera is handed back";
  EXPECT_EQ(camera().panDuration, 500);
}

TEST_F(CutsceneDriverTest, ALoopingCutsceneRestartsWithoutAPauseAndKeepsItsSpawnedActor) {
  installSprite(20);
  ScriptBuilder script;
  script.cutscene(1, 1).track(3, 0, 4).key(0).cmd(62).cmd(41, {10, 10}).key(1);
  load(script);
  ASSERT_TRUE(cGame::startCutsceneEx(0, 0, false, true));
  const int32_t listed = events().scriptActorCount;
  cActor* spawned = cGame::getTrackActor(0);
  ASSERT_NE(spawned, nullptr);
  setTimeStep(100);
  for (int i = 0; i < 20; ++i) {
    cGame::stepCutscene();
    ASSERT_TRUE(cGame::isCutsceneActive());
    EXPECT_NE(cGame::cutsceneTransition(), 2) << "a loop never pauses";
  }
  EXPECT_EQ(events().scriptActorCount, listed) << "no actor more per loop";
  EXPECT_EQ(cGame::getTrackActor(0), spawned);
  int32_t inLayer = 0;
  for (cActor* a = cActor::layerHead(0); a != nullptr; a = a->nextInLayer) inLayer += a->kind == ActorKind::BARRIER;
  EXPECT_EQ(inLayer, 1);
}

TEST_F(CutsceneDriverTest, TheDriverWaitsForAnActorsMove) {
  cActor* walker = scriptActor(9, 0, 0);
  ScriptBuilder script;
  script.cutscene(1, 1).track(0, 0).key(0).cmd(71, {9, 100, 0, 50, 0}).key(1);
  load(script);
  ASSERT_TRUE(cGame::playCutscene(0));
  EXPECT_EQ(cutscene().cutsceneWaitActor, walker);
  setTimeStep(100);
  cGame::stepCutscene();
  EXPECT_EQ(events().trackElapsed->get(0), 62) << "no track steps while the move runs";
  walker->moveRecord = nullptr;
  cGame::stepCutscene();
  EXPECT_EQ(cutscene().cutsceneWaitActor, nullptr);
  EXPECT_FALSE(cGame::isCutsceneActive());
}

TEST_F(CutsceneDriverTest, SkippingEndsWhatWouldNeverEnd) {
  struct Case {
    const char* what;
    ScriptBuilder script;
    bool loop;
    int32_t timeStep;
  };
  ScriptBuilder waiting, slow, looping;
  waiting.cutscene(1, 1).track(0, 0).key(0).cmd(71, {9, 3000, 0, 1, 0}).key(1).cmd(27, {1});
  slow.cutscene(1, 1).track(0, 0).key(0).key(3000);
  looping.cutscene(1, 1).track(0, 0).key(0).key(3);
  const Case cases[] = {{"an awaited move", waiting, false, 62},
                        {"no time step", slow, false, 0},
                        {"a loop", looping, true, 62}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cGame::clearScriptActors();
    cActor* walker = scriptActor(9, 0, 0);
    load(c.script);
    setTimeStep(62);
    ASSERT_TRUE(cGame::startCutsceneEx(0, 0, false, c.loop));
    setTimeStep(c.timeStep);
    testing::internal::CaptureStdout();
    cGame::skipCutscene();
    testing::internal::GetCapturedStdout();
    cGame::stepCutscene();
    if (c.loop) cGame::takeUpDeferredCutscene();
    EXPECT_FALSE(cutscene().cutsceneFastForward);
    if (!c.loop) {
      EXPECT_FALSE(cGame::isCutsceneActive());
      EXPECT_EQ(walker->moveRecord, nullptr);
    }
    cGame::endCutscene(cGame::currentCutscene());
  }
}

TEST_F(CutsceneDriverTest, TheSkipControlInBothModes) {
  scriptActor(9);
  ScriptBuilder script;
  script.cutscene(1, 1).track(2, 0, 9).key(0).cmd(66, {0}).cmd(57, {1000}).key(100).cmd(21, {400, 300});
  script.cutscene(2, 1).track(0, 0).key(0).cmd(66, {1}).key(100);
  load(script);

  // Not offered, or no key: nothing.
  EXPECT_FALSE(cGame::handleCinematicSkip());
  ASSERT_TRUE(cGame::playCutscene(0));
  EXPECT_TRUE(cutscene().cutsceneSkipOffered);
  EXPECT_FALSE(cGame::handleCinematicSkip());

  // Mode false: the rest of the cutscene runs at once; it ends at the next
  // frame.
  shell::keys().frameReleased = 1 << 18;
  EXPECT_TRUE(cGame::handleCinematicSkip());
  EXPECT_EQ(counter()->getPixelX(), 400);
  EXPECT_FALSE(cutscene().cutsceneSkipOffered);
  EXPECT_EQ(shell::keys().frameReleased, 0);
  EXPECT_EQ(camera().shakeTimeLeft, 0);
  EXPECT_EQ(camera().cameraTarget, hero);
  EXPECT_EQ(camera().cameraMode, 1);
  cGame::stepCutscene();
  EXPECT_FALSE(cGame::isCutsceneActive());

  // Mode true: the kind-1 cinematic opens and does the skipping.
  ASSERT_TRUE(cGame::playCutscene(1));
  forget();
  shell::keys().frameReleased = 1 << 18;
  EXPECT_TRUE(cGame::handleCinematicSkip());
  EXPECT_EQ(cGame::cinematicKind(), 1);
  EXPECT_EQ(cGame::cinematicPhase(), 0) << "its bars close before it skips";
  EXPECT_TRUE(cGame::isCutsceneActive());
  EXPECT_FALSE(cutscene().cutsceneSkipOffered);
}

}  // namespace

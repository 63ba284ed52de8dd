// The interaction modes and the close-up view, over a room written in the
// level source (close_up_room.lvl): a cabinet whose view shows a picture
// with a drawer that reveals a hidden key, the key, and a plaque.
#include <gtest/gtest.h>

#include <string>

#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "tests/game/story/story_fixture.h"
#include "tests/game/world/paint_recorder.h"
#include "tests/game/world/source_room.h"

namespace {

// GameKeys.
constexpr int32_t okKey = 5;
constexpr int32_t otherOkKey = 11;
constexpr int32_t backKey = 19;
constexpr int32_t upKey = 1;
constexpr int32_t leftKey = 3;
constexpr int32_t rightKey = 4;

// The picture's centre in the world and the cursor's reach from it: half
// the 160 x 120 picture less half the 20 x 20 cursor.
constexpr int32_t centreX = 1000, centreY = 700;
constexpr int32_t limitX = 70, limitY = 50;

class CloseUpTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    // Hotspots show a 40 x 30 frame (animation 0), the picture 160 x 120
    // (animation 1); the cursor is 20 x 20.
    makeSprite(23, {{-20, -15, 40, 30}, {-80, -60, 160, 120}}, {{0}, {1}});
    makeSprite(30, {{-10, -10, 20, 20}}, {{0}});
    m_room = worldkit::loadSourceRoom("close_up_room.lvl");
    ScriptBuilder script;
    script.cutscene(7, 1).track(0, 0).key(600).cmd(56);
    script.cutscene(8, 1).track(0, 0).key(600).cmd(56);
    load(script);
    cGame::setChapter(0);
  }
  void TearDown() override {
    cGame::resetInteraction();
    StoryFixture::TearDown();
  }

  cActor* actor(const std::string& name) const { return cActor::findById(m_room.symbols.actors.at(name)); }
  cActorMC* hero() const { return static_cast<cActorMC*>(actor("hero")); }
  static cGameInteractionStatics& mode() { return storyStatics().cGameInteraction; }

  static void press(int32_t key) {
    shell::keys().framePressed |= 1 << key;
    shell::keys().frameHeld |= 1 << key;
  }
  static void hold(int32_t key) { shell::keys().frameHeld |= 1 << key; }
  static void release(int32_t key) { shell::keys().frameHeld &= ~(1 << key); }
  // A pointer release at a screen point that hit no overlay area.
  static void tap(int32_t x, int32_t y) {
    cGameTouchStatics& pointer = shell::touch();
    pointer.pointerX = x;
    pointer.pointerY = y;
    pointer.touchedOverlayArea = nullptr;
    pointer.pointerWasReleased = true;
  }
  static void tapOverlay(int32_t id) {
    SensibleRectangle* area = newObject<SensibleRectangle>();
    area->id = id;
    shell::touch().touchedOverlayArea = area;
    shell::touch().pointerWasReleased = true;
  }
  // One interaction update; the frame's presses and taps are gone after it.
  static void step() {
    cGame::updateInteraction();
    shell::keys().framePressed = 0;
    shell::touch().pointerWasReleased = false;
  }
  // The screen point of a world point while the view is open.
  static int32_t screenX(int32_t worldX) { return worldX - centreX + 400; }
  static int32_t screenY(int32_t worldY) { return worldY - centreY + 270; }

  // The view opened and its first update run; the cabinet's line is
  // dismissed, as it would not step under it.
  void open() {
    ASSERT_TRUE(cGame::startInteraction(actor("cabinet")));
    cGame::initConversationQueue();
    step();
  }
  std::pair<int32_t, int32_t> cursor() const { return {mode().closeUpCursorX, mode().closeUpCursorY}; }
  bool carriesKey() const { return hero()->findInventorySlot(m_room.symbols.items.at("key")) >= 0; }

  tools::AssembledLevel m_room;
};

TEST_F(CloseUpTest, TheActionKeyBeforeTheCabinetOpensItsView) {
  storytest::standInAnswers()["cActor::touchesForWalk"] = 1;
  cGame::setPlayerControl(true);
  for (int32_t frame = 0; frame < 3 && !cGame::isInteractionActive(); ++frame) {
    press(okKey);
    cGame::stateInGame(StateMessage::update);
    shell::keys().framePressed = 0;
  }
  ASSERT_TRUE(cGame::isInteractionActive());
  EXPECT_EQ(cGame::interactionKind(), 0);
  EXPECT_EQ(mode().interactionTarget, actor("cabinet"));
  EXPECT_EQ(mode().closeUpChain, actor("picture"));
  EXPECT_TRUE(actor("lamp")->isActive()) << "the cabinet's trigger ran";
  EXPECT_EQ(cursor(), std::make_pair(centreX, centreY));
  EXPECT_EQ(mode().closeUpLimitX, limitX);
  EXPECT_EQ(mode().closeUpLimitY, limitY);
  EXPECT_EQ(conversationkit::queuedText(conversationkit::talk().conversationWrite - 1), 2)
      << "the cabinet's line";

  // The world stands still while the view is open.
  cGame::initConversationQueue();
  const int32_t heroX = hero()->x;
  hold(rightKey);
  for (int32_t frame = 0; frame < 5; ++frame) cGame::stateInGame(StateMessage::update);
  EXPECT_EQ(hero()->x, heroX);
}

TEST_F(CloseUpTest, TheChainFollowsTheHotspotsIds) {
  open();
  EXPECT_EQ(actor("picture")->chainNext, actor("drawer"));
  EXPECT_EQ(actor("drawer")->chainNext, actor("keySpot"));
  EXPECT_EQ(actor("keySpot")->chainNext, actor("plaque"));
  EXPECT_EQ(actor("plaque")->chainNext, nullptr);
}

TEST_F(CloseUpTest, AHeldDirectionPansFasterUpToSixAndStopsAtOnce) {
  open();
  press(leftKey);
  step();
  EXPECT_EQ(cursor(), std::make_pair(centreX, centreY)) << "the frame of the press does not move";
  const int32_t expected[] = {2, 4, 6, 6, 6};
  int32_t x = centreX;
  for (int32_t speed : expected) {
    hold(leftKey);
    step();
    x -= speed;
    EXPECT_EQ(cursor(), std::make_pair(x, centreY)) << "only the held axis moves";
  }
  EXPECT_EQ(mode().closeUpSpeedY, 0);
  release(leftKey);
  step();
  EXPECT_EQ(cursor(), std::make_pair(x, centreY)) << "released, the cursor stops";
  EXPECT_EQ(mode().closeUpSpeedX, 0);

  // Held long enough, it stops at the picture's edge.
  hold(upKey);
  for (int32_t frame = 0; frame < 60; ++frame) step();
  EXPECT_EQ(cursor(), std::make_pair(x, centreY - limitY));
  release(upKey);
  hold(rightKey);
  for (int32_t frame = 0; frame < 100; ++frame) step();
  EXPECT_EQ(cursor(), std::make_pair(centreX + limitX, centreY - limitY));
}

TEST_F(CloseUpTest, ATapPlacesTheCursorAndTheClampBringsItBackInTheSameUpdate) {
  open();
  struct Case {
    const char* why;
    int32_t tapX, tapY;
    std::pair<int32_t, int32_t> cursor;
  };
  const Case cases[] = {
      {"inside the picture", screenX(1050), screenY(680), {1050, 680}},
      {"left of the picture", 100, screenY(700), {centreX - limitX, 700}},
      {"below and right of it", 790, 470, {centreX + limitX, centreY + limitY}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    tap(c.tapX, c.tapY);
    step();
    EXPECT_EQ(cursor(), c.cursor);
    EXPECT_TRUE(cGame::isInteractionActive()) << "a tap never leaves the view";
  }
}

TEST_F(CloseUpTest, ATapThatMissesEveryHotspotUsesNothing) {
  open();
  tap(screenX(1000), screenY(600));
  step();
  EXPECT_EQ(mode().closeUpOverHotspot, 0);
  EXPECT_EQ(actor("drawer")->param(1), 1);
  EXPECT_FALSE(actor("keySpot")->param(1) == 1);
  EXPECT_FALSE(actor("lamp")->isKilled());
}

TEST_F(CloseUpTest, TheDrawerRevealsTheKeyWhichGivesItselfAndLeavesWithItsCutscene) {
  open();
  cActor* drawer = actor("drawer");
  cActor* key = actor("keySpot");
  ASSERT_NE(key->param(1), 1) << "the key starts hidden";

  // A tap on the drawer uses it in the same update.
  tap(screenX(950), screenY(720));
  step();
  EXPECT_EQ(drawer->param(1), 0);
  EXPECT_FALSE(drawer->isActive()) << "a reveal uses itself up";
  EXPECT_EQ(key->param(1), 1);
  EXPECT_TRUE(key->isActive());
  EXPECT_TRUE(actor("lamp")->isKilled()) << "the drawer's action ran";
  EXPECT_TRUE(cGame::isInteractionActive());

  // A tap on the key takes it: the item is given, the view left and the
  // key's cutscene started, all in that update.
  EXPECT_FALSE(carriesKey());
  tap(screenX(1040), screenY(680));
  step();
  EXPECT_TRUE(carriesKey());
  EXPECT_EQ(key->param(1), 0);
  EXPECT_FALSE(cGame::isInteractionActive());
  EXPECT_EQ(mode().interactionKind, 2);
  EXPECT_EQ(mode().interactionTarget, nullptr) << "dropped at the end of the leaving update";
  EXPECT_EQ(cGame::currentCutscene(), cGame::findCutscene(7));
}

TEST_F(CloseUpTest, TheOkKeyUsesWhatThePreviousFrameFoundAndTheCutsceneWaitsForLeaving) {
  open();
  // The cursor moved onto the plaque by a tap that the frame found it under.
  tap(screenX(1040), screenY(735));
  step();
  ASSERT_EQ(mode().closeUpHotspot, actor("plaque"));
  EXPECT_EQ(mode().closeUpAfterKind, 2) << "the tap used the plaque";
  EXPECT_EQ(cGame::currentCutscene(), -1) << "not while the view is open";
  mode().closeUpAfterKind = 0;

  for (int32_t key : {okKey, otherOkKey}) {
    SCOPED_TRACE(key);
    mode().closeUpAfterKind = 0;
    press(key);
    step();
    EXPECT_EQ(mode().closeUpAfterKind, 2);
    EXPECT_EQ(mode().closeUpAfterId, 8);
    EXPECT_TRUE(cGame::isInteractionActive());
  }
  // The back key with an OK key in the same frame does not leave.
  press(okKey);
  press(backKey);
  step();
  EXPECT_TRUE(cGame::isInteractionActive());
  press(backKey);
  step();
  EXPECT_FALSE(cGame::isInteractionActive());
  EXPECT_EQ(cGame::currentCutscene(), cGame::findCutscene(8)) << "the plaque's cutscene after leaving";
}

TEST_F(CloseUpTest, TheBackAreaLeavesAndOtherOverlayAreasDoNot) {
  open();
  tapOverlay(1001);
  step();
  EXPECT_TRUE(cGame::isInteractionActive());
  tapOverlay(1002);
  step();
  EXPECT_FALSE(cGame::isInteractionActive());
  EXPECT_EQ(shell::touch().touchedOverlayArea, nullptr);
  EXPECT_EQ(cGame::currentCutscene(), -1) << "nothing was queued";
  EXPECT_EQ(mode().interactionModeSeen, 2);
  EXPECT_EQ(mode().closeUpHotspot, nullptr);

  // Left, the next update does nothing and a new start opens a fresh view.
  step();
  EXPECT_FALSE(cGame::isInteractionActive());
  EXPECT_TRUE(cGame::startInteraction(actor("cabinet")));
}

TEST_F(CloseUpTest, AStartWhileOpenOrWithoutAnActorRunsNoTrigger) {
  open();
  actor("lamp")->setFlag(ActorFlags::ACTIVE, false);
  EXPECT_FALSE(cGame::startInteraction(actor("cabinet")));
  EXPECT_FALSE(actor("lamp")->isActive());
  EXPECT_EQ(mode().interactionTarget, actor("cabinet"));
  cGame::leaveInteraction();
  EXPECT_FALSE(cGame::startInteraction(nullptr));
}

// An object that cannot be set up is refused before the world stops: the
// trigger runs, no mode opens and the player keeps control of the room.
TEST_F(CloseUpTest, AnInteractionThatCannotBeSetUpIsRefusedBeforeAnyModeOpens) {
  struct Case {
    const char* why;
    int32_t kind, head;
  };
  const Case cases[] = {
      {"no interaction", -1, 0},
      {"a close-up without a picture id", 0, 0},
      {"a close-up whose picture is missing", 0, 999},
      {"the race, which its creature opens", 1, 0},
      {"a mode without a screen", 3, 0},
      {"an unknown kind", 7, 0},
  };
  cActor* cabinet = actor("cabinet");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    cabinet->setParam(1, c.kind);
    cabinet->setParam(2, c.head);
    actor("lamp")->setFlag(ActorFlags::ACTIVE, false);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(cGame::startInteraction(cabinet));
    const std::string logged = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(actor("lamp")->isActive()) << "the trigger ran";
    EXPECT_FALSE(cGame::isInteractionActive());
    EXPECT_EQ(mode().interactionTarget, nullptr);
    EXPECT_EQ(logged.empty(), c.kind == -1) << logged;
    step();
    EXPECT_FALSE(cGame::isInteractionActive());
  }
  // The gauge's set-up decides for itself: a room without the gauge's
  // sprite refuses it, one with it opens the gauge on the object.
  cabinet->setParam(1, 2);
  worldStatics().cGamePlay.focusActor = hero();
  testing::internal::CaptureStdout();
  EXPECT_FALSE(cGame::startInteraction(cabinet));
  testing::internal::GetCapturedStdout();
  EXPECT_FALSE(cGame::isInteractionActive());
  EXPECT_EQ(mode().interactionTarget, nullptr);
  worldkit::TestSpriteDescription gauge{.animations = 65, .steps = 2};
  gauge.frameBox = [](int) { return worldkit::TestFrameBox{-45, -45, 90, 90}; };
  installSprite(27, gauge);
  EXPECT_TRUE(cGame::startInteraction(cabinet));
  EXPECT_TRUE(cGame::isInteractionActive());
  EXPECT_EQ(cGame::interactionKind(), 2);
  EXPECT_EQ(mode().interactionTarget, cabinet);
  EXPECT_TRUE(storyStatics().cGameRace.gaugeRunning) << "the gauge swings";
}

TEST_F(CloseUpTest, TheTriggersCutsceneIsNoneAtZeroOrBelowAndFoundByIdAbove) {
  cActor* cabinet = actor("cabinet");
  struct Case {
    int32_t cutscene;
    int32_t started;
  };
  const Case cases[] = {{0, -1}, {-1, -1}, {-7, -1}, {8, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cutscene);
    cabinet->setParam(4, c.cutscene);
    cGame::resetCutscenes();
    load([] {
      ScriptBuilder script;
      script.cutscene(7, 1).track(0, 0).key(600).cmd(56);
      script.cutscene(8, 1).track(0, 0).key(600).cmd(56);
      return script;
    }());
    const int32_t starts = cutscene().startCount;
    ASSERT_TRUE(cGame::startInteraction(cabinet));
    EXPECT_EQ(cutscene().startCount - starts, c.started > 0 ? 1 : 0);
    EXPECT_EQ(cGame::currentCutscene(), c.started > 0 ? cGame::findCutscene(c.cutscene) : -1);
    cGame::leaveInteraction();
    cGame::updateInteraction();
  }
}

TEST_F(CloseUpTest, AnInactiveOrKilledObjectIsNotUsed) {
  cActor* cabinet = actor("cabinet");
  cabinet->setFlag(ActorFlags::ACTIVE, false);
  EXPECT_FALSE(cabinet->interact());
  cabinet->setFlag(ActorFlags::ACTIVE, true);
  cabinet->setFlag(ActorFlags::KILLED, true);
  EXPECT_FALSE(cabinet->interact());
  EXPECT_FALSE(cGame::isInteractionActive());
  cabinet->setFlag(ActorFlags::KILLED, false);
  EXPECT_TRUE(cabinet->interact());
  EXPECT_TRUE(cGame::isInteractionActive());
  // Used while its view is open, it still counts as used: the player does
  // not strike instead.
  EXPECT_TRUE(cabinet->interact());
}

TEST_F(CloseUpTest, WhileALineIsShownTheViewWaitsAndLeavesTheTouchAreasOpen) {
  ASSERT_TRUE(cGame::startInteraction(actor("cabinet")));
  ASSERT_TRUE(cGame::isConversationActive()) << "the cabinet's line";
  hold(leftKey);
  step();
  step();
  EXPECT_EQ(mode().interactionModeSeen, 0) << "not stepped under the line";
  EXPECT_EQ(cursor(), std::make_pair(centreX, centreY));
  shell::touch().touchAreasComplete = false;
  cGame::paintInteraction();
  EXPECT_FALSE(shell::touch().touchAreasComplete);

  cGame::initConversationQueue();
  cGame::paintInteraction();
  EXPECT_TRUE(shell::touch().touchAreasComplete) << "without a line the view keeps the screen's touch";
}

TEST_F(CloseUpTest, ThePaintShowsTheShownMembersAroundTheCentreThenTheFrameAndTheCursor) {
  open();
  cGame::initConversationQueue();
  tap(screenX(950), screenY(720));  // the drawer: used, hidden; the key shown
  step();
  tap(screenX(1040), screenY(735));  // onto the plaque
  step();
  mode().closeUpAfterKind = 0;
  ASSERT_EQ(mode().closeUpOverHotspot, 1);
  shell::states().framesInState = 0;
  worldkit::PaintRecorder paints(screenGraphics());
  cGame::paintInteraction();
  std::vector<std::pair<int32_t, int32_t>> sprites;
  int32_t corners = 0;
  int32_t left = 1 << 30, top = 1 << 30;
  for (const worldkit::PaintRecord& r : paints.records()) {
    if (r.is(GraphicsCallKind::drawLine)) {
      ++corners;
      left = std::min(left, r.values[0]);
      top = std::min(top, r.values[1]);
    }
  }
  EXPECT_EQ(corners, 8);
  // The plaque's 40 x 30 frame at (1040, 735), pulsing out by 2.
  EXPECT_EQ(left, screenX(1040) - 20 - 2);
  EXPECT_EQ(top, screenY(735) - 15 - 2);
  EXPECT_EQ(actor("picture")->player->x, 400);
  EXPECT_EQ(actor("picture")->player->y, 270);
  EXPECT_EQ(actor("keySpot")->player->x, screenX(1040));
  EXPECT_EQ(mode().closeUpCursor->x, screenX(1040));
  EXPECT_EQ(mode().closeUpCursor->y, screenY(735));
}

TEST_F(CloseUpTest, ARoomLoadLeavesTheViewAndDropsItsObjects) {
  open();
  cGame::leaveInteraction();
  cGame::resetInteraction();
  EXPECT_FALSE(cGame::isInteractionActive());
  EXPECT_EQ(mode().closeUpCursor, nullptr);
  EXPECT_EQ(mode().closeUpChain, nullptr);
  EXPECT_EQ(mode().interactionTarget, nullptr);
  EXPECT_TRUE(cGame::startInteraction(actor("cabinet")));
  EXPECT_NE(mode().closeUpCursor, nullptr) << "made afresh";
}

}  // namespace

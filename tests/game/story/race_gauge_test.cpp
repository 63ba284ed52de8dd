// The two-button race against a creature and the timing gauge, stepped as
// the interaction's dispatch steps them (the seen mode copied first), with
// sprites whose frame sizes put the race's zone at y 200..260 and the
// button at 90 x 90.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "game/shell/StandIns.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "tests/game/world/ascii_collision_map.h"
#include "tests/game/world/creature_fixture.h"

namespace {

using worldkit::TestFrameBox;
using worldkit::TestSpriteDescription;
using worldkit::TestStepOffset;

constexpr int raceSlot = 15;
constexpr int buttonSlot = 27;
constexpr int heroSlot = 17;
constexpr int objectSlot = 23;
constexpr int okKey = 5;
constexpr int leftKey = 10;
constexpr int rightKey = 12;

// Race sprite: sides 40 x 100, markers 20 x 20, zones 80 x 60 drawn 20 px
// below the band's top, the side's size 96 x 84.
TestSpriteDescription raceSprite() {
  TestSpriteDescription d{.animations = 12, .steps = 1};
  d.frameBox = [](int anim) {
    if (anim == 4 || anim == 5) return TestFrameBox{-10, -10, 20, 20};
    if (anim == 10 || anim == 11) return TestFrameBox{-40, 0, 80, 60};
    if (anim == 9) return TestFrameBox{-48, 0, 96, 84};
    return TestFrameBox{-20, 0, 40, 100};
  };
  d.stepOffset = [](int anim, int) { return TestStepOffset{0, anim == 10 || anim == 11 ? 20 : 0}; };
  return d;
}

// Button sprite: 65 animations of two steps, frames 90 x 90 but the touch
// size (frame 109) 100 x 100.
TestSpriteDescription buttonSprite() {
  TestSpriteDescription d{.animations = 65, .steps = 2};
  d.frameBox = [](int frame) {
    return frame == 109 ? TestFrameBox{-50, -50, 100, 100} : TestFrameBox{-45, -45, 90, 90};
  };
  d.stepOffset = [](int, int) { return TestStepOffset{0, 0}; };
  return d;
}

class InteractionGameTest : public CreatureFixture {
 protected:
  void SetUp() override {
    CreatureFixture::SetUp();
    installSprite(raceSlot, raceSprite());
    installSprite(buttonSlot, buttonSprite());
    cGame::initRaceTables();
    setTimeStep(62);
    cGameTouchStatics& pointer = shell::touch();
    if (pointer.touchAreas == nullptr) pointer.touchAreas = newObject<java_util_Vector>();
    cGame::clearTouchState();
  }

  static cGameRaceStatics& race() { return storyStatics().cGameRace; }
  static cGameInteractionStatics& mode() { return storyStatics().cGameInteraction; }

  static void press(int key) { shellStatics().cGameKeys.framePressed |= 1 << key; }
  // A released touch on the area with that id.
  static void releaseOn(int32_t id) {
    SensibleRectangle* area = newObject<SensibleRectangle>();
    area->id = id;
    shell::touch().touchedArea = area;
    shell::touch().pointerWasReleased = true;
  }
  // One update as the dispatch runs it; the frame's presses end with it.
  static void stepRace() {
    mode().interactionModeSeen = mode().interactionMode;
    cGame::updateTwoButtonGame();
    shellStatics().cGameKeys.framePressed = 0;
  }
  static void stepGauge() {
    mode().interactionModeSeen = mode().interactionMode;
    cGame::updateGaugeGame();
    shellStatics().cGameKeys.framePressed = 0;
  }

  cActorEnemy* startRace() {
    cActorEnemy* creature = makeCreature(400, 300);
    EXPECT_TRUE(cGame::startButtonInteraction(creature));
    return creature;
  }
  // The race past its approach: the sides have met.
  cActorEnemy* startLeftStep() {
    cActorEnemy* creature = startRace();
    race().gaugeValue = 75;
    press(okKey);
    stepRace();
    EXPECT_FALSE(race().gaugeRunning);
    return creature;
  }
  // Ends the race as its win or loss does, so the next start finds no mode
  // open.
  static void leaveRace() { cGame::leaveInteraction(); }
  static bool lost(const cActorEnemy* creature) { return creature->state == 103; }
  static bool won(const cActorEnemy* creature) { return creature->state == 107; }

  static std::vector<int32_t> areaIds() {
    std::vector<int32_t> ids;
    java_util_Vector* areas = shell::touch().touchAreas;
    for (int32_t i = 0; i < areas->size(); ++i) ids.push_back(static_cast<SensibleRectangle*>(areas->elementAt(i))->id);
    return ids;
  }
  static const SensibleRectangle* area(int32_t id) {
    java_util_Vector* areas = shell::touch().touchAreas;
    for (int32_t i = 0; i < areas->size(); ++i) {
      auto* rect = static_cast<SensibleRectangle*>(areas->elementAt(i));
      if (rect->id == id) return rect;
    }
    return nullptr;
  }
};

// --- the race

TEST_F(InteractionGameTest, TheRaceStartsAgainstACreatureWithItsPlayersInPlace) {
  cActorEnemy* creature = startRace();
  const cGameRaceStatics& r = race();
  EXPECT_EQ(mode().interactionKind, 1);
  EXPECT_EQ(mode().interactionTarget, creature);
  EXPECT_EQ(mode().interactionMode, 1);
  EXPECT_EQ(mode().interactionModeSeen, 0);
  EXPECT_TRUE(r.gaugeRunning);
  EXPECT_EQ(r.gaugeValue, 0);
  EXPECT_EQ(r.raceTimeLeft, 30000);
  struct Placed {
    const CVLibPlayer* player;
    int32_t anim, x, y;
  };
  const Placed players[] = {{r.raceLeftSide, 0, 217, 180},   {r.raceRightSide, 2, 583, 180},
                            {r.raceLeftMarker, 4, 299, 180}, {r.raceRightMarker, 5, 501, 180},
                            {r.raceCentre, 8, 400, 180},     {r.raceLeftZone, 10, 297, 180},
                            {r.raceRightZone, 11, 503, 180}, {r.interactionButton, 31, 400, 270}};
  for (const Placed& p : players) {
    SCOPED_TRACE(p.anim);
    ASSERT_NE(p.player, nullptr);
    EXPECT_EQ(p.player->anim, p.anim);
    EXPECT_EQ(p.player->x, p.x);
    EXPECT_EQ(p.player->y, p.y);
  }
  EXPECT_EQ(r.raceLeftY, 280) << "the band's top plus the side's height";
  EXPECT_EQ(r.raceRightY, 280);
  EXPECT_EQ(r.raceCentreY, 280);
}

TEST_F(InteractionGameTest, TheRaceLevelIsCappedAndChoosesTheTimeLimit) {
  const struct {
    int8_t level;
    int64_t limit;
  } cases[] = {{0, 30000}, {1, 25000}, {2, 20000}, {5, 20000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    race().raceLevel = c.level;
    startRace();
    EXPECT_EQ(race().raceTimeLeft, c.limit);
    EXPECT_LE(race().raceLevel, 2);
    mode().interactionMode = 2;
    mode().interactionModeSeen = 2;
  }
}

TEST_F(InteractionGameTest, ARaceThatCannotBePlayedIsRefusedAndOpensNothing) {
  cActorEnemy* creature = makeCreature(400, 300);
  cActor* object = makeActor(13, 400, 300);
  cActor* viewed = makeActor(13, 600, 300);
  struct Case {
    const char* why;
    cActor* target;
    int emptySlot;
    bool modeOpen;
  };
  const Case cases[] = {{"no target", nullptr, -1, false},
                        {"not a creature", object, -1, false},
                        {"a mode is open", creature, -1, true},
                        {"no race sprite", creature, raceSlot, false},
                        {"no button sprite", creature, buttonSlot, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    installSprite(raceSlot, raceSprite());
    installSprite(buttonSlot, buttonSprite());
    if (c.emptySlot >= 0) shell::setSprite(c.emptySlot, nullptr);
    mode() = cGameInteractionStatics{};
    if (c.modeOpen) {
      // A close-up of another object is being looked at.
      mode().interactionMode = 1;
      mode().interactionModeSeen = 1;
      mode().interactionKind = 0;
      mode().interactionTarget = viewed;
    }
    const cGameInteractionStatics before = mode();
    press(okKey);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(cGame::startButtonInteraction(c.target));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(shellStatics().cGameKeys.framePressed, 0) << "the input is cleared all the same";
    EXPECT_EQ(mode().interactionMode, before.interactionMode);
    EXPECT_EQ(mode().interactionModeSeen, before.interactionModeSeen);
    EXPECT_EQ(mode().interactionKind, before.interactionKind);
    EXPECT_EQ(mode().interactionTarget, before.interactionTarget) << "the open mode is left as it was";
    EXPECT_EQ(cGame::isInteractionActive(), c.modeOpen);
    EXPECT_EQ(race().raceLeftSide, nullptr) << "no player is made";
  }
}

TEST_F(InteractionGameTest, WithoutPressesTheSidesDriftOffAndTheRaceIsLost) {
  cActorEnemy* creature = startRace();
  // The side is 40 px wide: it has left the screen at 217 + 40 + value <= 0.
  for (int frame = 1; frame < 257; ++frame) {
    stepRace();
    ASSERT_FALSE(lost(creature)) << frame;
  }
  EXPECT_EQ(race().gaugeValue, -256);
  EXPECT_EQ(race().raceLeftSide->x, 217 - 256);
  EXPECT_EQ(race().raceRightSide->x, 583 + 256);
  stepRace();
  EXPECT_TRUE(lost(creature));
  EXPECT_EQ(race().gaugeValue, -257);
}

TEST_F(InteractionGameTest, ThePressThatBringsTheApproachTo80EndsIt) {
  const struct {
    int32_t before;
    bool ends;
    int32_t after;
  } cases[] = {{70, false, 78}, {71, true, 80}, {100, true, 109}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    startRace();
    race().gaugeValue = c.before;
    press(okKey);
    stepRace();
    EXPECT_EQ(race().gaugeRunning, !c.ends);
    EXPECT_EQ(race().gaugeValue, c.after) << "the drift runs only in the approach";
    EXPECT_EQ(race().raceLeftSide->anim, c.ends ? 1 : 0);
    EXPECT_EQ(race().raceRightSide->anim, c.ends ? 3 : 2);
    if (c.ends) {
      EXPECT_EQ(race().interactionButtonAnim, 28);
      EXPECT_EQ(race().interactionButton->x, 297 - 45);
      EXPECT_EQ(race().interactionButton->y, 200 + 30) << "the middle of the zone";
      EXPECT_EQ(race().raceLeftSide->x, 297);
      EXPECT_EQ(race().raceRightSide->x, 503);
    }
    leaveRace();
  }
}

TEST_F(InteractionGameTest, TheOkButtonsReleaseCountsLikeItsKey) {
  startRace();
  releaseOn(218);
  stepRace();
  EXPECT_EQ(race().gaugeValue, 9 - 1);
  EXPECT_EQ(shell::touch().touchedArea, nullptr) << "the release is used up";
  EXPECT_FALSE(shell::touch().pointerWasReleased);
}

TEST_F(InteractionGameTest, EachButtonActsOnlyInItsOwnStep) {
  startRace();
  race().raceLeftY = 220;
  race().raceRightY = 220;
  press(leftKey);
  press(rightKey);
  stepRace();
  EXPECT_EQ(race().raceLeftSide->anim, 0) << "left does nothing in the approach";
  EXPECT_EQ(race().raceRightSide->anim, 2) << "nor does right";
  leaveRace();

  startLeftStep();
  const int32_t value = race().gaugeValue;
  press(okKey);
  stepRace();
  EXPECT_EQ(race().gaugeValue, value) << "OK does nothing after the approach";
}

TEST_F(InteractionGameTest, TheLeftMarkerStopsOnlyInsideTheZone) {
  // The zone: y 200 to 260, less the marker's 20 px.
  const struct {
    int16_t y;
    bool stops;
  } cases[] = {{199, false}, {200, true}, {240, true}, {241, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.y);
    startLeftStep();
    race().raceLeftY = c.y;
    race().raceLeftRising = true;
    press(leftKey);
    stepRace();
    EXPECT_EQ(race().raceLeftSide->anim == 6, c.stops);
    if (c.stops) {
      EXPECT_EQ(race().interactionButtonAnim, 34);
      EXPECT_EQ(race().interactionButton->x, 503 + 45);
      EXPECT_EQ(race().raceLeftY, c.y) << "a stopped marker stays";
    } else {
      EXPECT_EQ(race().raceLeftY, c.y + 3) << "it keeps bouncing";
    }
    leaveRace();
  }
}

TEST_F(InteractionGameTest, TheMarkerBouncesBetweenTheBandsTopAndTheSidesFoot) {
  const struct {
    int8_t level;
    int32_t step;
  } cases[] = {{0, 3}, {2, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    race().raceLevel = c.level;
    startLeftStep();
    // From the foot (280) it turns up the screen, to the top (180) and back.
    std::vector<int32_t> ys;
    int32_t turnsAtTop = 0;
    for (int frame = 0; frame < 60; ++frame) {
      const int32_t before = race().raceLeftY;
      stepRace();
      const int32_t y = race().raceLeftY;
      EXPECT_EQ(std::abs(y - before), c.step);
      if (before <= 180) {
        EXPECT_GT(y, before);
        ++turnsAtTop;
      }
      if (before >= 280) {
        EXPECT_LT(y, before);
      }
      const bool inZone = y >= 200 && y <= 240;
      EXPECT_EQ(race().interactionButton->anim, inZone ? 29 : 28) << y;
    }
    EXPECT_GE(turnsAtTop, 1);
    EXPECT_EQ(race().raceRightY, 280) << "the right marker waits";
    leaveRace();
  }
}

TEST_F(InteractionGameTest, BothMarkersStoppedTheCentreRisesAndTheRaceIsWon) {
  cActorEnemy* creature = startLeftStep();
  race().raceLeftY = 220;
  press(leftKey);
  stepRace();
  ASSERT_EQ(race().raceLeftSide->anim, 6);
  race().raceRightY = 230;
  press(rightKey);
  stepRace();
  ASSERT_EQ(race().raceRightSide->anim, 7);
  EXPECT_EQ(race().raceLeftY, 200);
  EXPECT_EQ(race().raceRightY, 200);
  EXPECT_EQ(race().raceCentreY, 277);
  const int64_t clock = race().raceTimeLeft;
  int frames = 1;
  while (!won(creature) && frames < 100) {
    stepRace();
    ++frames;
    EXPECT_EQ(race().raceTimeLeft, clock) << "the clock stops once both are done";
  }
  EXPECT_TRUE(won(creature));
  EXPECT_EQ(race().raceCentreY, 200);
  EXPECT_EQ(race().raceCentre->y, 200);
  // 280 to 200 in steps of 3 passes 202, reaches 199 and is then put on the
  // zone's top.
  EXPECT_EQ(frames, 28);
  EXPECT_FALSE(lost(creature));
}

// An object of kind 1 (a wager post) races the creature its trigger wakes;
// winning uses the object up, so that its room can see the win; losing
// leaves it for another try.
TEST_F(InteractionGameTest, AnObjectOfKind1RacesTheCreatureItsTriggerWakes) {
  cActorEnemy* creature = makeCreature(400, 300);
  creature->id = 7;
  creature->setFlag(ActorFlags::ACTIVE, false);
  cActor* post = makeActor(ActorKind::MARKER, 360, 300);
  post->id = 3;
  IntArray* params = newIntArray(15);
  params->set(1, 1);
  params->set(3, -1);
  params->set(4, -1);
  params->set(5, 7);
  params->set(6, -1);
  params->set(7, -1);
  post->setParams(params, 15);
  post->setFlag(ActorFlags::ACTIVE, true);

  ASSERT_TRUE(cGame::startInteraction(post));
  EXPECT_TRUE(creature->isActive()) << "the trigger woke it";
  EXPECT_EQ(mode().interactionKind, 1);
  EXPECT_EQ(mode().interactionTarget, creature);
  // Lost: the object stays.
  race().raceTimeLeft = -1;
  testing::internal::CaptureStdout();
  stepRace();
  EXPECT_NE(testing::internal::GetCapturedStdout().find("race lost"), std::string::npos);
  EXPECT_TRUE(lost(creature));
  EXPECT_FALSE(post->isKilled());
  EXPECT_EQ(race().raceStarter, nullptr);

  // Again, and won: the object is used up.
  ASSERT_TRUE(cGame::startInteraction(post));
  race().gaugeValue = 75;
  press(okKey);
  stepRace();
  race().raceLeftY = 220;
  press(leftKey);
  stepRace();
  race().raceRightY = 230;
  press(rightKey);
  stepRace();
  testing::internal::CaptureStdout();
  for (int frame = 0; frame < 100 && cGame::isInteractionActive(); ++frame) stepRace();
  EXPECT_NE(testing::internal::GetCapturedStdout().find("race won"), std::string::npos);
  EXPECT_TRUE(won(creature));
  EXPECT_TRUE(post->isKilled());

  // A creature that wakes to the stun of a blow uses nothing up when won.
  EXPECT_EQ(race().raceStarter, nullptr);
}

TEST_F(InteractionGameTest, AnObjectOfKind1WithoutACreatureToRaceOpensNothing) {
  cActor* other = makeActor(ActorKind::MARKER, 500, 300);
  other->id = 8;
  const int32_t wakes[] = {-1, 0, 8, 99};  // none, none, not a creature, nothing with that id
  for (const int32_t wake : wakes) {
    SCOPED_TRACE(wake);
    cActor* post = makeActor(ActorKind::MARKER, 360, 300);
    IntArray* params = newIntArray(15);
    params->set(1, 1);
    for (int i = 3; i <= 7; ++i) params->set(i, -1);
    params->set(5, wake);
    post->setParams(params, 15);
    post->setFlag(ActorFlags::ACTIVE, true);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(cGame::startInteraction(post));
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(cGame::isInteractionActive());
    EXPECT_EQ(mode().interactionTarget, nullptr);
    EXPECT_EQ(race().raceStarter, nullptr);
  }
}

TEST_F(InteractionGameTest, TheRaceIsLostOnTheFirstUpdateAfterTheClockRanOut) {
  cActorEnemy* creature = startLeftStep();
  race().raceTimeLeft = 62;
  race().raceLeftY = 180;
  stepRace();
  EXPECT_EQ(race().raceTimeLeft, 0);
  stepRace();
  EXPECT_EQ(race().raceTimeLeft, -62);
  EXPECT_FALSE(lost(creature));
  stepRace();
  EXPECT_TRUE(lost(creature));
}

TEST_F(InteractionGameTest, TheRaceRegistersTheButtonOfItsStep) {
  startRace();
  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  shellStatics().cGameLoop.graphics = screen->getGraphics();
  cGame::paintTwoButtonGame();
  EXPECT_EQ(areaIds(), (std::vector<int32_t>{218}));
  const SensibleRectangle* ok = area(218);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(race().interactionButton->anim, 19);

  race().gaugeValue = 75;
  press(okKey);
  stepRace();
  cGame::paintTwoButtonGame();
  EXPECT_EQ(areaIds(), (std::vector<int32_t>{212}));

  race().raceLeftY = 220;
  press(leftKey);
  stepRace();
  cGame::paintTwoButtonGame();
  EXPECT_EQ(areaIds(), (std::vector<int32_t>{213}));

  // Nothing is registered under the in-game menu.
  cGame::clearInput();
  shell::states().menuSuspended = true;
  cGame::paintTwoButtonGame();
  EXPECT_TRUE(areaIds().empty());
  shell::states().menuSuspended = false;
}

TEST_F(InteractionGameTest, TheInteractionsDispatchStepsAndPaintsTheRace) {
  startRace();
  cGame::updateInteraction();
  EXPECT_EQ(mode().interactionModeSeen, 1);
  EXPECT_EQ(race().gaugeValue, -1) << "the approach drifts";
  EXPECT_EQ(race().raceTimeLeft, 30000 - 62);
  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  shellStatics().cGameLoop.graphics = screen->getGraphics();
  cGame::paintInteraction();
  EXPECT_EQ(areaIds(), (std::vector<int32_t>{218}));
  EXPECT_EQ(race().interactionButton->anim, 19);
}

TEST_F(InteractionGameTest, ARoomLoadDropsTheRacesPlayersAndTheNextRaceMakesThemAgain) {
  startRace();
  const CVLibPlayer* oldSide = race().raceLeftSide;
  leaveRace();
  cGame::resetInteraction();
  const cGameRaceStatics& r = race();
  for (const CVLibPlayer* player : {r.raceLeftSide, r.raceRightSide, r.raceLeftMarker, r.raceRightMarker,
                                    r.raceCentre, r.raceLeftZone, r.raceRightZone, r.interactionButton})
    EXPECT_EQ(player, nullptr);
  startRace();
  ASSERT_NE(race().raceLeftSide, nullptr);
  EXPECT_NE(race().raceLeftSide, oldSide);
  ASSERT_NE(race().interactionButton, nullptr);
  EXPECT_EQ(race().interactionButton->anim, 31);
}

// --- the timing gauge

class TimingGaugeTest : public InteractionGameTest {
 protected:
  void SetUp() override {
    InteractionGameTest::SetUp();
    // Six steps to every animation: the first partner reaches the object at
    // step 3, the second at step 4.
    TestSpriteDescription figure{.animations = 100, .steps = 6, .palettes = 1};
    figure.frameBox = [](int) { return TestFrameBox{-10, -40, 20, 40}; };
    figure.stepOffset = [](int, int) { return TestStepOffset{0, 0}; };
    installSprite(heroSlot, figure);
    TestSpriteDescription thing{.animations = 12, .steps = 3, .palettes = 1};
    thing.frameBox = [](int) { return TestFrameBox{-32, -32, 64, 32}; };
    thing.stepOffset = [](int, int) { return TestStepOffset{0, 0}; };
    installSprite(objectSlot, thing);
    m_hero = makeHero(200, 320);
    m_hero->setSprite(sprite(heroSlot));
    m_object = makeActor(13, 400, 320);
    IntArray* params = newIntArray(14);
    params->set(9, 4);    // the failure
    params->set(10, 5);   // the opening
    params->set(11, 6);   // after a failure; its frame frees the cells
    m_object->setParams(params, 14);
    m_object->setSprite(sprite(objectSlot));
    m_object->setAnim(0, -1);
    m_hero->objectInReach = m_object;
  }

  // As the interaction's start opens kind 2 before the gauge's set-up.
  bool openGauge() {
    cGameInteractionStatics& m = mode();
    m.interactionMode = 1;
    m.interactionModeSeen = 0;
    m.interactionKind = 2;
    m.interactionTarget = m_object;
    return cGame::startGaugeInteraction(m_object);
  }
  void stopAt(int32_t value) {
    race().gaugeValue = value;
    press(okKey);
    stepGauge();
  }

  cActorMC* m_hero = nullptr;
  cActor* m_object = nullptr;
};

TEST_F(TimingGaugeTest, AnObjectOfKind2OpensTheGaugeWhichTheDispatchStepsAndPaints) {
  m_object->setParam(1, 2);
  ASSERT_TRUE(cGame::startInteraction(m_object));
  EXPECT_EQ(cGame::interactionKind(), 2);
  EXPECT_EQ(mode().interactionTarget, m_object);
  cGame::updateInteraction();
  EXPECT_EQ(race().gaugeValue, 4) << "the gauge swings";
  EXPECT_TRUE(mode().interactionOverWorld);
  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  shellStatics().cGameLoop.graphics = screen->getGraphics();
  cGame::paintInteraction();
  EXPECT_NE(area(218), nullptr);
}

TEST_F(TimingGaugeTest, TheGaugeStartsWithTheCharacterTakingAim) {
  const struct {
    int32_t partner;
    int32_t facing;
    int32_t pose;
  } cases[] = {{1, DirectionMask::RIGHT, 0}, {0, DirectionMask::LEFT, 96}, {0, 0, 96},
               {0, DirectionMask::RIGHT, 97}, {0, DirectionMask::UP, 97}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pose);
    m_hero->partnerIndex = c.partner;
    m_hero->facing = c.facing;
    race().gaugeValue = 50;
    race().gaugeStopped = true;
    ASSERT_TRUE(openGauge());
    EXPECT_EQ(m_hero->player->anim, c.pose);
    EXPECT_EQ(race().gaugeValue, 0);
    EXPECT_TRUE(race().gaugeRunning);
    EXPECT_FALSE(race().gaugeStopped);
    EXPECT_FALSE(race().gaugeSucceeded);
    ASSERT_NE(race().interactionButton, nullptr);
    EXPECT_EQ(race().interactionButton->anim, 31);
    EXPECT_EQ(race().interactionButton->x, 544);
    EXPECT_EQ(race().interactionButton->y, 330 - 90);
  }
}

TEST_F(TimingGaugeTest, AGaugeThatCannotBePlayedClosesItsMode) {
  struct Case {
    const char* why;
    bool withFocus;
    bool withSprite;
  };
  const Case cases[] = {{"no button sprite", true, false}, {"no focus character", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    installSprite(buttonSlot, buttonSprite());
    if (!c.withSprite) shell::setSprite(buttonSlot, nullptr);
    cGame::setFocusActor(c.withFocus ? static_cast<cActor*>(m_hero) : nullptr);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(openGauge());
    EXPECT_NE(testing::internal::GetCapturedStdout().find("no gauge"), std::string::npos);
    EXPECT_NE(mode().interactionMode, 1) << "the world does not stand still";
    EXPECT_NE(mode().interactionModeSeen, 1);
    EXPECT_EQ(mode().interactionTarget, nullptr);
  }
}

TEST_F(TimingGaugeTest, TheBarSwingsUpTo128AndBack) {
  ASSERT_TRUE(openGauge());
  std::vector<int32_t> values;
  for (int frame = 0; frame < 66; ++frame) {
    stepGauge();
    values.push_back(race().gaugeValue);
  }
  std::vector<int32_t> expected;
  for (int32_t v = 4; v <= 128; v += 4) expected.push_back(v);
  for (int32_t v = 124; v >= 0; v -= 4) expected.push_back(v);
  expected.push_back(4);
  expected.push_back(8);
  EXPECT_EQ(values, expected);
  EXPECT_TRUE(mode().interactionOverWorld) << "the gauge shows over the world";
}

TEST_F(TimingGaugeTest, AStopAt107OrMoreSucceeds) {
  const struct {
    int32_t value;
    bool success;
  } cases[] = {{104, false}, {106, false}, {107, true}, {108, true}, {128, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    ASSERT_TRUE(openGauge());
    m_object->player->setAnim(0, -1);
    stopAt(c.value);
    EXPECT_TRUE(race().gaugeStopped);
    EXPECT_FALSE(race().gaugeRunning);
    EXPECT_EQ(race().gaugeSucceeded, c.success);
    EXPECT_EQ(race().gaugeValue, c.value) << "a stopped gauge holds";
    EXPECT_EQ(m_hero->player->anim, 98) << "the stop, facing left";
    EXPECT_EQ(m_object->player->anim, c.success ? 0 : 4);
  }
}

TEST_F(TimingGaugeTest, AFailureSwingsTheGaugeAgainFromTheBottom) {
  ASSERT_TRUE(openGauge());
  stopAt(104);
  ASSERT_FALSE(race().gaugeSucceeded);
  int frames = 0;
  while (race().gaugeStopped && frames < 40) {
    press(okKey);  // presses while the failure plays are not stops
    stepGauge();
    ++frames;
  }
  ASSERT_FALSE(race().gaugeStopped);
  EXPECT_GT(frames, 3) << "the stop animation plays out first";
  EXPECT_TRUE(race().gaugeRunning);
  EXPECT_EQ(race().gaugeValue, 0);
  EXPECT_EQ(m_object->player->anim, 6);
  EXPECT_EQ(m_hero->player->anim, 96) << "back to the aiming pose";
  stepGauge();
  EXPECT_EQ(race().gaugeValue, 4);
}

TEST_F(TimingGaugeTest, AStopPoseTheCharactersSpriteLacksDoesNotHoldTheGauge) {
  TestSpriteDescription few{.animations = 12, .steps = 6, .palettes = 1};
  few.frameBox = [](int) { return TestFrameBox{-10, -40, 20, 40}; };
  m_hero->setSprite(installSprite(heroSlot, few));
  ASSERT_TRUE(openGauge());
  stopAt(104);
  EXPECT_FALSE(race().gaugeStopped) << "the failure is over in the update of the stop";
  EXPECT_TRUE(race().gaugeRunning);
  EXPECT_EQ(race().gaugeValue, 0);

  // A success still opens the object.
  stopAt(112);
  ASSERT_TRUE(race().gaugeSucceeded);
  for (int frame = 0; frame < 10 && m_object->player->anim != 5; ++frame) stepGauge();
  EXPECT_EQ(m_object->player->anim, 5);
}

TEST_F(TimingGaugeTest, ASuccessOpensTheObjectOnceAndFreesItsCells) {
  // Bit 8 under the object: its 64 px wide frame at (400, 320) covers the
  // cells 11 and 12 of row 9.
  std::vector<std::string> rows(20, std::string(40, '.'));
  rows[9].replace(10, 4, "8888");
  worldkit::installCollisionMap(rows);
  ASSERT_TRUE(openGauge());
  stopAt(112);
  ASSERT_TRUE(race().gaugeSucceeded);
  int openings = 0;
  int32_t contactStep = -1;
  for (int frame = 0; frame < 30; ++frame) {
    const int32_t shown = m_hero->player->aframe;
    const bool opened = m_object->player->anim == 5;
    stepGauge();
    if (!opened && m_object->player->anim == 5) {
      ++openings;
      contactStep = shown;
      EXPECT_FALSE(cGame::isBlockedAt(400, 300, 8)) << "freed in the same update";
    }
    if (opened) {
      EXPECT_EQ(m_object->player->anim, 5);
    }
  }
  EXPECT_EQ(openings, 1) << "once";
  EXPECT_EQ(contactStep, 4) << "the second partner reaches it at step 4";
  EXPECT_TRUE(cGame::isBlockedAt(10 * 32 + 16, 9 * 32 + 16, 8)) << "only the cells under it";
  EXPECT_TRUE(m_hero->player->isAnimOver());
  EXPECT_TRUE(m_object->player->isAnimOver()) << "both over: the mode is left";
}

TEST_F(TimingGaugeTest, TheInGameMenuRestartsASwingingGauge) {
  ASSERT_TRUE(openGauge());
  race().gaugeValue = 64;
  ASSERT_TRUE(cGame::isInteractionActive());
  cGame::resetRunningGauge();
  EXPECT_EQ(race().gaugeValue, 0);

  // A stopped gauge keeps its outcome.
  stopAt(112);
  cGame::resetRunningGauge();
  EXPECT_EQ(race().gaugeValue, 112);

  // So does the race's approach value.
  mode().interactionKind = 1;
  race().gaugeRunning = true;
  race().gaugeValue = 30;
  cGame::resetRunningGauge();
  EXPECT_EQ(race().gaugeValue, 30);
}

TEST_F(TimingGaugeTest, TheGaugeRegistersItsButtonAndShowsItPressed) {
  ASSERT_TRUE(openGauge());
  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  shellStatics().cGameLoop.graphics = screen->getGraphics();
  cGame::paintGaugeGame();
  const SensibleRectangle* ok = area(218);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(race().interactionButton->anim, 31);
  shell::touch().touchedArea = const_cast<SensibleRectangle*>(ok);
  shell::touch().pointerIsDown = true;
  cGame::paintGaugeGame();
  EXPECT_EQ(race().interactionButton->anim, 23);
}

}  // namespace

// The action marker's icon for what the focus character has in reach, the
// rule that withholds the action button, and the camera's stop at the
// one-sided blockers.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "game/shell/StandIns.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "tests/game/world/world_fixture.h"

namespace {

class MarkerAndStopsTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    storyStatics().cGameTimedEvents.timedPhase = -1;
    shellStatics().cGameProgress.progress = newIntArray(10);
    m_player = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    m_player->setParams(newIntArray(8), 8);
    cGame::setFocusActor(m_player);
  }
  static void setChapter(int32_t chapter, int32_t progressValue = 0) {
    shellStatics().cGameProgress.chapter = chapter;
    shellStatics().cGameProgress.progress->set(chapter, progressValue);
  }
  static cActor* objectOfMode(int32_t mode) {
    cActor* object = makeActor(63, 0, 0);
    object->setParams(newIntArray(4), 4);
    object->setParam(1, mode);
    return object;
  }
  static cActorNPC* person(int32_t talkMode, int32_t standAnim) {
    cActorNPC* npc = cActorNPC::create(ActorKind::NPC, 0, newIntArray(3));
    npc->talkMode = talkMode;
    npc->standAnim = standAnim;
    return npc;
  }

  cActorMC* m_player = nullptr;
};

// --- the marker

TEST_F(MarkerAndStopsTest, TheMarkerIsShownOverTheActorWithItsSprite) {
  installSprite(51, {.animations = 7, .steps = 1});
  cActor* object = makeActor(63, 300, 200);
  cGame::showActorMarker(object, 4, -100, 5);
  const cGameEffectsStatics& marker = worldStatics().cGameEffects;
  EXPECT_TRUE(marker.markerShown);
  EXPECT_EQ(marker.markerActor, object);
  EXPECT_EQ(marker.markerX, 304);
  EXPECT_EQ(marker.markerY, 100);
  ASSERT_NE(marker.markerPlayer, nullptr);
  EXPECT_EQ(marker.markerPlayer->sprite, sprite(51));
  EXPECT_EQ(marker.markerPlayer->loops, -2) << "played endlessly";

  worldStatics().cGameEffects.markerShown = false;
  cGame::showActorMarker(nullptr, 0, 0, 5);
  EXPECT_FALSE(marker.markerShown);
  EXPECT_EQ(marker.markerActor, object);
}

TEST_F(MarkerAndStopsTest, TheIconTellsWhatTheCharacterCanDo) {
  struct Case {
    const char* what;
    int32_t chapter;
    int32_t reason;
    std::function<void(cActorMC*)> reach;
    int32_t icon;
  };
  const Case cases[] = {
      {"raised stance in a side view, whatever is in reach", 1, 70,
       [](cActorMC* p) { p->objectInReach = objectOfMode(2); }, 6},
      {"second side action in the other side view", 6, 69, [](cActorMC*) {}, 5},
      {"raised stance elsewhere", 0, 70, [](cActorMC*) {}, 0},
      {"nothing in reach", 0, 5, [](cActorMC*) {}, 0},
      {"a block", 0, 5, [](cActorMC* p) { p->pushable = makeActor(15, 0, 0); }, 2},
      {"a block with a creature near", 0, 5,
       [](cActorMC* p) {
         p->pushable = makeActor(15, 0, 0);
         p->enemyNear = true;
       },
       0},
      {"a barrier", 0, 5, [](cActorMC* p) { p->barrierInReach = makeActor(62, 0, 0); }, 2},
      {"a hotspot", 0, 5, [](cActorMC* p) { p->hotspotInReach = makeActor(16, 0, 0); }, 2},
      {"an object of mode 2", 0, 5, [](cActorMC* p) { p->objectInReach = objectOfMode(2); }, 2},
      {"an object of mode 0", 0, 5, [](cActorMC* p) { p->objectInReach = objectOfMode(0); }, 1},
      {"an object of mode 0 with a creature near", 0, 5,
       [](cActorMC* p) {
         p->objectInReach = objectOfMode(0);
         p->enemyNear = true;
       },
       0},
      {"an object of mode 1", 0, 5, [](cActorMC* p) { p->objectInReach = objectOfMode(1); }, 0},
      {"a person who talks", 0, 5, [](cActorMC* p) { p->characterInReach = person(0, -1); }, 1},
      {"a person at work", 0, 5, [](cActorMC* p) { p->characterInReach = person(3, 5); }, 2},
      {"a person at work in chapter 4, standing 0", 4, 5, [](cActorMC* p) { p->characterInReach = person(3, 0); },
       1},
      {"a person at work in chapter 5, standing 2", 5, 5, [](cActorMC* p) { p->characterInReach = person(3, 2); },
       1},
      {"a person at work in chapter 5, standing 3", 5, 5, [](cActorMC* p) { p->characterInReach = person(3, 3); },
       1},
      {"an idle person of mode 3 in chapter 5", 5, 5, [](cActorMC* p) { p->characterInReach = person(3, -1); }, 1},
      {"a person of mode 3 standing 13 in chapter 5", 5, 5,
       [](cActorMC* p) { p->characterInReach = person(3, 13); }, 1},
      {"an idle person of mode 3 elsewhere", 0, 5, [](cActorMC* p) { p->characterInReach = person(3, -1); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_player->pushable = m_player->barrierInReach = m_player->hotspotInReach = nullptr;
    m_player->objectInReach = m_player->characterInReach = nullptr;
    m_player->enemyNear = false;
    c.reach(m_player);
    setChapter(c.chapter);
    cGame::showActorMarker(m_player, 0, -100, c.reason);
    ASSERT_NE(worldStatics().cGameEffects.markerPlayer, nullptr);
    EXPECT_EQ(worldStatics().cGameEffects.markerPlayer->anim, c.icon);
  }
}

// --- the action button

TEST_F(MarkerAndStopsTest, TheActionButtonIsWithheldInItsStorySituations) {
  cActorEnemy* creature = cActorEnemy::create(ActorKind::CREATURE, 0, newIntArray(3));
  cActor* object = makeActor(63, 0, 0);
  struct Case {
    const char* what;
    int32_t chapter;
    int32_t progressValue;
    int32_t phase;
    cActor* target;
    std::function<void()> arrange;
    bool withheld;
  };
  const Case cases[] = {
      {"chapter 3, no target", 3, 0, -1, nullptr, [] {}, true},
      {"chapter 7 with a live target", 7, 0, -1, object, [] {}, true},
      {"an ordinary chapter", 0, 0, -1, object, [] {}, false},
      {"the alarm over, progress 3, a live target", 0, 3, -2, object, [] {}, true},
      {"the alarm over, progress 7, a live target", 2, 7, -2, object, [] {}, true},
      {"the alarm still running", 0, 3, 2, object, [] {}, false},
      {"the alarm over without a target", 0, 3, -2, nullptr, [] {}, false},
      {"the alarm over, the target killed", 0, 3, -2, object,
       [object] { object->setFlag(ActorFlags::KILLED, true); }, false},
      {"progress 9, the creature out of play", 0, 9, -1, creature, [creature] { creature->state = 100; }, true},
      {"progress 9, the creature about", 0, 9, -1, creature, [creature] { creature->state = 0; }, false},
      {"progress 9, a target that is no creature", 0, 9, -1, object, [] {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    object->setFlag(ActorFlags::KILLED, false);
    setChapter(c.chapter, c.progressValue);
    storyStatics().cGameTimedEvents.timedPhase = c.phase;
    worldStatics().cGameRoom.targetActor = c.target;
    c.arrange();
    EXPECT_EQ(cGame::isActionButtonSuppressed(), c.withheld);
  }
}

// --- the camera's stops

class CameraStopsTest : public MarkerAndStopsTest {
 protected:
  static cGameCameraStatics& camera() { return worldStatics().cGameCamera; }

  // A blocker at (x, y) px, w x h, blocking the given sides.
  static cActor* blocker(int32_t x, int32_t y, int32_t w, int32_t h, int32_t sides) {
    cActor* b = makeActor(ActorKind::ONE_SIDED_BLOCKER, x, y);
    b->setParams(newIntArray(3), 3);
    b->setParam(0, w);
    b->setParam(1, h);
    b->setParam(2, sides);
    b->setFlag(ActorFlags::ACTIVE, true);
    return b;
  }
  static void viewAt(int32_t x, int32_t y, int32_t lastX, int32_t lastY) {
    camera().cameraX = x << 8;
    camera().cameraY = y << 8;
    camera().lastCameraPixelX = lastX;
    camera().lastCameraPixelY = lastY;
  }
  void standAt(int32_t x, int32_t y) {
    m_player->setX(x << 8);
    m_player->setY(y << 8);
  }
};

TEST_F(CameraStopsTest, TheViewStopsAtTheBlockingEdgeItWasSeenFrom) {
  struct Case {
    const char* what;
    int32_t sides;
    int32_t focusX, focusY;
    int32_t viewX, viewY;
    int32_t lastX, lastY;
    int32_t expectX, expectY;
  };
  // The blocker: x 1000..1100, y 600..700.
  const Case cases[] = {
      {"left edge in view, the character left of it", 1, 900, 650, 500, 300, 500, 300, 200, 300},
      {"left edge, the camera already looked past it", 1, 900, 650, 500, 300, 1001, 300, 500, 300},
      {"left edge, the camera's last x on the edge", 1, 900, 650, 500, 300, 1000, 300, 200, 300},
      {"left edge, the character beside the rectangle's rows", 1, 900, 599, 500, 300, 500, 300, 500, 300},
      {"left edge, the character right of the edge", 1, 1001, 650, 500, 300, 500, 300, 500, 300},
      {"left edge out of view", 1, 900, 650, 100, 300, 100, 300, 100, 300},
      {"right edge in view, the character right of it", 2, 1200, 650, 900, 300, 1100, 300, 1100, 300},
      {"right edge, the camera last left of it", 2, 1200, 650, 900, 300, 1099, 300, 900, 300},
      {"top edge in view, the character above it", 4, 1050, 500, 700, 300, 700, 300, 700, 120},
      {"top edge, the camera already lower", 4, 1050, 500, 700, 300, 700, 601, 700, 300},
      {"bottom edge in view, the character below it", 8, 1050, 800, 700, 400, 700, 700, 700, 700},
      {"left and top: both apply in order", 5, 1000, 600, 500, 300, 500, 300, 200, 120},
      {"a side the blocker does not have", 2, 900, 650, 500, 300, 500, 300, 500, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initDisplayList();
    blocker(1000, 600, 100, 100, c.sides);
    standAt(c.focusX, c.focusY);
    viewAt(c.viewX, c.viewY, c.lastX, c.lastY);
    cGame::clampCameraAtBlockers();
    EXPECT_EQ(camera().cameraX, c.expectX << 8);
    EXPECT_EQ(camera().cameraY, c.expectY << 8);
    EXPECT_EQ(camera().lastCameraPixelX, c.expectX) << "remembered for the next frame";
    EXPECT_EQ(camera().lastCameraPixelY, c.expectY);
  }
}

TEST_F(CameraStopsTest, OnlyALiveActiveBlockerWithSidesStopsTheView) {
  struct Case {
    const char* what;
    std::function<void(cActor*)> change;
  };
  const Case cases[] = {
      {"killed", [](cActor* b) { b->setFlag(ActorFlags::KILLED, true); }},
      {"not active", [](cActor* b) { b->setFlag(ActorFlags::ACTIVE, false); }},
      {"no sides", [](cActor* b) { b->setParam(2, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initDisplayList();
    c.change(blocker(1000, 600, 100, 100, 15));
    standAt(900, 650);
    viewAt(500, 300, 500, 300);
    cGame::clampCameraAtBlockers();
    EXPECT_EQ(camera().cameraX, 500 << 8);
    EXPECT_EQ(camera().cameraY, 300 << 8);
  }

  // Without a focus character nothing is looked at, not even the last stop.
  cActor::initDisplayList();
  blocker(1000, 600, 100, 100, 1);
  play().focusActor = nullptr;
  viewAt(500, 300, 77, 88);
  cGame::clampCameraAtBlockers();
  EXPECT_EQ(camera().cameraX, 500 << 8);
  EXPECT_EQ(camera().lastCameraPixelX, 77);
}

}  // namespace

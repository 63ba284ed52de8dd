// The camera: zones and their table, the view kept in its zone and in the
// map, the timed pan, the walking look-ahead, the shake, the side-view
// scroll and the reset at the end of a room load.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorMC.h"
#include "tests/game/world/world_fixture.h"

namespace {

constexpr int32_t px = 256;

class CameraTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    CVLibPlayer::initLayerTables(800, 480, 32, 32);
    buildMap(100, 50);  // 3200 x 1600
    cGame::initCameraZones();
  }

  static cGameCameraStatics& cam() { return worldStatics().cGameCamera; }

  // Map layer 0 of columns x rows 32-px tiles: the camera's bounds.
  static void buildMap(int columns, int rows) {
    ByteArray* header = newByteArray(4);
    header->set(0, static_cast<int8_t>(columns & 0xFF));
    header->set(1, static_cast<int8_t>(columns >> 8));
    header->set(2, static_cast<int8_t>(rows & 0xFF));
    header->set(3, static_cast<int8_t>(rows >> 8));
    CVLibPlayer::loadLayer(0, header, newByteArray(columns * rows), nullptr, nullptr, false, 16, 0, 0);
  }

  static void addZone(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h) {
    cGame::addCameraZone(id, x, y, w, h, 0, 0, w, h);
  }

  // The view's top-left in whole pixels.
  static int32_t viewX() { return (cam().cameraX + 128) >> 8; }
  static int32_t viewY() { return (cam().cameraY + 128) >> 8; }

  static void frames(int n) {
    for (int i = 0; i < n; ++i) {
      cGame::findCameraZone();
      cGame::updateCamera();
    }
  }

  static cActorMC* makeFocus(int32_t x, int32_t y) {
    IntArray* position = newIntArray(3);
    position->set(0, x << 8);
    position->set(1, y << 8);
    cActorMC* character = cActorMC::create(ActorKind::PLAYER, 0, position);
    character->init();
    character->hp = 100;
    play().focusActor = character;
    return character;
  }
};

TEST_F(CameraTest, ZonesKeepTheViewInsideOrCentreIt) {
  struct Case {
    int32_t zoneX, zoneY, zoneW, zoneH, targetX, targetY, viewX, viewY;
  };
  const Case cases[] = {
      {1000, 0, 600, 1600, 1300, 800, 900, 560},      // narrower than the view: centred across
      {1000, 0, 1200, 1600, 1100, 800, 1000, 560},    // held at the zone's left edge
      {1000, 0, 1200, 1600, 2100, 800, 1400, 560},    // held at its right edge
      {1000, 0, 1200, 1600, 1600, 800, 1200, 560},    // free inside
      {0, 400, 3200, 300, 1600, 500, 1200, 310},      // lower than the view: centred down
      {0, 0, 3200, 1600, 3100, 1550, 2400, 1120},     // then the map holds it
  };
  for (const Case& c : cases) {
    cGame::initCameraZones();
    addZone(1, c.zoneX, c.zoneY, c.zoneW, c.zoneH);
    cActor* target = makeActor(ActorKind::MARKER, c.targetX, c.targetY);
    cGame::setCameraFollow(target);
    frames(20);  // past the pan that a zone change starts
    EXPECT_EQ(cam().currentZone, 0);
    EXPECT_EQ(viewX(), c.viewX) << "zone x " << c.zoneX << " w " << c.zoneW << " target x " << c.targetX;
    EXPECT_EQ(viewY(), c.viewY) << "zone y " << c.zoneY << " h " << c.zoneH << " target y " << c.targetY;
  }
}

TEST_F(CameraTest, TheInnerRectangleChoosesTheZoneAndTheOuterOnesHideLayerThree) {
  cActor* target = makeActor(ActorKind::MARKER, 500, 500);
  cGame::setCameraFollow(target);
  EXPECT_EQ(cam().currentZone, -1);
  EXPECT_TRUE(cam().outsideZones) << "no zones at all: always outside";

  cGame::addCameraZone(7, 0, 0, 1000, 1000, 400, 400, 200, 200);   // inner 400..600
  cGame::addCameraZone(8, 0, 0, 2000, 1000, 300, 300, 300, 300);   // inner 300..600 too
  cGame::findCameraZone();
  EXPECT_EQ(cam().currentZone, 0);
  EXPECT_FALSE(cam().outsideZones);
  cGame::setCurrentZone(1);
  cGame::findCameraZone();
  EXPECT_EQ(cam().currentZone, 1) << "the current zone stays while it holds the target";

  target->setX(600 * px);  // on the inner edge: inclusive
  target->setY(600 * px);
  cGame::findCameraZone();
  EXPECT_EQ(cam().currentZone, 1);
  target->setX(1500 * px);  // in zone 1's outer rectangle only
  cGame::findCameraZone();
  EXPECT_EQ(cam().currentZone, -1);
  EXPECT_FALSE(cam().outsideZones);
  target->setX(2500 * px);
  cGame::findCameraZone();
  EXPECT_TRUE(cam().outsideZones);
}

TEST_F(CameraTest, RemovingAZoneMovesTheLaterOnesDown) {
  addZone(11, 0, 0, 100, 100);
  addZone(12, 200, 0, 100, 100);
  addZone(13, 400, 0, 100, 100);
  cGame::setCurrentZone(2);
  cam().lastZone = 2;
  cGame::removeCameraZone(0);
  ASSERT_EQ(cam().zoneCount, 2);
  EXPECT_EQ(cam().zoneIds->get(0), 12);
  EXPECT_EQ(cam().zoneIds->get(1), 13);
  EXPECT_EQ(static_cast<IntArray*>(cam().zoneOuter->get(1))->get(0), 400);
  EXPECT_EQ(cam().zoneIds->get(2), 0);
  EXPECT_EQ(cam().zoneOuter->get(2), nullptr);
  EXPECT_EQ(cam().zoneInner->get(2), nullptr);
  EXPECT_EQ(cam().currentZone, 1) << "still zone 13, so no zone change and no pan";
  EXPECT_EQ(cam().lastZone, 1);

  cGame::removeCameraZone(1);
  EXPECT_EQ(cam().currentZone, -1) << "the current zone went";
  for (int32_t index : {-1, 1, 99, 100}) {
    cGame::removeCameraZone(index);
    EXPECT_EQ(cam().zoneCount, 1) << index;
  }
  EXPECT_EQ(cam().zoneIds->get(0), 12);
}

TEST_F(CameraTest, TheHundredAndFirstZoneIsDropped) {
  for (int32_t id = 1; id <= 101; ++id) addZone(id, id * 10, 0, 10, 10);
  EXPECT_EQ(cam().zoneCount, 100);
  EXPECT_EQ(cam().zoneIds->get(99), 100);
}

TEST_F(CameraTest, TheMapHoldsTheView) {
  struct Case {
    int mapColumns;
    int32_t targetX;
    int32_t viewX;
  };
  const Case cases[] = {
      {100, 100, 0},      // would go below 0
      {100, 3150, 2400},  // would pass the right edge
      {25, 700, 0},       // a map as wide as the view
      {25, 100, 0},
      {20, 600, 0},       // a map narrower than the view shows from 0
  };
  for (const Case& c : cases) {
    buildMap(c.mapColumns, 50);
    cGame::setCameraFollow(makeActor(ActorKind::MARKER, c.targetX, 800));
    frames(3);
    EXPECT_EQ(viewX(), c.viewX) << c.mapColumns << " columns, target " << c.targetX;
  }
}

TEST_F(CameraTest, ATimedPanTakesItsDurationWithoutAJump) {
  setTimeStep(62);
  cActor* first = makeActor(ActorKind::MARKER, 1000, 800);
  cActor* second = makeActor(ActorKind::MARKER, 2000, 800);
  cGame::setCameraFollow(first);
  frames(2);
  ASSERT_EQ(viewX(), 600);
  cGame::setCameraTarget(second, 500);
  EXPECT_EQ(cam().cameraMode, 0);
  int32_t previous = viewX();
  int framesTaken = 0;
  while (cam().cameraMode == 0 && framesTaken < 50) {
    frames(1);
    ++framesTaken;
    EXPECT_GE(viewX(), previous) << "the pan goes one way";
    EXPECT_LE(viewX() - previous, 1000 * 62 / (500 - 62 * (framesTaken - 1)) + 1) << "frame " << framesTaken;
    previous = viewX();
  }
  EXPECT_LE(framesTaken, (500 + 61) / 62 + 1) << "done once the duration has passed";
  EXPECT_EQ(viewX(), 1600);
  frames(3);
  EXPECT_EQ(viewX(), 1600) << "following the new target";
}

TEST_F(CameraTest, AZoneChangePansForASecond) {
  addZone(1, 0, 0, 1600, 1600);
  addZone(2, 1600, 0, 1600, 1600);
  cActor* target = makeActor(ActorKind::MARKER, 1000, 800);
  cGame::setCameraFollow(target);
  frames(20);
  ASSERT_EQ(viewX(), 600);
  target->setX(1800 * px);  // into zone 2: the view must cross to 1600
  frames(1);
  EXPECT_EQ(cam().cameraMode, 0);
  EXPECT_EQ(cam().panDuration, 1000);
  EXPECT_LT(viewX(), 1000) << "no jump into the new zone";
  frames(16);
  EXPECT_EQ(cam().cameraMode, 1);
  EXPECT_EQ(viewX(), 1600);
}

TEST_F(CameraTest, WalkingLeadsAheadAndStandingRelaxes) {
  setTimeStep(140);  // one lead step is 1024 across and 614 down
  cActorMC* focus = makeFocus(1600, 800);
  cGame::setCameraFollow(focus);
  focus->state = 3;
  focus->facing = DirectionMask::LEFT;
  frames(1);
  EXPECT_EQ(cam().cameraLeadX, 1024);
  frames(40);
  EXPECT_EQ(cam().cameraLeadX, 30720) << "at most 120 px ahead";
  EXPECT_EQ(viewX(), 1600 - 400 - 120);
  focus->facing = DirectionMask::UP;
  frames(40);
  EXPECT_EQ(cam().cameraLeadY, 18432) << "at most 72 px up";
  EXPECT_EQ(cam().cameraLeadX, 0) << "no facing across: relaxes to 0";

  focus->state = 0;  // standing: relaxes toward the rest for its facing
  focus->facing = DirectionMask::DOWN;
  frames(1);
  EXPECT_EQ(cam().cameraLeadY, 18432 - 614);
  frames(80);
  EXPECT_EQ(cam().cameraLeadY, -5664);
  focus->state = 6;  // states 6 and 7 relax three times as fast
  focus->facing = DirectionMask::RIGHT;
  frames(1);
  EXPECT_EQ(cam().cameraLeadX, -3072);
  EXPECT_EQ(cam().cameraLeadY, -5664 + 3072);

  cActor* other = makeActor(ActorKind::MARKER, 1600, 800);
  cGame::setCameraFollow(other);
  frames(1);
  EXPECT_EQ(cam().cameraLeadX, 0) << "any other target is centred";
  EXPECT_EQ(cam().cameraLeadY, 0);
  EXPECT_EQ(viewX(), 1200);
}

TEST_F(CameraTest, AOnePixelShakeTremblesAndTurnsEveryFortyMilliseconds) {
  setTimeStep(10);
  cGame::setCameraFollow(makeActor(ActorKind::MARKER, 1600, 800));
  frames(1);
  cGame::startCameraShake(1000, 1, 1, 40);
  EXPECT_EQ(cam().shakeSpeedX, 12);
  EXPECT_EQ(cam().shakeAmplitudeX, 256);
  std::vector<int> turns;
  int32_t lastSpeed = cam().shakeSpeedX;
  for (int frame = 1; frame <= 100; ++frame) {
    frames(1);
    EXPECT_LE(std::abs(cam().cameraX - 1200 * px), 256) << "frame " << frame;
    EXPECT_LE(std::abs(viewY() - 560), 1);
    if (cam().shakeSpeedX != lastSpeed) turns.push_back(frame * 10);
    lastSpeed = cam().shakeSpeedX;
  }
  ASSERT_GE(turns.size(), 3u);
  for (size_t i = 1; i < turns.size(); ++i) EXPECT_NEAR(turns[i] - turns[i - 1], 40, 10);
  EXPECT_EQ(cam().shakeTimeLeft, 0);
  frames(1);
  EXPECT_EQ(cam().cameraX, 1200 * px) << "still once the time is up";
}

TEST_F(CameraTest, AShakeWithoutAmplitudeOrPeriodDoesNothing) {
  cGame::startCameraShake(1000, 0, 0, 40);
  cGame::startCameraShake(1000, 1, 1, 0);
  EXPECT_EQ(cam().shakeTimeLeft, 0);
  EXPECT_FALSE(shell::exceptionPending()) << "no division by zero";
  cGame::startCameraShake(500, 0, 2, 40);  // one still axis
  EXPECT_EQ(cam().shakeTimeLeft, 500);
  EXPECT_EQ(cam().shakeOffsetX, 0);
  EXPECT_EQ(cam().shakeSpeedX, 0);
  EXPECT_EQ(cam().shakeSpeedY, 2 * 256 * 2 / 40);
  EXPECT_FALSE(shell::exceptionPending());
  cGame::stopCameraShake();
  EXPECT_EQ(cam().shakeTimeLeft, 0);
}

TEST_F(CameraTest, SideViewScrollsUpAndStopsWhenTheFocusIsDown) {
  shellStatics().cGameProgress.sideViewMode = true;
  setTimeStep(50);
  cActorMC* focus = makeFocus(1600, 1400);
  cGame::resetCamera();
  EXPECT_EQ(cam().sideViewSpeed, -3072);
  EXPECT_EQ(cam().cameraX, (1600 - 400) * px);
  EXPECT_EQ(cam().cameraY, (1400 - 450) * px);
  EXPECT_EQ(cam().cameraTarget, focus);
  EXPECT_EQ(cam().cameraMode, 1);

  const int32_t startY = cam().cameraY;
  frames(1);
  EXPECT_EQ(cam().cameraY, startY + 50 * -3072 * 32 / 1000);
  EXPECT_EQ(cam().cameraX, (1600 - 400) * px) << "snapped on the target";
  focus->setX(1000 * px);
  frames(1);
  EXPECT_EQ(cam().cameraX, (1600 - 400) * px - 2048) << "trails the target 8 px a frame";

  focus->hp = 0;
  const int32_t heldX = cam().cameraX;
  const int32_t heldY = cam().cameraY;
  frames(5);
  EXPECT_EQ(cam().cameraX, heldX);
  EXPECT_EQ(cam().cameraY, heldY);
  cGame::startCameraShake(1000, 1, 1, 40);
  frames(1);
  EXPECT_NE(cam().cameraX, heldX) << "the shake still applies";
  EXPECT_LE(std::abs(cam().cameraX - heldX), 256);
}

TEST_F(CameraTest, SideViewHoldsTheBandsLimits) {
  shellStatics().cGameProgress.sideViewMode = true;
  setTimeStep(50);
  makeFocus(2000, 1400);
  cam().sideViewLimits = newIntArray(4);
  cam().sideViewLimits->set(0, 1000 * px);
  cam().sideViewLimits->set(1, 0);
  cam().sideViewLimits->set(2, 800 * px);
  cam().sideViewLimits->set(3, 1600 * px);
  cGame::resetCamera();
  EXPECT_EQ(cam().cameraX, 1000 * px) << "starts at the limits";
  cam().cameraX = 900 * px;
  frames(1);
  EXPECT_EQ(cam().cameraX, 900 * px + 2048) << "moves back toward the limits";
  cam().cameraX = 1010 * px;
  frames(1);
  EXPECT_EQ(cam().cameraX, 1000 * px) << "close enough: snaps";
}

TEST_F(CameraTest, ResetFollowsTheFocusAfresh) {
  cActorMC* focus = makeFocus(1600, 800);
  addZone(1, 0, 0, 3200, 1600);
  cGame::startCameraShake(1000, 1, 1, 40);
  cam().cameraLeadX = 5000;
  cam().cameraPanX = 77;
  cam().lastZone = 4;
  cGame::resetCamera();
  EXPECT_EQ(cam().cameraTarget, focus);
  EXPECT_EQ(cam().cameraMode, 1);
  EXPECT_EQ(cam().cameraLeadX, 0);
  EXPECT_EQ(cam().cameraPanX, 0);
  EXPECT_EQ(cam().shakeTimeLeft, 0);
  EXPECT_EQ(cam().lastZone, -1);
  EXPECT_EQ(cam().currentZone, 0);
  EXPECT_FALSE(cam().outsideZones);
}

TEST_F(CameraTest, TheMapLayersScrollWithTheView) {
  makeSprite(7, {{0, 0, 32, 32}}, {{0}});
  cGame::setCameraFollow(makeActor(ActorKind::MARKER, 1000, 700));
  frames(1);
  EXPECT_EQ(CVLibPlayer::getLayerScrollX(0), 600);
  EXPECT_EQ(CVLibPlayer::getLayerScrollY(0), 460);
  EXPECT_EQ(play().cameraPixelX, 600);
  EXPECT_EQ(play().cameraPixelY, 460);

  shellStatics().cGameLoop.sprites->set(7, nullptr);  // a layer without its tiles stays
  cGame::setCameraFollow(makeActor(ActorKind::MARKER, 1400, 700));
  frames(1);
  EXPECT_EQ(CVLibPlayer::getLayerScrollX(0), 600);
  EXPECT_EQ(play().cameraPixelX, 600);
}

TEST_F(CameraTest, TheRoomsLastLoadStepResetsTheCamera) {
  cActorMC* focus = makeFocus(1600, 800);
  cam().cameraTarget = nullptr;
  cGame::setUpRoom();
  EXPECT_EQ(cam().cameraTarget, focus);
  EXPECT_EQ(cam().cameraMode, 1);
}

}  // namespace

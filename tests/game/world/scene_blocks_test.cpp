// Blocks the player moves: the push probe against a drawn map, the push that
// takes the target cells at once and the block's walk there, the grab, and
// the slider's slide, slowing and turning back.
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

class SceneBlockTest : public SceneObjectFixture {
 protected:
  // A room of 32-pixel cells: '#' blocks walking.
  void SetUp() override {
    SceneObjectFixture::SetUp();
    makeRoom({
        "##########",
        "#........#",
        "#........#",
        "#....#...#",
        "#........#",
        "#........#",
        "##########",
    });
  }
  // A 2 x 2 block whose pixel position is the top-left of cell (column,
  // row); handled from side p4.
  static cActor* makeBlock(int32_t column, int32_t row, int32_t side) {
    cActor* block = makeObject(ActorKind::MOVER, 70, column * 32, row * 32, {0, 0, 0, 0, side});
    giveCells(block, 2, 2);
    return block;
  }
};

TEST_F(SceneBlockTest, ThePushProbeChecksTheCellsAheadOnTheMap) {
  struct Case {
    const char* what;
    int32_t column, row, side, mask;
    bool accepted;
    int32_t targetX, targetY;
  };
  // Cell (5, 3) is a wall; the probe tests row cy - 1 (or as the side says).
  const Case cases[] = {
      {"right into free cells", 2, 3, 0, DirectionMask::RIGHT, true, 96, 96},
      {"right into the wall", 4, 4, 0, DirectionMask::RIGHT, false, 0, 0},
      {"left into free cells", 4, 2, 0, DirectionMask::LEFT, true, 96, 64},
      {"left against the wall column", 2, 2, 1, DirectionMask::LEFT, false, 0, 0},
      {"up, handled from the side: refused", 3, 3, 1, DirectionMask::UP, false, 0, 0},
      {"down into free cells", 2, 3, 8, DirectionMask::DOWN, true, 64, 128},
      {"down beside the wall", 6, 3, 0, DirectionMask::DOWN, false, 0, 0},
      {"right, handled from below: refused", 2, 2, 8, DirectionMask::RIGHT, false, 0, 0},
      {"not a direction", 2, 2, 0, 0x8000, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActor* block = makeBlock(c.column, c.row, c.side);
    EXPECT_EQ(block->startPush(c.mask), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(block->param(3), c.mask);
      EXPECT_EQ(block->param(1), c.targetX);
      EXPECT_EQ(block->param(2), c.targetY);
    }
  }
}

TEST_F(SceneBlockTest, APushTakesTheTargetCellsAtOnceAndTheBlockWalksThere) {
  cActor* block = makeBlock(2, 3, 0);
  cGame::stampFootprint(block, 0, 4, true);
  ASSERT_TRUE(block->pushBlock(DirectionMask::RIGHT));
  EXPECT_EQ(block->param(0), 2);
  EXPECT_EQ(block->getPixelX(), 64) << "the block itself has not moved yet";
  EXPECT_FALSE(blocked(2, 3)) << "its old cells are freed";
  EXPECT_TRUE(blocked(3, 3) && blocked(4, 3) && blocked(3, 4) && blocked(4, 4));
  int32_t frames = 0;
  while (block->param(0) == 2 && frames < 20) {
    runKind(block);
    ++frames;
  }
  EXPECT_EQ(block->getPixelX(), 96);
  EXPECT_EQ(frames, 32 / 4 + 1) << "4 px a frame, then it settles";
  EXPECT_EQ(block->param(0), 0) << "let go: nobody handles it";
}

TEST_F(SceneBlockTest, ARefusedPushLeavesTheBlockAlone) {
  cActor* block = makeBlock(4, 4, 0);
  EXPECT_FALSE(block->pushBlock(DirectionMask::RIGHT));
  EXPECT_EQ(block->param(0), 0);
  EXPECT_EQ(block->getPixelX(), 128);
}

TEST_F(SceneBlockTest, AGrabMarksTheBlockHeldEvenWhenTheCharacterMayNotPush) {
  struct Case {
    const char* what;
    int32_t abilityFlags;
    bool sideView;
    int32_t stateAfter;
  };
  const Case cases[] = {
      {"may push", 0, false, 10},
      {"may not push", 2, false, 0},
      {"side view", 0, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    shellStatics().cGameProgress.sideViewMode = c.sideView;
    cActorMC* hero = makePlayer(200, 150);
    hero->abilityFlags = c.abilityFlags;
    cActor* block = makeBlock(2, 3, 1);
    EXPECT_TRUE(block->grabBlock());
    EXPECT_EQ(block->param(1 - 1), 1) << "held";
    EXPECT_EQ(hero->state, c.stateAfter);
    if (c.stateAfter == 10) {
      EXPECT_EQ(hero->getPixelX(), 64 - 60) << "beside the block, on its side";
    } else {
      EXPECT_EQ(hero->getPixelX(), 200);
    }
  }
}

class SceneSliderTest : public SceneObjectFixture {
 protected:
  // A room 12 cells wide with walls at both ends.
  void SetUp() override {
    SceneObjectFixture::SetUp();
    makeRoom({"############", "#..........#", "#..........#", "############"});
  }
  // A horizontal slider of one cell at (column, 2), direction p3, start
  // speed p4, p5 cells at full speed.
  static cActor* makeSlider(int32_t column, int32_t direction, int32_t speed, int32_t fullCells) {
    cActor* slider = makeObject(ActorKind::SLIDER, 17, column * 32, 2 * 32, {0, 1, 0, direction, speed, fullCells});
    giveCells(slider, 2, 1);
    return slider;
  }
};

TEST_F(SceneSliderTest, ARequestAgainstItsAxisIsRefused) {
  cActor* slider = makeSlider(4, 2, 8, 3);
  slider->slide(DirectionMask::UP, false);
  EXPECT_EQ(slider->param(6), 0);
  slider->slide(DirectionMask::LEFT, false);
  EXPECT_EQ(slider->param(6), 1);
  EXPECT_EQ(slider->param(3), 1) << "turned to the push";
  EXPECT_EQ(slider->param(7), 8);
  EXPECT_EQ(slider->param(9), 3 * 32);
}

TEST_F(SceneSliderTest, ItSlowsDownTurnsBackAtWallsAndComesToRest) {
  struct Case {
    int32_t speed;
  };
  for (const Case& c : {Case{16}, Case{8}, Case{4}, Case{3}}) {
    SCOPED_TRACE(c.speed);
    cActor::initLists();
    cActor* slider = makeSlider(8, 2, c.speed, 100);
    slider->slide(2, true);
    std::vector<int32_t> speeds;
    int32_t direction = slider->param(3);
    for (int i = 0; i < 2000 && slider->param(6) == 1; ++i) {
      runKind(slider);
      if (slider->param(3) != direction || slider->param(6) == 0) {
        speeds.push_back(slider->param(7));
        direction = slider->param(3);
      }
      EXPECT_GE(slider->getPixelX(), 32);
      EXPECT_LE(slider->getPixelX(), 10 * 32);
    }
    EXPECT_EQ(slider->param(6), 0) << "at rest";
    EXPECT_EQ(speeds.back(), 0);
    ASSERT_GE(speeds.size(), 2u);
    EXPECT_EQ(speeds.front(), c.speed > 4 ? c.speed / 2 : c.speed)
        << "above 4 it halves at the wall, at 4 or less it keeps its speed";
  }
}

TEST_F(SceneSliderTest, ItHalvesItsSpeedOnceItsFullSpeedCellsAreUsedUp) {
  cActor* slider = makeSlider(2, 2, 8, 1);
  slider->slide(2, true);
  for (int i = 0; i < 8 + 1; ++i) runKind(slider);
  EXPECT_EQ(slider->param(8), 1);
  EXPECT_EQ(slider->param(7), 8) << "one cell at full speed";
  for (int i = 0; i < 8; ++i) runKind(slider);
  EXPECT_EQ(slider->param(7), 4);
}

TEST_F(SceneSliderTest, ATouchSetsItOffOnce) {
  cActor* slider = makeSlider(4, 2, 8, 3);
  slider->setParam(2, 1);
  slider->setInteractBox(-16, -16, 32, 32);
  makePlayer(4 * 32, 2 * 32);
  runKind(slider);
  EXPECT_EQ(slider->param(6), 1);
  EXPECT_EQ(slider->param(2), 0) << "once";
}

class SceneStagedBarrierTest : public SceneObjectFixture {};

TEST_F(SceneStagedBarrierTest, ItTakesTheWantedStageWhenItsAnimationEnds) {
  struct Case {
    int32_t stage, wanted;
    int32_t animationAfter;
    bool blockedAfter;
  };
  for (const Case& c : {Case{0, 1, 33, true}, Case{1, 2, 50, false}, Case{1, 1, 31, true}}) {
    SCOPED_TRACE(testing::Message() << c.stage << " -> " << c.wanted);
    cActor::initLists();
    cActor* barrier = makeObject(ActorKind::BARRIER, 13, 6 * 32, 4 * 32, {0, 31, c.stage, c.wanted});
    giveCells(barrier, 1, 1);
    cGame::stampFootprint(barrier, 0, 4, false);
    runKind(barrier);
    EXPECT_EQ(barrier->param(2), c.wanted);
    EXPECT_EQ(barrier->param(1), c.animationAfter);
    EXPECT_EQ(blocked(6, 4), c.blockedAfter);
  }
}

TEST_F(SceneStagedBarrierTest, ABarrierWithoutParamsStaysAsItIs) {
  cActor* barrier = makeActor(ActorKind::BARRIER, 6 * 32, 4 * 32);
  barrier->setFlag(ActorFlags::ACTIVE, true);
  giveCells(barrier, 1, 1);
  cGame::stampFootprint(barrier, 0, 4, false);
  ASSERT_EQ(barrier->params, nullptr);
  runKind(barrier);
  EXPECT_TRUE(blocked(6, 4));
}

class SceneItemDropTest : public SceneObjectFixture {};

TEST_F(SceneItemDropTest, OnlyAnItemOfTheTableIsDropped) {
  installSprite(23, {.animations = 3, .steps = 2});
  IntArray* record = newIntArray(7);
  record->set(0, 23);
  record->set(1, 2);
  cGame::setItemRecord(record, 5);
  for (int32_t itemId : {0, -1, 6, 30, 31}) {
    SCOPED_TRACE(itemId);
    EXPECT_EQ(cActor::dropItem(itemId, 100, 100, 0), nullptr);
  }
  cActor* hotspot = cActor::dropItem(5, 120, 140, 9);
  ASSERT_NE(hotspot, nullptr);
  EXPECT_EQ(hotspot->kind, ActorKind::COLLECTIBLE);
  EXPECT_EQ(hotspot->id, 9);
  EXPECT_EQ(hotspot->getPixelX(), 120);
  EXPECT_EQ(hotspot->getPixelY(), 140);
  ASSERT_NE(hotspot->player, nullptr);
  EXPECT_EQ(hotspot->player->anim, 2);
  EXPECT_EQ(hotspot->param(0), -1);
  EXPECT_EQ(hotspot->param(2), -1);
  EXPECT_EQ(hotspot->param(6), 5);
  EXPECT_TRUE(hotspot->hasFlag(ActorFlags::RESTORED) && hotspot->isActive());
  EXPECT_EQ(layerOrder().size(), 1u);
}

}  // namespace

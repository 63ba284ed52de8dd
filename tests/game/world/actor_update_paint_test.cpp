// The update pass and the per-actor step, the kind painters' gating, the
// foreground tiles repainted over actors, and speech balloons.
#include <gtest/gtest.h>

#include <string>

#include "game/world/cActorMC.h"
#include "tests/game/world/paint_recorder.h"
#include "tests/game/world/world_fixture.h"

namespace {

// The sprite paints recorded so far.
std::vector<worldkit::PaintRecord> spritePaints(const worldkit::PaintRecorder& recorder) {
  std::vector<worldkit::PaintRecord> out;
  for (const worldkit::PaintRecord& record : recorder.records())
    if (record.isSprite()) out.push_back(record);
  return out;
}

class ActorUpdatePaintTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    m_sprite = makeSprite(20, {{-8, -16, 16, 16}, {-4, -4, 8, 8}}, {{0}, {1}, {0, 1}}, 4);
  }

  cActor* shownActor(int32_t kind, int32_t x = 100, int32_t y = 100) {
    cActor* actor = makeActor(kind, x, y);
    actor->setSprite(m_sprite);
    actor->setAnim(0, -1);
    return actor;
  }

  ASprite* m_sprite = nullptr;
};

TEST_F(ActorUpdatePaintTest, UpdateRunsOncePerPassAndSkipsKilledActors) {
  cActor* actor = shownActor(63);
  actor->setBalloon(1, 1000, 0, 0);
  cActor::updateAll();
  EXPECT_TRUE(actor->updatedThisFrame);
  EXPECT_EQ(actor->balloon->get(1), 1000 - 62);
  actor->update();  // a second call in the same pass
  EXPECT_EQ(actor->balloon->get(1), 1000 - 62);
  actor->setFlag(ActorFlags::KILLED, true);
  cActor::updateAll();
  EXPECT_EQ(actor->balloon->get(1), 1000 - 62) << "no update at all while killed";
}

TEST_F(ActorUpdatePaintTest, TheWalkGoesOnPastActorsThatUnlinkThemselves) {
  cActor* discarded = makeActor(-1, 0, 10);
  cActor* ended = makeActor(5, 0, 20);  // an effect without a player has ended
  cActor* stays = shownActor(63, 0, 30);
  cActor* alsoDiscarded = makeActor(-1, 0, 40);
  cActor::updateAll();
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{stays}));
  EXPECT_EQ(discarded->layer, -1);
  EXPECT_EQ(ended->layer, -1);
  EXPECT_TRUE(alsoDiscarded->updatedThisFrame);
}

TEST_F(ActorUpdatePaintTest, AnEffectStaysWhileItsAnimationRunsOrItMoves) {
  cActor* effect = shownActor(5);
  effect->setAnim(0, 1);
  cActor::updateAll();
  EXPECT_EQ(effect->layer, 0) << "still playing";
  effect->player->over = 1;
  effect->moveTo(300, 100, 10, 0);
  cActor::updateAll();
  EXPECT_EQ(effect->layer, 0) << "moving: no kind behaviour";
  effect->moveRecord = nullptr;
  cActor::updateAll();
  EXPECT_EQ(effect->layer, -1);
}

TEST_F(ActorUpdatePaintTest, AMovingOrHeldActorDoesNotRunItsKindStep) {
  cActor* leader = shownActor(63, 100, 100);
  leader->id = 4;
  cActor* follower = makeActor(-1, 100, 100);
  follower->bindToActor(4, 0, 0, 0, 0);
  follower->moveTo(200, 100, 10, 0);
  leader->setX(120 << 8);
  cActor::updateAll();
  EXPECT_EQ(follower->layer, 0) << "moving: kind -1 is not removed yet";
  EXPECT_LT(follower->getPixelX(), 102) << "and it does not follow";
  follower->moveRecord = nullptr;
  follower->setFlag(ActorFlags::HELD, true);
  cActor::updateAll();
  EXPECT_EQ(follower->layer, 0) << "held: no kind step";
  EXPECT_EQ(follower->getPixelX(), 120) << "but it follows";
  play().behavioursEnabled = false;
  follower->setFlag(ActorFlags::HELD, false);
  cActor::updateAll();
  EXPECT_EQ(follower->layer, 0) << "behaviours off";
}

TEST_F(ActorUpdatePaintTest, PainterGatingByKindAndFlags) {
  struct Case {
    const char* what;
    int32_t kind;
    int32_t flags;
    int32_t paramIndex, paramValue;
    bool painted;
  };
  const Case cases[] = {
      {"effect", 5, 0, -1, 0, true},
      {"closed barrier", 13, ActorFlags::ACTIVE, -1, 0, true},
      {"open barrier", 13, 0, -1, 0, false},
      {"hidden object", 14, ActorFlags::HIDDEN, -1, 0, false},
      {"object held by its carrier", 14, 0, 13, 1, false},
      {"object", 14, 0, -1, 0, true},
      {"collectible", 16, ActorFlags::ACTIVE, 0, -1, true},
      {"inactive collectible", 16, 0, 0, -1, false},
      {"taken collectible", 16, ActorFlags::ACTIVE, 0, 3, false},
      {"blocker", 18, ActorFlags::ACTIVE, -1, 0, false},
      {"killed critter", 21, ActorFlags::KILLED, -1, 0, false},
      {"critter", 21, 0, -1, 0, true},
      {"inactive path", 29, 0, -1, 0, false},
      {"armed area trigger", 61, ActorFlags::ACTIVE, -1, 0, true},
      {"idle flag trigger", 62, 0, -1, 0, false},
      {"killed marker", 63, ActorFlags::KILLED | ActorFlags::ACTIVE, -1, 0, false},
      {"inactive marker", 63, 0, -1, 0, false},
      {"active marker", 63, ActorFlags::ACTIVE, -1, 0, true},
      {"contact area", 66, ActorFlags::ACTIVE, -1, 0, true},
      {"spent contact area", 66, ActorFlags::ACTIVE, 0, 6, false},
      {"unknown kind", 40, ActorFlags::ACTIVE, -1, 0, false},
  };
  for (const Case& c : cases) {
    cActor::releaseLayer(0);
    worldkit::PaintRecorder paints;
    cActor* actor = shownActor(c.kind);
    actor->flags = c.flags;
    IntArray* params = newIntArray(25);
    if (c.paramIndex >= 0) params->set(c.paramIndex, c.paramValue);
    if (c.kind == 66 && c.paramIndex == 0) params->set(2, -1);
    actor->setParams(params, 25);
    actor->paint();
    EXPECT_EQ(!spritePaints(paints).empty(), c.painted) << c.what;
  }
}

TEST_F(ActorUpdatePaintTest, AKilledActorWithAlwaysPaintIsPaintedButNotUpdated) {
  cActor* actor = shownActor(5);
  actor->flags = ActorFlags::KILLED;
  actor->alwaysPaint = true;
  actor->setBalloon(1, 500, 0, 0);
  cActor::updateAll();
  EXPECT_EQ(actor->balloon->get(1), 500);
  play().cameraPixelX = 40;
  play().cameraPixelY = 10;
  worldkit::PaintRecorder paints;
  actor->paint();
  const std::vector<worldkit::PaintRecord> painted = spritePaints(paints);
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(actor->screenX, 60);
  EXPECT_EQ(actor->screenY, 90);
  EXPECT_TRUE(painted[0].at(60, 90)) << painted[0].describe();
}

TEST_F(ActorUpdatePaintTest, PaintSelectsThePaletteWhereThePainterSaysSo) {
  worldkit::PaintRecorder paints;
  cActor* critter = shownActor(21);
  critter->palette = 2;
  critter->paint();
  cActor* slider = shownActor(17);
  slider->palette = 3;
  m_sprite->setPalette(1);
  slider->paint();
  const std::vector<worldkit::PaintRecord> painted = spritePaints(paints);
  ASSERT_EQ(painted.size(), 2u);
  EXPECT_EQ(painted[0].palette, 2);
  EXPECT_EQ(painted[1].palette, 1) << "a slider is painted without a palette change";
}

TEST_F(ActorUpdatePaintTest, ThePaintPassPaintsBackToFrontWithBalloonsAboveAll) {
  cActor* front = shownActor(63, 100, 200);
  front->flags |= ActorFlags::ACTIVE;
  cActor* back = shownActor(63, 100, 100);
  back->flags |= ActorFlags::ACTIVE;
  worldkit::PaintRecorder paints;
  cActor::paintLayer(0);
  EXPECT_TRUE(paints.paintedBefore([](const worldkit::PaintRecord& r) { return r.isSprite() && r.y == 100; },
                                   [](const worldkit::PaintRecord& r) { return r.isSprite() && r.y == 200; }));
}

TEST_F(ActorUpdatePaintTest, OccludingTilesAreRepaintedOnlyOnBitTwoCells) {
  CVLibPlayer::initLayerTables(800, 480, 32, 32);
  makeSprite(7, {{0, 0, 32, 32}, {0, 0, 32, 32}, {0, 0, 32, 32}}, {{0, 1, 2}});
  makeSprite(9, {{0, 0, 32, 32}, {0, 0, 32, 32}, {0, 0, 32, 32}}, {{0, 1, 2}});
  auto bytes = [](std::vector<uint8_t> values) {
    ByteArray* array = newByteArray(static_cast<int32_t>(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->set(static_cast<int32_t>(i), static_cast<int8_t>(values[i]));
    return array;
  };
  // 4 x 3 cells; layer 0 has tile 1 everywhere but an empty cell.
  ByteArray* header = bytes({4, 0, 3, 0});
  std::vector<uint8_t> plane(12, 1);
  plane[1 * 4 + 2] = 255;
  CVLibPlayer::loadLayer(0, header, bytes(plane), nullptr, sprite(7), false, 16, 0, 0);
  cGame::createCollisionMap(4, 3);
  auto mark = [](int32_t column, int32_t row, int32_t value) {
    static_cast<ByteArray*>(toolkitStatics().cGameCollision.collisionMap->get(column))->set(row, static_cast<int8_t>(value));
  };
  mark(1, 1, 2);
  mark(2, 1, 2);  // the empty tile: nothing to repaint
  mark(1, 2, 4);  // another bit
  // A frame covering cells (1..2, 1..2): the rect 40..80 x 40..80.
  cActor* actor = makeActor(63, 48, 56);
  actor->setSprite(makeSprite(21, {{-8, -16, 40, 40}}, {{0}}));
  actor->setAnim(0, -1);
  actor->flags |= ActorFlags::ACTIVE;
  worldkit::PaintRecorder paints;
  actor->paint();
  std::vector<std::pair<int32_t, int32_t>> repainted;
  for (const worldkit::PaintRecord& record : paints.records()) {
    if (record.kind == worldkit::PaintKind::spriteFrame && record.spriteSlot == 7) repainted.push_back({record.x, record.y});
  }
  EXPECT_EQ(repainted, (std::vector<std::pair<int32_t, int32_t>>{{32, 32}}));
}

TEST_F(ActorUpdatePaintTest, BalloonCountsDownToASilentPauseThenEnds) {
  cActor* actor = shownActor(63);
  actor->setBalloon(7, 100, 0, 0);
  setTimeStep(62);
  actor->tickBalloon();
  EXPECT_EQ(actor->balloon->get(0), 7);
  actor->tickBalloon();
  ASSERT_NE(actor->balloon, nullptr);
  EXPECT_EQ(actor->balloon->get(0), -1);
  EXPECT_EQ(actor->balloon->get(1), 10000);
  setTimeStep(9999);
  actor->tickBalloon();
  EXPECT_NE(actor->balloon, nullptr);
  setTimeStep(1);
  actor->tickBalloon();
  EXPECT_EQ(actor->balloon, nullptr);

  actor->setBalloon(3, -1, 0, 0);
  EXPECT_EQ(actor->balloon->get(1), 0x7FFFFFFF);
  setTimeStep(1000);
  for (int i = 0; i < 100; ++i) actor->tickBalloon();
  EXPECT_EQ(actor->balloon->get(0), 3) << "a negative time never runs out";
}

TEST_F(ActorUpdatePaintTest, ChatterOnlyWithoutABalloonAndAlwaysForThreeSeconds) {
  cActor* actor = shownActor(63);
  IntArray* texts = newIntArray(2);
  texts->set(0, 11);
  texts->set(1, 12);
  actor->chatter(texts, 100);
  ASSERT_NE(actor->balloon, nullptr);
  EXPECT_TRUE(actor->balloon->get(0) == 11 || actor->balloon->get(0) == 12);
  EXPECT_EQ(actor->balloon->get(1), 3000);
  actor->balloon->set(0, 99);
  actor->chatter(texts, 100);
  EXPECT_EQ(actor->balloon->get(0), 99) << "a balloon is shown: nothing starts";
  actor->clearBalloon();
  actor->chatter(texts, 0);
  EXPECT_EQ(actor->balloon->get(0), -1) << "0 percent: a silent pause";
}

}  // namespace

namespace {

class BalloonPaintTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    installSprite(5);   // the font: no character map, so every glyph is its stand-in
    installSprite(12);  // the tail
    cActor::loadBalloonSprite();
    m_body = makeSprite(20, {{-10, -50, 20, 50}}, {{0}});
  }
  // The balloon's outer box: the first rectangle filled.
  std::array<int32_t, 4> balloonBox(int32_t x, int32_t y, const char* text) {
    cActor* actor = makeActor(63, x, y);
    actor->setSprite(m_body);
    actor->setAnim(0, -1);
    actor->screenX = x;
    actor->screenY = y;
    worldkit::PaintRecorder paints;
    cActor::paintBalloon(actor, newString(text), 0, 0);
    for (const worldkit::PaintRecord& record : paints.records()) {
      if (record.is(GraphicsCallKind::fillRect)) return {record.values[0], record.values[1], record.values[2], record.values[3]};
    }
    ADD_FAILURE() << "no balloon painted";
    return {};
  }
  ASprite* m_body = nullptr;
};

TEST_F(BalloonPaintTest, AShortLineGetsTheSmallestBoxAboveTheHead) {
  const auto [x, y, w, h] = balloonBox(400, 300, "Hi");
  EXPECT_GE(w, 60);
  EXPECT_EQ(h, 40);
  EXPECT_EQ(x, 400 - w / 2);
  EXPECT_EQ(y, 300 - 50 - 40 - 10) << "above the 50-pixel frame";
}

TEST_F(BalloonPaintTest, TheBoxIsKeptOnTheScreen) {
  EXPECT_EQ(balloonBox(400, 20, "Hi")[1], 0) << "pushed down to the top";
  const std::array<int32_t, 4> right = balloonBox(795, 300, "Hi");
  EXPECT_EQ(right[0] + right[2], 800) << "pushed left to the right edge";
  EXPECT_EQ(balloonBox(5, 300, "Hi")[0], 0);
}

TEST_F(BalloonPaintTest, OnlyShownBalloonsOfPaintedActorsArePaintedAfterThePass) {
  cActor* speaker = makeActor(63, 300, 300);
  speaker->setSprite(m_body);
  speaker->setAnim(0, -1);
  speaker->flags |= ActorFlags::ACTIVE;
  speaker->setBalloon(-1, 1000, 0, 0);  // a silent pause shows nothing
  cActor::paintLayer(0);
  worldkit::PaintRecorder paints;
  cGame::paintActorBalloons();
  EXPECT_EQ(paints.count([](const worldkit::PaintRecord& r) { return r.is(GraphicsCallKind::fillRect); }), 0);
}

}  // namespace

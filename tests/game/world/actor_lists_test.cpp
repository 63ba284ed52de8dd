// The layer list in depth order, re-sorting after moves, the display list's
// quicksort and its bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/game/world/world_fixture.h"

namespace {

class ActorListsTest : public WorldFixture {
 protected:
  // The order in which paintLayer hands actors to paint: the display list.
  static std::vector<cActor*> displayOrder() {
    std::vector<cActor*> order;
    for (int32_t i = 0; i < lists().displayCount; ++i) order.push_back(static_cast<cActor*>(lists().displayList->get(i)));
    return order;
  }
  static ObjectArray* listOf(const std::vector<cActor*>& actors) {
    ObjectArray* list = newObjectArray(static_cast<int32_t>(actors.size()));
    for (size_t i = 0; i < actors.size(); ++i) list->set(static_cast<int32_t>(i), actors[i]);
    return list;
  }
  static std::vector<cActor*> contentsOf(ObjectArray* list) {
    std::vector<cActor*> out;
    for (int32_t i = 0; i < list->length(); ++i) out.push_back(static_cast<cActor*>(list->get(i)));
    return out;
  }
};

TEST_F(ActorListsTest, DepthKeyAddsItsFieldsSoNegativeCoordinatesCarry) {
  cActor* a = makeActor(63, -1, 5);
  EXPECT_EQ(a->getDepthKey(), 5 * (int64_t{1} << 20) - 1);
  cActor* b = makeActor(63, 0, 5);
  cActor* c = makeActor(63, (1 << 20) - 1, 4);
  EXPECT_LT(a->getDepthKey(), b->getDepthKey());
  EXPECT_EQ(a->getDepthKey(), c->getDepthKey()) << "x -1 on row 5 is the last x of row 4";
  cActor* path = makeActor(29, 0, 0, -999);
  EXPECT_LT(path->getDepthKey(), a->getDepthKey());
  EXPECT_EQ(cActor::compareDepth(b, a), -1);
  EXPECT_EQ(cActor::compareDepth(a, b), 1);
  EXPECT_EQ(cActor::compareDepth(a, c), 1) << "equal keys answer 1";
}

TEST_F(ActorListsTest, InsertionKeepsKeyOrderAndPutsANewEqualKeyLast) {
  cActor* low = makeActor(63, 0, 100);
  cActor* first = makeActor(63, 50, 200);
  cActor* high = makeActor(63, 0, 300);
  cActor* second = makeActor(63, 50, 200);
  cActor* front = makeActor(63, 0, 0, 1);  // a greater z, whatever its y
  cActor* head = makeActor(63, 0, 10);
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{head, low, first, second, high, front}));
  EXPECT_EQ(head->prevInLayer, nullptr);
  EXPECT_EQ(front->nextInLayer, nullptr);
}

TEST_F(ActorListsTest, UnlinkingMendsBothNeighboursAndTheHead) {
  cActor* a = makeActor(63, 0, 1);
  cActor* b = makeActor(63, 0, 2);
  cActor* c = makeActor(63, 0, 3);
  b->unlink();
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{a, c}));
  EXPECT_EQ(c->prevInLayer, a);
  EXPECT_EQ(b->layer, -1);
  EXPECT_EQ(b->nextInLayer, nullptr);
  a->unlink();
  EXPECT_EQ(cActor::layerHead(0), c);
  EXPECT_EQ(c->prevInLayer, nullptr);
  b->unlink();  // not in a list: nothing changes
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{c}));
  cActor::releaseLayer(0);
  EXPECT_EQ(cActor::layerHead(0), nullptr);
  EXPECT_EQ(c->layer, -1);
}

TEST_F(ActorListsTest, RepositionMovesOnlyAnActorOutOfPlace) {
  cActor* a = makeActor(63, 0, 100);
  cActor* b = makeActor(63, 0, 200);
  cActor* c = makeActor(63, 0, 300);
  c->setY(150 << 8);  // up past b
  c->reposition();
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{a, c, b}));
  a->setY(400 << 8);  // down past everyone
  a->reposition();
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{c, b, a}));
  b->setY(201 << 8);  // still between its neighbours
  b->reposition();
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{c, b, a}));
}

TEST_F(ActorListsTest, ResortMovedPlacesEveryMoverAndClearsTheFlags) {
  std::vector<cActor*> actors;
  for (int i = 0; i < 6; ++i) actors.push_back(makeActor(63, 0, 100 * i));
  cActor::resortMoved(0);
  // Three movers in both directions, and one moved and moved back.
  actors[0]->setY(450 << 8);
  actors[5]->setY(50 << 8);
  actors[3]->setY(150 << 8);
  actors[2]->setY(201 << 8);
  actors[2]->setY(200 << 8);
  cActor::resortMoved(0);
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{actors[5], actors[1], actors[3], actors[2], actors[4], actors[0]}));
  for (cActor* actor : actors) EXPECT_FALSE(actor->hasFlag(ActorFlags::MOVED));
  // Same keys as before: nothing moves.
  actors[2]->setY(200 << 8);
  actors[2]->flags |= ActorFlags::MOVED;
  cActor::resortMoved(0);
  EXPECT_EQ(layerOrder()[3], actors[2]);
}

TEST_F(ActorListsTest, QuicksortOrdersDistinctKeysLikeAReference) {
  std::mt19937 shuffle(7);
  for (int round = 0; round < 20; ++round) {
    std::vector<cActor*> actors;
    const int count = 1 + round * 7;
    for (int i = 0; i < count; ++i) actors.push_back(makeActor(63, i % 13, i, i % 3));
    std::shuffle(actors.begin(), actors.end(), shuffle);
    ObjectArray* list = listOf(actors);
    cActor::sortDisplayList(list, 0, count - 1);
    std::vector<cActor*> expected = actors;
    std::sort(expected.begin(), expected.end(),
              [](cActor* a, cActor* b) { return a->getDepthKey() < b->getDepthKey(); });
    EXPECT_EQ(contentsOf(list), expected) << count << " actors";
  }
}

TEST_F(ActorListsTest, QuicksortPlacesEqualKeysByItsOwnSteps) {
  cActor* a = makeActor(63, 5, 5);
  cActor* b = makeActor(63, 5, 5);
  cActor* c = makeActor(63, 5, 5);
  ObjectArray* list = listOf({a, b, c});
  cActor::sortDisplayList(list, 0, 2);
  EXPECT_EQ(contentsOf(list), (std::vector<cActor*>{b, c, a}));
  ObjectArray* empty = newObjectArray(0);
  cActor::sortDisplayList(empty, 0, -1);  // nothing to do
}

TEST_F(ActorListsTest, PaintLayerListsOnlyOnScreenActorsBackToFront) {
  play().cameraPixelX = 0;
  play().cameraPixelY = 0;
  cActor* near = makeActor(63, 100, 300);
  cActor* far = makeActor(63, 100, 100);
  cActor* offScreen = makeActor(63, 2000, 100);
  cActor* front = makeActor(63, 100, 50, 2);
  cActor::paintLayer(0);
  EXPECT_EQ(displayOrder(), (std::vector<cActor*>{far, near, front}));
  (void)offScreen;

  cActor::releaseLayer(0);
  cActor::paintLayer(0);
  EXPECT_EQ(lists().displayCount, 0) << "an empty room paints nothing";
}

TEST_F(ActorListsTest, TheDisplayListLeavesOutActorsPastTwoHundred) {
  std::vector<cActor*> actors;
  for (int i = 0; i < 201; ++i) actors.push_back(makeActor(63, i, 100));
  testing::internal::CaptureStdout();
  cActor::paintLayer(0);
  cActor::paintLayer(0);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(lists().displayCount, 200);
  EXPECT_EQ(lists().displayList->length(), 200);
  EXPECT_EQ(displayOrder().back(), actors[199]);
  EXPECT_NE(log.find("More than 200 actors on screen"), std::string::npos);
  EXPECT_EQ(log.find("More than 200", log.find("More than 200") + 1), std::string::npos) << "said once";
}

TEST_F(ActorListsTest, InitDisplayListReleasesTheRoom) {
  makeActor(63, 0, 0);
  makeActor(63, 0, 0);
  ObjectArray* before = lists().displayList;
  cActor::initDisplayList();
  EXPECT_EQ(cActor::layerHead(0), nullptr);
  EXPECT_EQ(lists().displayCount, 0);
  EXPECT_NE(lists().displayList, before);
  EXPECT_EQ(lists().displayList->length(), 200);
}

}  // namespace

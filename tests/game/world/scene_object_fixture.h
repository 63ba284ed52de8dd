#pragma once
// The scene objects' tests: the player's fixture in an open room, with
// scene objects of any kind made from their params, footprints counted in
// cells and one kind behaviour stepped at a time.
#include <vector>

#include "tests/game/world/player_fixture.h"

class SceneObjectFixture : public PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    makeOpenRoom();
  }

  // An actor of kind at pixel (x, y) with that id and params (25 of them,
  // the first ones given), switched on unless told otherwise.
  static cActor* makeObject(int32_t kind, int32_t id, int32_t px, int32_t py, std::vector<int32_t> values = {},
                            bool active = true) {
    cActor* object = makeActor(kind, px, py);
    object->id = id;
    IntArray* params = newIntArray(25);
    for (size_t i = 0; i < values.size(); ++i) params->set(static_cast<int32_t>(i), values[i]);
    object->setParams(params, 25);
    object->setFlag(ActorFlags::ACTIVE, active);
    return object;
  }
  // A footprint of w x h cells from the actor's cell.
  static void giveCells(cActor* actor, int32_t w, int32_t h) {
    actor->footprint = newIntArray(4);
    actor->footprint->set(2, w);
    actor->footprint->set(3, h);
  }
  // One frame of the actor's own update.
  static void runKind(cActor* actor) {
    actor->updatedThisFrame = false;
    actor->update();
  }
  static bool blocked(int32_t column, int32_t row) { return cGame::testCollision(column, row, 4); }
};

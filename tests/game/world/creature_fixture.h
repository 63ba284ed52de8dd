#pragma once
// Creatures and people on a free map of 40 x 20 cells (1280 x 640 px) with
// the angle tables loaded, sprites in the slots they use, the camera at the
// map's corner and every stand-in's call heard.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "game/shell/StandIns.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/MathHelpers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "tests/game/world/world_fixture.h"
#include "tools/compiler/MathTablePack.h"

namespace creaturekit {

inline std::vector<std::string>& heard() {
  static std::vector<std::string> calls;
  return calls;
}
inline std::map<std::string, int32_t>& answers() {
  static std::map<std::string, int32_t> table;
  return table;
}
inline int32_t recordStandIn(const char* name, int32_t value) {
  heard().push_back(name);
  const auto it = answers().find(name);
  return it != answers().end() ? it->second : value;
}
inline int heardCount(const std::string& name) {
  return static_cast<int>(std::count(heard().begin(), heard().end(), name));
}

}  // namespace creaturekit

class CreatureFixture : public WorldFixture {
 protected:
  static constexpr int creatureSlot = 16;
  static constexpr int animationCount = 70;

  void SetUp() override {
    WorldFixture::SetUp();
    creaturekit::heard().clear();
    creaturekit::answers().clear();
    standInHook() = &creaturekit::recordStandIn;
    IntArray* cosines = newIntArray(cosTableLength);
    const std::vector<int32_t> table = tools::quarterWaveCosine();
    std::copy(table.begin(), table.end(), cosines->elements());
    toolkitStatics().cGameMath.cosTable = cosines;
    // Every frame 20 x 40 standing on its point: creatures need many
    // animations, not distinct boxes.
    worldkit::TestSpriteDescription description{.animations = animationCount, .steps = 4};
    description.frameBox = [](int) { return worldkit::TestFrameBox{-10, -40, 20, 40}; };
    description.stepOffset = [](int, int) { return worldkit::TestStepOffset{0, 0}; };
    for (int slot : {creatureSlot, 19, 28, 51}) installSprite(slot, description);
    installMap(std::vector<std::string>(20, std::string(40, '.')));
    play().cameraPixelX = 0;
    play().cameraPixelY = 0;
  }
  void TearDown() override {
    standInHook() = nullptr;
    WorldFixture::TearDown();
  }

  // The collision map from its picture, and map layer 0 of the same size
  // (the room's size).
  static void installMap(const std::vector<std::string>& rows) {
    installCollisionMap(rows);
    const int columns = static_cast<int>(rows.front().size());
    const int height = static_cast<int>(rows.size());
    CVLibPlayer::initLayerTables(800, 480, 32, 32);
    ByteArray* header = newByteArray(4);
    header->set(0, static_cast<int8_t>(columns & 0xFF));
    header->set(1, static_cast<int8_t>(columns >> 8));
    header->set(2, static_cast<int8_t>(height & 0xFF));
    header->set(3, static_cast<int8_t>(height >> 8));
    CVLibPlayer::loadLayer(0, header, newByteArray(columns * height), nullptr, nullptr, false, 16, 0, 0);
  }

  // An awake creature at (x, y) px facing left, of that type and options.
  static cActorEnemy* makeCreature(int32_t x, int32_t y, int32_t type = cActorEnemy::ORDINARY, int32_t options = 0,
                                   int32_t maxHp = 50) {
    IntArray* position = newIntArray(3);
    position->set(0, x << 8);
    position->set(1, y << 8);
    cActorEnemy* creature = cActorEnemy::create(ActorKind::CREATURE, 0, position);
    creature->setParam(0, type);
    creature->setParam(16, options);
    creature->setParam(22, maxHp);
    creature->setSprite(sprite(creatureSlot));
    creature->setAnim(1, -1);  // the left-facing standing picture
    creature->hp = maxHp;
    creature->shownHp = maxHp;
    creature->reset();
    creature->flags |= ActorFlags::ACTIVE;
    creature->setInteractBox(-16, -32, 32, 32);
    return creature;
  }

  // The focus character at (x, y) px, with a pixel footprint.
  static cActorMC* makeHero(int32_t x, int32_t y) {
    IntArray* position = newIntArray(3);
    position->set(0, x << 8);
    position->set(1, y << 8);
    cActorMC* hero = cActorMC::create(ActorKind::PLAYER, 0, position);
    hero->id = 1;
    hero->hp = 100;
    hero->setParams(newIntArray(8), 8);
    hero->setFootprint(0, 0, 40, 16);
    cGame::setFocusActor(hero);
    play().playerControl = true;
    return hero;
  }

  // One frame of the update pass over every actor.
  static void updateFrame(int32_t ms = framePeriod) {
    stepFrame(ms);
    cActor::updateAll();
  }
};

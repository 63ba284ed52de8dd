#pragma once
// The player character's tests: a room of 32-pixel cells drawn as text (map
// layer 0 of the same size), a character sprite with every animation the
// player plays, the focus character placed in pixels, the keys of a frame
// set as the latch would, and the stand-ins' calls heard in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "game/shell/StandIns.h"
#include "game/toolkit/MathHelpers.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "tests/game/world/world_fixture.h"
#include "tools/compiler/MathTablePack.h"

namespace playertest {

inline std::vector<std::pair<std::string, int32_t>>& heard() {
  static std::vector<std::pair<std::string, int32_t>> calls;
  return calls;
}
inline std::map<std::string, int32_t>& answers() {
  static std::map<std::string, int32_t> table;
  return table;
}
inline int32_t recordStandIn(const char* name, int32_t value) {
  heard().emplace_back(name, value);
  const auto it = answers().find(name);
  return it != answers().end() ? it->second : value;
}

// GameKeys.
constexpr int32_t UP = 1, DOWN = 2, LEFT = 3, RIGHT = 4, FIRE = 5, HASH = 17;

}  // namespace playertest

class PlayerFixture : public WorldFixture {
 protected:
  static constexpr int32_t characterSprite = 16;
  static constexpr int32_t creatureSprite = 27;

  static worldkit::TestFrameBox characterBox(int) { return {-16, -48, 32, 48}; }

  void SetUp() override {
    WorldFixture::SetUp();
    playertest::heard().clear();
    playertest::answers().clear();
    standInHook() = &playertest::recordStandIn;
    CVLibPlayer::initLayerTables(800, 480, 32, 32);
    installSprite(characterSprite, {.animations = 110, .steps = 2, .palettes = 4, .frameBox = characterBox});
    installSprite(creatureSprite, {.animations = 2, .steps = 2});
    cGame::createItemTable();
    play().playerControl = true;
  }
  void TearDown() override {
    standInHook() = nullptr;
    WorldFixture::TearDown();
  }

  // The cosine table angles are measured with.
  static void installMathTables() {
    IntArray* cosines = newIntArray(cosTableLength);
    const std::vector<int32_t> table = tools::quarterWaveCosine();
    std::copy(table.begin(), table.end(), cosines->elements());
    toolkitStatics().cGameMath.cosTable = cosines;
  }

  // The room: '.' free, '#' blocked for walking; layer 0 of the same size.
  static void makeRoom(const std::vector<std::string>& rows) {
    const int columns = static_cast<int>(rows.front().size());
    const int height = static_cast<int>(rows.size());
    ByteArray* header = newByteArray(4);
    header->set(0, static_cast<int8_t>(columns));
    header->set(2, static_cast<int8_t>(height));
    CVLibPlayer::loadLayer(0, header, newByteArray(columns * height), nullptr, nullptr, false, 16, 0, 0);
    installCollisionMap(rows, {{'#', 1}});
  }
  // An open room of 40 x 20 cells with a wall around it.
  static void makeOpenRoom() {
    std::vector<std::string> rows(20, "#" + std::string(38, '.') + "#");
    rows.front() = rows.back() = std::string(40, '#');
    makeRoom(rows);
  }

  // A partner at pixel (x, y), facing down, with 100 of 100 hit points,
  // stamina 1000 of 1000, fifteen empty item slots; the focus actor unless
  // told otherwise.
  cActorMC* makePlayer(int32_t px, int32_t py, int32_t partner = 0, bool focus = true, int32_t id = 1) {
    IntArray* position = newIntArray(3);
    position->set(0, px << 8);
    position->set(1, py << 8);
    cActorMC* player = cActorMC::create(ActorKind::PLAYER, 0, position);
    player->id = id;
    player->partnerIndex = partner;
    player->hp = 100;
    IntArray* params = newIntArray(9);
    params->set(3, 100);
    params->set(4, 1000);
    params->set(5, 1000);
    player->setParams(params, 9);
    player->items = newObjectArray(15);
    player->setSprite(sprite(characterSprite));
    player->setFootprint(0, 0, 32, 16);
    player->facing = DirectionMask::DOWN;
    player->reset();
    if (focus) {
      cGame::setFocusActor(player);
      if (partner == 0) play().firstPartner = player;
    }
    return player;
  }

  cActorEnemy* makeCreature(int32_t px, int32_t py) {
    IntArray* position = newIntArray(3);
    position->set(0, px << 8);
    position->set(1, py << 8);
    cActorEnemy* creature = cActorEnemy::create(ActorKind::CREATURE, 0, position);
    creature->hp = 50;
    creature->setFlag(ActorFlags::ACTIVE, true);
    creature->setSprite(sprite(creatureSprite));
    return creature;
  }

  // The keys of the next frame: newly pressed, held.
  static void setKeys(std::initializer_list<int32_t> pressed, std::initializer_list<int32_t> held) {
    cGameKeyStatics& keys = shellStatics().cGameKeys;
    keys.framePressed = keys.frameHeld = keys.frameReleased = 0;
    for (int32_t k : pressed) keys.framePressed |= 1 << k;
    for (int32_t k : held) keys.frameHeld |= 1 << k;
  }
  static void tap(int32_t key) {
    setKeys({key}, {});
    shellStatics().cGameKeys.frameReleased = 1 << key;
  }

  // One frame of play for the character: the clock moves on, it updates,
  // and the keys go (a held set stays held).
  static void frame(cActorMC* player, int32_t ms = framePeriod) {
    stepFrame(ms);
    for (cActor* a = cActor::layerHead(0); a != nullptr; a = a->nextInLayer) a->updatedThisFrame = false;
    player->update();
    cGameKeyStatics& keys = shellStatics().cGameKeys;
    keys.framePressed = keys.frameReleased = 0;
  }

  static bool wasHeard(const std::string& name) {
    return std::any_of(playertest::heard().begin(), playertest::heard().end(),
                       [&](const auto& call) { return call.first == name; });
  }
  static int32_t timesHeard(const std::string& name) {
    return static_cast<int32_t>(std::count_if(playertest::heard().begin(), playertest::heard().end(),
                                              [&](const auto& call) { return call.first == name; }));
  }
  // The value the last call of name was reported with, or -999.
  static int32_t lastValue(const std::string& name) {
    for (auto it = playertest::heard().rbegin(); it != playertest::heard().rend(); ++it) {
      if (it->first == name) return it->second;
    }
    return -999;
  }
};

#pragma once
// A room written in the level source (tests/game/world/rooms/), assembled
// and loaded into the world as a room load would: the tables the records
// fill are made fresh first.
#include <fstream>
#include <iterator>
#include <string>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "tools/compiler/LevelAssembler.h"

namespace worldkit {

inline tools::AssembledLevel loadSourceRoom(const std::string& file) {
  shellStatics().cGameShared.combinationTable = newObjectArray(20);
  cGame::resetActionTable();
  cGame::resetRoutePoints();
  cGame::initCameraZones();
  std::ifstream in(std::string(QUENDRILL_TEST_ROOMS_DIR) + "/" + file);
  const std::string source(std::istreambuf_iterator<char>(in), {});
  tools::AssembledLevel room = tools::assembleLevel(source, file, {.progress = 0});
  ByteArray* data = newByteArray(static_cast<int32_t>(room.bytes.size()));
  for (size_t i = 0; i < room.bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(room.bytes[i]));
  cGame::loadRoomObjects(data);
  return room;
}

}  // namespace worldkit

#pragma once
// What a room's level data sets up: the tile-set byte of its header, the
// header's palette switch for the player's sprite, the action the room
// starts with, the creature the story aims at, a spawner's children, the
// route points and the room snapshot.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ByteArray;
class IntArray;
class ObjectArray;
class cActor;

struct cGameRoomStatics {
  static constexpr int32_t routePointCapacity = 40;
  static constexpr int32_t snapshotBytes = 30720;
  int32_t roomSpriteSet;     // chooses the room's tile sprites (entries 6t + 2, 6t + 4, 6t + 6)
  bool roomAltPalette;       // palette 1 of the player's sprite
  int32_t startActionIndex;  // index into the action table, -1 none
  cActor* targetActor;
  ObjectArray* spawnedObjects;  // Object[10]
  IntArray* pathNodes;          // int[160]: {id, x px, y px, next id} per point
  int32_t pathNodeCount;
  ByteArray* roomSnapshot;  // byte[30720] or null
  int32_t snapshotAction;   // the start action the snapshot was written with, -1 none
  int32_t snapshotTrigger;  // id of the trigger that wrote it
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameRoomStatics::targetActor, &cGameRoomStatics::spawnedObjects,
                              &cGameRoomStatics::pathNodes, &cGameRoomStatics::roomSnapshot};
  }
};

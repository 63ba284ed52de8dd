#pragma once
// The world's statics: one struct per class, reached as worldStatics().cActor.
#include <cstdint>
#include <tuple>

#include "game/world/cGameRoomStatics.h"
#include "runtime/object/ReferenceFields.h"

class ObjectArray;

struct cActorStatics {
  ObjectArray* layerHeads;   // ObjectArray of 1
  ObjectArray* displayList;  // ObjectArray of 200
  int32_t displayListCount;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActorStatics::layerHeads, &cActorStatics::displayList};
  }
};

struct WorldStatics {
  cActorStatics cActor;
  cGameRoomStatics cGameRoom;
  auto parts() { return std::tie(cActor, cGameRoom); }
};

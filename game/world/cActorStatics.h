#pragma once
// cActor's class statics: the layer lists' heads and the frame's display
// list.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ObjectArray;

struct cActorStatics {
  ObjectArray* layerHeads;   // Object[1]: the first actor of each layer list
  ObjectArray* displayList;  // Object[200]: this frame's painted actors, back to front
  int32_t displayCount;
  bool displayOverflowLogged;  // more than 200 on screen was said once
  // An area trigger switched actor 244 on in progress 9: it goes off again
  // when the focus character leaves.
  bool areaSwitchBack;
  // Kind-25 objects latched onto the focus character.
  int8_t latchCount;
  static constexpr int32_t displayCapacity = 200;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActorStatics::layerHeads, &cActorStatics::displayList};
  }
};

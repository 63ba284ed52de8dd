#pragma once
// cGame's collision table: byte[columns][rows] of cell bits, one cell per
// 32 x 32 pixels of the room.
#include "runtime/object/ReferenceFields.h"

class ObjectArray;

struct cGameCollisionStatics {
  ObjectArray* collisionMap;  // null until a level makes it
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameCollisionStatics::collisionMap}; }
};

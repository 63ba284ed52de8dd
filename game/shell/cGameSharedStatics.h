#pragma once
// The statics of cGame's shared operations: the results of the chapter just
// finished, the animation speed switch of cutscenes and the item
// combination table the level data fills.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class ObjectArray;

struct cGameSharedStatics {
  IntArray* results;              // int[13]
  ObjectArray* combinationTable;  // Object[20] of int[3], made per level load; null slots are free
  bool fullSpeedAnimation;        // set by the cutscene driver while a cutscene runs

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameSharedStatics::results, &cGameSharedStatics::combinationTable};
  }
};

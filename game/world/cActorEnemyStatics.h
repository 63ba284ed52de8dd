#pragma once
// cActorEnemy's class statics: the creatures' remarks and two work arrays.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;

struct cActorEnemyStatics {
  IntArray* idleRemarks;     // int[4] of text ids
  IntArray* alarmedRemarks;  // int[4] of text ids
  IntArray* workA;           // int[6]
  IntArray* workB;           // int[8]
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActorEnemyStatics::idleRemarks, &cActorEnemyStatics::alarmedRemarks,
                              &cActorEnemyStatics::workA, &cActorEnemyStatics::workB};
  }
};

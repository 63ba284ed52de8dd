#pragma once
// cGame's trigonometry tables.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class Object;

struct cGameMathStatics {
  // int[65]: the quarter-wave cosine in 8.8, angles 0..64; entry 0 of the
  // trigonometry pack, stored here by the loading step.
  IntArray* cosTable;
  // int[257]: built from cosTable at the first angleOf.
  IntArray* arctangentTable;
  // Entry 1 of the trigonometry pack: loaded with the cosines, read by nothing.
  Object* secondTable;
  // A missing cosine table was logged; cleared when a table is loaded.
  uint8_t missingCosinesLogged;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameMathStatics::cosTable, &cGameMathStatics::arctangentTable,
                              &cGameMathStatics::secondTable};
  }
};

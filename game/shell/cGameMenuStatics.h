#pragma once
// The one menu list of the front end: its row words, selection and window,
// and the row each menu remembers.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;

namespace MenuRow {
inline constexpr int32_t textBits = 0x0FFFFFFF;
inline constexpr int32_t highlight = 0x20000000;
inline constexpr int32_t newArrow = 0x40000000;
inline constexpr int32_t marked = static_cast<int32_t>(0x80000000u);
inline constexpr int32_t capacity = 20;
}  // namespace MenuRow

struct cGameMenuStatics {
  IntArray* listRows;  // int[20] row words
  int32_t listCount;
  int32_t listSelected;
  int32_t listFirst;
  int32_t listVisible;
  IntArray* menuMemory;  // int[5], one row word per menu
  bool newArrowShown;    // the last paint drew a row's "new" arrow
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameMenuStatics::listRows, &cGameMenuStatics::menuMemory};
  }
};

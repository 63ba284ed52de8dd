#pragma once
// The timed key-prompt popup: up to three key icons in places 0..2, each
// with its animation player, the clock of the tap being waited for, what a
// success or a failure runs, and how far the player has got.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class ObjectArray;

struct cGamePopupStatics {
  static constexpr int32_t places = 3;

  IntArray* popupIcons;  // int[3]: icon ids 1..36, 0 for an empty place
  int32_t popupElapsed;  // ms since the last counted tap
  int32_t popupTimeLimit;
  int32_t popupSuccessAction;  // action ids, -1 none
  int32_t popupFailureAction;
  int32_t popupMode;            // 0 closed, 1 opened, 2 waiting, 3 succeeded, 4 failed
  ObjectArray* popupPlayers;    // CVLibPlayer[3]; null once an icon's animation is over
  int32_t popupCurrent;         // place touched last, -1 after a close
  bool popupCounterAttack;      // a success makes the player strike back
  bool popupResultTaken;        // the popup closes only once it is set
  int32_t popupTaps;            // icons tapped so far
  int32_t popupFinished;        // bit n: the icon in place n has been tapped
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGamePopupStatics::popupIcons, &cGamePopupStatics::popupPlayers};
  }
};

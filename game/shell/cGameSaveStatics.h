#pragma once
// cGame's saved game: the settings and progress kept in record 1 of the
// saved-game store, and the store open at the moment. The sound switch is
// the sound bank's (cGameSound.soundOn).
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class javax_microedition_rms_RecordStore;

struct cGameSaveStatics {
  javax_microedition_rms_RecordStore* openStore;  // null when none is open
  IntArray* availableLanguages;                   // int[1] = {0}
  // int[6]: items 1..3 of the first partner, then of the second. Made by
  // the class initialiser, so a load always has an array to fill.
  IntArray* partnerItemCounts;
  int32_t language;
  bool savedFlagA;
  bool savedFlagB;
  bool savedFlagC;
  int32_t chaptersOpen;  // 0..10
  bool resultsFlag;
  int32_t resultsCounter;  // kept as s16: 0..32767 from the results

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameSaveStatics::openStore, &cGameSaveStatics::availableLanguages,
                              &cGameSaveStatics::partnerItemCounts};
  }
};

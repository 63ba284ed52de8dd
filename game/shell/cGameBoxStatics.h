#pragma once
// The screen transition, the modal message box, the delayed confirmation
// shared with the menu list, and the softkeys. messageBoxShown,
// messageBoxChoice, screenDirty and hudHidden live with the state machine.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class String;

namespace PendingAction {
inline constexpr int32_t none = 0;
inline constexpr int32_t startLoading = 1;
inline constexpr int32_t showBox = 2;
inline constexpr int32_t hideBox = 3;
inline constexpr int32_t afterLoading = 4;
}  // namespace PendingAction

struct cGameBoxStatics {
  int64_t transitionClock;      // 0..300 ms
  int32_t transitionDirection;  // 1 opening, -1 closing, 0 still
  int32_t pendingAction;
  bool messageBoxAnswered;
  int32_t messageBoxButtons;  // 0 text only, 1 two buttons
  int32_t messageBoxTextId;   // -1 for a ready string
  String* messageBoxText;
  String* messageBoxLines;  // wrapped at 720 px
  int32_t messageBoxTextHeight;
  bool messageBoxBackAllowed;
  bool confirmRequested;
  int32_t confirmFrames;
  bool confirmDone;
  int32_t leftSoftkey;
  int32_t rightSoftkey;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameBoxStatics::messageBoxText, &cGameBoxStatics::messageBoxLines};
  }
};

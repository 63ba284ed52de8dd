#pragma once
// The state machine's statics beside the toolkit's share (currentState,
// stateChangePending and paused live in cGameStateStatics), and the screen
// flags the machine and the frame consult.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ObjectArray;

struct cGameStateMachineStatics {
  int32_t previousState;
  int32_t nextState;
  bool stateEntering;
  int32_t framesInState;
  int32_t timeInState;
  bool messageBoxShown;
  int32_t messageBoxChoice;
  bool screenDirty;
  bool hudHidden;
  bool menuSuspended;
  ObjectArray* twoEntryTable;  // made by GameState 1
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameStateMachineStatics::twoEntryTable};
  }
};

#pragma once
// The shell's state that toolkit code reads: written by the shell's state
// machine and pause handling, kept here so that the toolkit builds without
// the shell.
#include <cstdint>

struct cGameStateStatics {
  bool paused;              // true while the game is paused
  int32_t currentState;     // the state machine's current state
  bool stateChangePending;  // a state change is waiting for the next update
};

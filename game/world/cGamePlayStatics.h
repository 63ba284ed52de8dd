#pragma once
// The world's share of cGame's statics for a frame of play: the camera's
// whole-pixel position, the switches of the update pass, the focus actor,
// the timer ring and what the kind painters report to the HUD.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ASprite;
class cActor;

struct cGamePlayStatics {
  int32_t cameraPixelX;  // taken from map layer 0 at each update
  int32_t cameraPixelY;
  bool behavioursEnabled;  // the kind behaviours run this frame
  bool playerControl;
  cActor* focusActor;
  // The focus character's pixel position after its last move: where a move
  // past a one-sided blocker comes from.
  int32_t lastFocusX;
  int32_t lastFocusY;
  // Timer ring: -1 off, 0 opening, 1 running, 2 closing.
  int32_t ringMode;
  bool highlightPresent;     // a highlightable object was painted this frame
  bool hudActionHighlight;   // the HUD shows its action button highlighted
  bool actionButtonEnabled;  // the HUD offers its action button
  int32_t areaTriggerCount;  // kept by the area trigger
  ASprite* balloonTailFrame;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGamePlayStatics::focusActor, &cGamePlayStatics::balloonTailFrame};
  }
};

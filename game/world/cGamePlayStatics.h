#pragma once
// The world's share of cGame's statics for a frame of play: the camera's
// whole-pixel position, the switches of the update pass, the focus actor,
// the timer ring and what the kind painters report to the HUD.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ASprite;
class CVLibPlayer;
class cActor;
class cActorMC;

struct cGamePlayStatics {
  int32_t cameraPixelX;  // taken from map layer 0 at each update
  int32_t cameraPixelY;
  bool behavioursEnabled;  // the kind behaviours run this frame
  bool menuBlocked;        // the in-game menu may not open this frame
  bool playerControl;
  cActor* focusActor;
  // The focus character's pixel position after its last move: where a move
  // past a one-sided blocker comes from.
  int32_t lastFocusX;
  int32_t lastFocusY;
  cActorMC* firstPartner;  // the kind-10 characters of partner index 0 and 1
  cActorMC* secondPartner;
  // Timer ring: -1 off, 0 opening, 1 running, 2 closing.
  int32_t ringMode;
  int32_t ringElapsed;  // ms in the current mode
  int32_t ringDuration;
  cActor* ringAnchor;
  int32_t ringX;  // screen pixels
  int32_t ringY;
  CVLibPlayer* overlayPlayer;  // advanced by each frame of normal play
  bool highlightPresent;     // a highlightable object was painted this frame
  bool hudActionHighlight;   // the HUD shows its action button highlighted
  bool actionButtonEnabled;  // the HUD offers its action button
  bool healButtonEnabled;    // the HUD offers its heal button
  // The player has something in reach to use (the HUD reads it).
  bool interactionAvailable;
  int32_t damageFlashTime;  // ms the HUD flashes the player's damage
  int32_t areaTriggerCount;  // kept by the area trigger
  ASprite* balloonTailFrame;
  // What the side-view action marker points at besides the player: the
  // object a machine-making spawner made, or null.
  cActor* sideViewTarget;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGamePlayStatics::focusActor,    &cGamePlayStatics::firstPartner,
                              &cGamePlayStatics::secondPartner, &cGamePlayStatics::ringAnchor,
                              &cGamePlayStatics::overlayPlayer, &cGamePlayStatics::balloonTailFrame,
                              &cGamePlayStatics::sideViewTarget};
  }
};

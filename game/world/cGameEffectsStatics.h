#pragma once
// Transient effects that are not actors: up to ten effect animations, the
// falling streaks, the marker over an actor, the carried-object icon and the
// aim brackets. The timed notice's statics are the shell's (it paints them).
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ByteArray;
class CVLibPlayer;
class IntArray;
class ObjectArray;
class cActor;

struct cGameEffectsStatics {
  static constexpr int32_t effectSlots = 10;
  static constexpr int32_t particleCapacity = 200;
  // Made together on first use, dropped together once every slot is free.
  ObjectArray* effectPlayers;  // CVLibPlayer[10]; null entries are free
  IntArray* effectTimeLeft;    // ms
  IntArray* effectWorldX;      // pixels, -1 free
  ByteArray* effectAtTop;      // 1: screen y 25, 0: screen y 450
  IntArray* particleX;         // screen positions of the streaks
  IntArray* particleY;
  int32_t particleMode;  // 0 off, 2 heavy (200 streaks), else light (50)
  bool particlesStopping;
  CVLibPlayer* markerPlayer;
  cActor* markerActor;  // the actor the marker was last shown over
  int32_t markerX;      // world pixels
  int32_t markerY;
  bool markerShown;
  bool markerPainted;
  bool markerForced;  // shown over a pushable block
  bool carriedIconShown;
  // In the side view, what the marker shows over besides the character: the
  // object a spawner made for it; null when none.
  cActor* sideViewTarget;
  CVLibPlayer* aimCornerPlayer;
  // The ranged aim: {size, ..., x at 7, y at 8} in screen pixels; set by the
  // player's aim, null when none.
  IntArray* aimRecord;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameEffectsStatics::effectPlayers, &cGameEffectsStatics::effectTimeLeft,
                              &cGameEffectsStatics::effectWorldX,  &cGameEffectsStatics::effectAtTop,
                              &cGameEffectsStatics::particleX,     &cGameEffectsStatics::particleY,
                              &cGameEffectsStatics::markerPlayer,  &cGameEffectsStatics::markerActor,
                              &cGameEffectsStatics::sideViewTarget,
                              &cGameEffectsStatics::aimCornerPlayer,
                              &cGameEffectsStatics::aimRecord};
  }
};

#pragma once
// The camera's share of cGame's statics: the view's position, what it
// follows and how, the timed pan, the shake, and the room's camera zones.
// Positions are 24.8 fixed point unless said otherwise.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class ObjectArray;
class cActor;

struct cGameCameraStatics {
  static constexpr int32_t zoneCapacity = 100;

  int32_t cameraMode;  // 0 timed pan, 1 follow with look-ahead
  int32_t cameraX;     // the view's top-left corner in the world
  int32_t cameraY;
  int32_t cameraLeadX;  // look-ahead, subtracted from the followed position
  int32_t cameraLeadY;
  cActor* cameraTarget;
  int32_t cameraPanX;  // cleared whenever the target is set
  int32_t cameraPanY;
  int32_t panElapsed;  // ms
  int32_t panDuration;  // ms
  int32_t panStartX;   // the camera when the pan began
  int32_t panStartY;
  bool zoneClamp;  // keep the view inside the current zone
  // The side-view style's vertical scroll: a frame moves it by
  // timeStep x sideViewSpeed x 32 / 1000.
  int32_t sideViewSpeed;
  // The shake: offsets and amplitudes 24.8, speeds 24.8 per ms.
  int32_t shakeOffsetX;
  int32_t shakeOffsetY;
  int32_t shakeSpeedX;
  int32_t shakeSpeedY;
  int32_t shakeAmplitudeX;
  int32_t shakeAmplitudeY;
  int32_t shakeTimeLeft;  // ms
  int32_t lastZone;  // the zone the previous update saw, -1 none
  int32_t mapLayerOffsetX;  // px, moves the map layers during some cutscenes
  int32_t mapLayerOffsetY;
  // Zones in the order the level data added them: int[100] ids, and
  // Object[100] of int[4] {x, y, w, h} in pixels. The inner rectangle makes a
  // zone current; the outer one is what the view is kept in.
  IntArray* zoneIds;
  ObjectArray* zoneOuter;
  ObjectArray* zoneInner;
  int32_t zoneCount;
  int32_t currentZone;  // -1 none
  bool outsideZones;    // the target is in no outer rectangle: layer 3 shows
  // {x, y, w, h} 24.8, set by the camera band (kind 67); null until then.
  IntArray* sideViewLimits;
  // A wrapping camera band (kind 67) moved the view back by this much
  // (24.8); the first pursuer of the pass takes it along.
  int32_t bandWrapOffset;
  // Set when the chase ends: the band's wrapping is over.
  bool bandWrapRequest;
  // The camera's pixel position as the last stop at the one-sided blockers
  // left it: a blocker holds the view only from the side it was seen from.
  int32_t lastCameraPixelX;
  int32_t lastCameraPixelY;

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameCameraStatics::cameraTarget, &cGameCameraStatics::zoneIds,
                              &cGameCameraStatics::zoneOuter, &cGameCameraStatics::zoneInner,
                              &cGameCameraStatics::sideViewLimits};
  }
};

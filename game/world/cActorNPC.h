#pragma once
// cActorNPC (class id 117): another character of the room (kind 11): it
// stands, plays its animations, speaks in balloons and can be talked to.
#include <cstdint>

#include "game/world/cActor.h"

class cActorNPC : public cActor {
 public:
  using Super = cActor;
  static constexpr uint16_t classId = classid::cActorNPC;

  static cActorNPC* create(int32_t kind, int32_t layer, IntArray* position);
  void* lookupInterface(int32_t interfaceId) override;
  void paint() override;

  // The actor may talk to this character now (cActorCharacterSeams.cpp
  // until the person lands).
  bool canTalkTo(cActor* actor);

  int32_t npcTag = -1;
  int32_t moveMode;
  int32_t npcWork[3];
  int32_t direction;
  int32_t modeDirection;
  int32_t speedX;
  int32_t speedY;
  int32_t walkWork;
  int32_t brakeFrames;
  int32_t signX = 1;
  int32_t signY = 1;
  bool cornerAssisted;
  int32_t standAnim;
  int32_t talkMode;
  int32_t talkEvent = -1;
};

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

  // --- slots (cActorNPC.cpp)
  void reset() override;
  void update() override;
  void kill() override;
  void paint() override;
  // The actor's footprint meets its interaction box, and its mode and talk
  // settings allow a conversation.
  bool canTalkTo(cActor* actor);

  // --- the speed model and the step mover (cActorNPCMovement.cpp)
  // Modes: 0 stand, 1 walk, 3 run, 4 brake, 5 braked.
  void setMode(int32_t mode);
  // The mode chain the update runs (only the brake chain is ever reached).
  void stepMode();
  // Moves by (dx, dy) in 24.8, 16 px at a time; false when a step was
  // blocked, after aligning to the cell grid and a corner step.
  bool stepMove(int32_t mask, int32_t dx, int32_t dy, int32_t cornerOffset);


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

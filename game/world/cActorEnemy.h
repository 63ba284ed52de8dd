#pragma once
// cActorEnemy (class id 115): a creature (kind 12). Its behaviour is one
// state machine; ACTIVE is its wake bit.
#include <cstdint>

#include "game/world/cActor.h"

class cActorEnemy : public cActor {
 public:
  using Super = cActor;
  static constexpr uint16_t classId = classid::cActorEnemy;
  static constexpr int32_t paramLength = 30;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActorEnemy::homePoint, &cActorEnemy::effectPlayer, &cActorEnemy::linkedActor,
                              &cActorEnemy::markerPlayer, &cActorEnemy::coneWork};
  }

  // Its own params array of 30 comes with it.
  static cActorEnemy* create(int32_t kind, int32_t layer, IntArray* position);
  void init();
  void* lookupInterface(int32_t interfaceId) override;
  void paint() override;

  // Every awake creature's view cone, over the actors.
  static void paintCones();

  // Its own slots (14 and 15 after the root's six).
  virtual bool isFacingRight();
  virtual int32_t getStateAnim();

  // --- what the player character asks of a creature
  // (cActorCharacterSeams.cpp until the creature lands)
  bool takeBlow(int32_t blowKind, int32_t blowDirection, int32_t damage);
  bool isDefeated();
  bool isIdleOrdinary();
  bool isOutOfPlay();
  // Stunned or collapsed: open to the strong blow.
  bool isStunnedOrCollapsed();
  bool isSubdued();
  bool blocksStrongBlow();

  int32_t state;
  int32_t resumeState;
  int32_t subState;
  int32_t pushDirection;
  int32_t direction;
  int32_t viewAngle;
  int32_t walkSpeed;
  int32_t landingY;
  bool falling;
  int32_t patrolNode;
  IntArray* homePoint;  // {x, y} pixels
  int32_t lifeTimer;
  int32_t shownHp;
  bool hasEffect;
  CVLibPlayer* effectPlayer;
  cActor* linkedActor;
  CVLibPlayer* markerPlayer;
  IntArray* coneWork;  // the traced view-cone edges
  int32_t useVariant;
  int32_t lastAnim;
  int32_t lastAnimLoops;
};

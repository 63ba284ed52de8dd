#pragma once
// cActorMC (class id 116): the character the player steers: the two
// partners (kind 10, told apart by partnerIndex) and the variant of kind 22.
// Driven by the direction and action keys; one of them is the focus actor.
#include <cstdint>

#include "game/world/cActor.h"

class cActorMC : public cActor {
 public:
  using Super = cActor;
  static constexpr uint16_t classId = classid::cActorMC;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActorMC::overlayPlayer,    &cActorMC::barrierInReach,   &cActorMC::objectInReach,
                              &cActorMC::characterInReach, &cActorMC::hotspotInReach,   &cActorMC::grabTarget,
                              &cActorMC::shotTarget,       &cActorMC::pushable,         &cActorMC::liftableInReach,
                              &cActorMC::linkedActor,      &cActorMC::companion,        &cActorMC::targetPoint,
                              &cActorMC::enemiesInReach,   &cActorMC::breakablesInReach, &cActorMC::moversInReach,
                              &cActorMC::othersInReach,    &cActorMC::items,            &cActorMC::beamTarget,
                              &cActorMC::carriedIcon};
  }

  static cActorMC* create(int32_t kind, int32_t layer, IntArray* position);
  // The constructor's body: the work arrays, the timers without a period.
  void init();
  void* lookupInterface(int32_t interfaceId) override;
  void paint() override;

  // Its own slots (14 and 15 after the root's six).
  virtual bool isFocusCharacter();
  virtual int32_t getActionAnim();

  // --- the state machine, companions and carried items
  // (cActorCharacterSeams.cpp until the character's own files land)
  void setState(int32_t s);
  // Out of hit points or in the defeat state.
  bool isDefeated();
  void attachCompanion(cActorMC* actor, int32_t companionId);
  void detachCompanion();
  // The lowest slot 0..14 holding item id, -1 when none.
  int32_t findInventorySlot(int32_t id);
  // The slot, or -1 when refused or full.
  int32_t addItem(int32_t id, int32_t amount, bool notify);
  // The side-view control's action flag 0 or 1.
  bool hasSideViewAction(int32_t which);
  // The horizontal direction mask it does not face.
  int32_t oppositeHorizontalFacing();
  // The carried-object picture and the label over the focus character.
  void paintExtras();

  // --- the carried-object icon (cGameEffects.cpp)
  void showCarriedIcon(int32_t anim);
  void updateCarriedIcon();
  void hideCarriedIcon();

  int32_t state;
  int32_t stateBeforeHit;
  int32_t actionCode;
  int32_t queuedAction;
  int32_t abilityFlags;  // bit 1: may not attack or push
  int32_t stateTimer = -1;
  int32_t partnerIndex;
  int32_t sinceAction;
  int32_t facing;
  int32_t hitDirection;
  int32_t stateFacing;
  int32_t speedX;
  int32_t speedY;
  int32_t stopFrames;
  int32_t dirX = 1;
  int32_t dirY = 1;
  int32_t followSpeed;
  bool nudged;
  bool comboOpen;
  bool enemyNear;
  bool enemyOnScreen;
  bool enemyBehind;
  bool enemyStaggered;
  bool backAttackRequest;
  bool strongAttackRequest;
  bool overlayActive;
  CVLibPlayer* overlayPlayer;
  cActor* barrierInReach;
  cActor* objectInReach;
  cActor* characterInReach;
  cActor* hotspotInReach;
  cActor* grabTarget;
  cActor* shotTarget;
  cActor* pushable;
  cActor* liftableInReach;
  cActor* linkedActor;
  cActorMC* companion;
  IntArray* targetPoint;
  ObjectArray* enemiesInReach;  // Object[10]
  int32_t enemyCount;
  ObjectArray* breakablesInReach;  // Object[10]
  int32_t breakableCount;
  ObjectArray* moversInReach;  // Object[4]
  int32_t moverCount;
  ObjectArray* othersInReach;  // Object[10]
  int32_t otherCount;
  int32_t damageTimeLeft;
  int32_t damageElapsed;
  int32_t damageInterval = 0x7FFFFFFF;
  int32_t damageSource;
  int32_t lastSide;
  int32_t lastAnim;
  int32_t lastAnimLoops;
  ObjectArray* items;  // Object[15]
  IntArray* beamTarget;
  // The auto-scroll control's gauge.
  int32_t autoScrollGauge = 60;
  CVLibPlayer* carriedIcon;
};

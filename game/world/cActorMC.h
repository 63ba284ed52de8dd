#pragma once
// cActorMC (class id 116): the character the player steers: the two
// partners (kind 10, told apart by partnerIndex) and the variant of kind 22.
// Driven by the direction and action keys; one of them is the focus actor.
#include <cstdint>

#include "game/world/cActor.h"

struct cActorMCStatics;

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
  // The class initialiser: the offset tables and the ranged ability's work
  // arrays.
  static void clinit();
  static cActorMCStatics& statics();
  // The constructor's body: the work arrays, the timers without a period.
  void init();
  void* lookupInterface(int32_t interfaceId) override;

  // --- slots (cActorMCStates.cpp, cActorMCPaint.cpp)
  void reset() override;
  void addHealth(int32_t n) override;
  IntArray* getFrameRect() override;
  void update() override;
  void kill() override;
  // Scripts' move: speedX, speedY as cActor::moveTo's speed and ms.
  void moveTo(int32_t targetX, int32_t targetY, int32_t speedX, int32_t speedY) override;
  bool updateMove() override;
  void paint() override;
  // Its own slots (14 and 15 after the root's six).
  virtual bool isFocusCharacter();
  virtual int32_t getActionAnim();

  // --- states (cActorMCStates.cpp)
  void setState(int32_t s);
  // Out of hit points or in the defeat state.
  bool isDefeated();
  bool isVariant22() const { return kind == ActorKind::PLAYER_VARIANT; }
  // A blow taken: kind 0, 1 or 2 (2 throws it down), the push direction and
  // the damage. False when already hit or defeated.
  bool enterHit(int32_t hitKind, int32_t direction, int32_t damage);
  // A hop to pixel (x, y); false while one runs.
  bool startHop(int32_t px, int32_t py);
  void heal(int32_t n);
  void takeDamage(int32_t n);
  // Hit points += n, capped at 100.
  void addHitPointsCapped(int32_t n);
  // A period of damage every interval ms; false for interval < 1 or in state 100.
  bool startDamageTimer(int32_t interval);
  void clearDamageTimer();
  void tickDamageTimer();
  bool isHandlingBlock() const { return state == 10 || state == 11; }
  // The focus character and key 5 or 11 newly pressed.
  bool actionKeyPressed();
  void attachCompanion(cActorMC* actor, int32_t companionId);
  void detachCompanion();
  bool followsCompanion();
  void setRunDirection(int32_t d);
  // The side-view control's contact flag A (0) or B (1).
  bool hasSideViewAction(int32_t which);

  // --- facing
  void setFacing(int32_t mask);
  void setFacingSingleAxis(int32_t mask, bool noVertical);
  void setFacingKeepAxis(int32_t mask);
  void setDirFromMask(int32_t mask);
  int32_t horizontalFacing() const;
  int32_t oppositeHorizontalFacing() const;
  // 0 for left or none, 1 for right, up or down.
  int32_t isFacingRight() const;
  // 0 up, 1 left, 2 down, 3 right.
  int32_t facingIndex() const;

  // --- animations (cActorMCAnims.cpp)
  void playStateAnim(int32_t s, int32_t mask);
  void playStateAnimAlt(int32_t s, int32_t mask);
  // The animation of the current state, for either partner.
  void playCurrentStateAnim();
  bool isAnimEnded() const;

  // --- walking and collision probing (cActorMCWalking.cpp)
  static int32_t pressedDirection();
  static int32_t heldDirection(int32_t pressed);
  static int32_t pressedDirectionPlain();
  static int32_t heldDirectionPlain(int32_t pressed);
  static int32_t releasedDirection();
  static int32_t notHeldDirection(int32_t held);
  static int32_t maskOfCode(int32_t code);
  static int32_t codeOfMask(int32_t mask);
  static bool isInSector(int32_t code, int32_t angle);
  // The facing index (0 up, 1 left, 2 down, 3 right) of a direction code.
  static int32_t facingIndexOfCode(int32_t code);
  bool isPushingBackward();
  bool moveWithCollision(int32_t direction, int32_t amountX, int32_t amountY, int32_t nudge);
  void stepAround(int32_t speed);
  void aimAtPoint(cActor* from, int32_t px, int32_t py);
  void facingFromParams();
  int32_t angleTo(cActor* other);
  int32_t directionTo(cActor* other, bool turn);

  // --- actions (cActorMCActions.cpp)
  void scanSurroundings(int32_t direction, int32_t reach, int32_t width);
  int32_t chooseActionCode(int32_t previous);
  void setAction(int32_t code);
  // The attack choice on entering state 8: the state to take (8, or 22
  // when attacks are barred and nothing breakable is in reach).
  int32_t chooseAttack();
  void updateFacingAndAction();
  bool interactWith(cActor* character);
  int32_t collectHotspot(cActor* hotspot);
  void pickUp(cActor* object);

  // --- the ranged ability of partner 1 (cActorMCAim.cpp)
  void updateAim(int32_t mask, bool keepCode, bool readKey);
  void scanTargets();
  cActor* selectedAimTarget();
  bool isAimingStraight();
  bool isRingShown();
  void setBeamTarget(cActor* target);
  void paintBeam();
  void updateAiming();
  void updateAimWalk();
  void updateShot();
  void updateAutoAim();
  // The free step's check of a following partner 1.
  void checkAutoAim();

  // --- carried items (cActorMCItems.cpp)
  // The lowest slot 0..14 holding item id, -1 when none.
  int32_t findInventorySlot(int32_t id);
  int32_t firstFreeItemSlot();
  // The slot, or -1 when refused or full.
  int32_t addItem(int32_t id, int32_t amount, bool notify);
  int32_t giveItem(int32_t id);
  bool useItem(int32_t slot);
  bool canUseItemSlot(int32_t slot);
  // Healing by key or button: the first of items 1, 2, 3 carried.
  void useHealingItem();

  // --- auto-scroll control (cActorMCAutoScroll.cpp)
  void updateAutoScroll();
  void moveAutoScroll(int32_t mask, int32_t sx, int32_t sy);
  void tickAutoScrollHurt();
  void resetAutoScroll();

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
  // The side-view rooms' running control.
  int32_t homeDirection;
  int32_t struggleGauge = 60;  // at most 120
  int8_t struggleFrames;
  int64_t struggleAnimTime;
  bool hurt;
  bool contactFlagA;
  bool contactFlagB;
  bool seizeFlag;
  // Set by the camera bands (kind 67) with effects 5 and 6; the riser
  // clears them.
  bool bandFlagA;
  bool bandFlagB;
  int32_t hurtTime;
  int32_t verticalStep;
  CVLibPlayer* carriedIcon;
  // The defeat's caption or cinematic has been opened.
  bool defeatAnnounced;

 private:
  // False when the update ends without its tail.
  bool stepState(int32_t held, int32_t pressed);
  void freeStep(int32_t held, int32_t pressed);
  void useWhatIsInReach();
  bool updateFollow();
  void updateHop();
  void updateHit();
  void updatePickUp();
  void updateCarrying(int32_t held, int32_t pressed);
  void updatePutDown();
  void releaseBlock();
  void onDefeatEntered();
  void announceDefeatIfEnded();
  void applySpeedRule();
};

#pragma once
// cActorEnemy (class id 115): a creature (kind 12). Its behaviour is one
// state machine; ACTIVE is its wake bit. The animation shown always follows
// the state.
//
// Files: cActorEnemy.cpp (life cycle, blows, reinforcements),
// cActorEnemyUpdate.cpp (the per-frame step and the state table),
// cActorEnemyFight.cpp (chase, strike, sweep, grab, hit reaction),
// cActorEnemyAnimation.cpp (the animation choice per type),
// cActorEnemyMovement.cpp (facing, walking, detours),
// cActorEnemySight.cpp (sight test and view cone),
// cActorEnemyRetreat.cpp (the caller's retreat and volley),
// cActorEnemyPaint.cpp (painter and health bar).
#include <cstdint>

#include "game/world/cActor.h"

class cActorMC;

class cActorEnemy : public cActor {
 public:
  using Super = cActor;
  static constexpr uint16_t classId = classid::cActorEnemy;
  static constexpr int32_t paramLength = 30;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActorEnemy::homePoint, &cActorEnemy::effectPlayer, &cActorEnemy::linkedActor,
                              &cActorEnemy::markerPlayer, &cActorEnemy::coneWork};
  }

  // Behaviour types (params[0]).
  static constexpr int32_t ORDINARY = 0, LEADER = 1, CALLER = 2;
  // Option bits (params[16]).
  static constexpr int32_t OPTION_PATROLS = 1, OPTION_WEARS_OUT = 2, OPTION_MAY_STAY_SUBDUED = 16,
                           OPTION_VIEW_CONE = 32, OPTION_UNLINK_OUT_OF_PLAY = 256, OPTION_SUBDUED = 0x200;
  // Reinforcements one caller may have alive at once: each is an actor of
  // the display list, the scripts' actor table and the room snapshot, all of
  // which are bounded.
  static constexpr int32_t reinforcementCap = 4;

  // Its own params array of 30 comes with it.
  static cActorEnemy* create(int32_t kind, int32_t layer, IntArray* position);
  // The constructor's body: the home point and the cone's work array.
  void init();
  // The remark tables and the work arrays.
  static void clinit();
  void* lookupInterface(int32_t interfaceId) override;

  // --- slots
  void reset() override;
  void addHealth(int32_t n) override;
  bool isOnScreen() override;
  void update() override;
  void animate() override;
  void kill() override;
  // Pixels; speed and ms as cActor::moveTo.
  void moveTo(int32_t x, int32_t y, int32_t speed, int32_t ms) override;
  bool updateMove() override;
  void paint() override;
  // Its own slots (14 and 15 after the root's six): 1 for right, up or
  // down, 0 for left or none; and the attack animation of the variant.
  virtual bool isFacingRight(int32_t mask);
  virtual int32_t getStateAnim(int32_t mask);

  // --- states and their entry actions (cActorEnemyUpdate.cpp)
  void setState(int32_t newState, int32_t param);
  void stepState();

  // --- tests
  bool isDefeated() const { return hp < 1 || state == 104; }
  bool isOutOfPlay() const { return state == 26 || state == 100; }
  bool isIdleOrdinary() const {
    return (state == 0 || state == 1 || state == 105) && behaviourType() != LEADER && behaviourType() != CALLER;
  }
  bool isSubdued() const { return hp >= 1 && state == 107; }
  bool isDying() const { return state == 666; }
  bool isBusy() const { return state != 22 && state != 23; }
  bool isStunnedOrCollapsed() const { return state == 102 || state == 106; }
  // What the player's scan asks: a creature that takes no part in the fight
  // (subdued, dying or out of play) is not available; one that idles
  // unalarmed is not engaging; a stunned or collapsed one is open to the
  // strong blow.
  bool isAvailable() const { return !isSubdued() && !isDying() && state != 104; }
  bool isNotEngaging() const { return isIdleOrdinary() || isSubdued(); }
  bool isOpenToStrongBlow() const { return isStunnedOrCollapsed(); }
  // No creature's table says when one would turn the strong blow aside.
  bool blocksStrongBlow() const { return false; }
  int32_t behaviourType() const { return param(0); }
  int32_t options() const { return param(16); }
  bool hasOption(int32_t bits) const { return (options() & bits) != 0; }
  bool wearsOut() const { return hasOption(OPTION_WEARS_OUT); }

  // --- blows, defeat and reinforcements (cActorEnemy.cpp)
  void onHit();
  void subdue();
  // False in state 100 or when already defeated.
  bool takeBlow(int32_t blowKind, int32_t direction, int32_t damage);
  void startDying(int32_t phase);
  // False when the route point does not exist or the caller already has
  // reinforcementCap reinforcements alive.
  bool callReinforcement(int32_t pathNodeId);
  void callReinforcements();
  int32_t countLiveReinforcements();

  // --- animation (cActorEnemyAnimation.cpp)
  void applyBehaviour();
  int32_t chooseAnimation(int32_t& loops);
  void playAnimation(int32_t anim, int32_t loops);

  // --- the fight (cActorEnemyFight.cpp)
  void stepChase();
  void stepStrike();
  void stepSweep();
  void stepGrab();
  void stepHitReaction();
  // On alert: a leader raises the alarm; a cone carrier faces the focus
  // and enters 25, any other plainState; a caller then retreats and calls.
  void raiseAlert(bool withCallerStep, int32_t plainState);

  // --- movement (cActorEnemyMovement.cpp); points in pixels
  void faceToward(int32_t px, int32_t py, int32_t flags);
  void setDirectionFromHeading();
  void faceTile(cActor* actor);
  bool isNear(int32_t px, int32_t py, int32_t tolerance) const;
  // One walking step; true when it moved. dir -1 walks the heading at
  // speed pixels per second, a direction mask at speed 24.8 units a frame.
  bool walk(int32_t speed, int32_t dir);
  void detour(int32_t speed);
  bool isBlockedHere();
  void grabFocus();
  // (246 x max + 102 x min) >> 8 of the pixel offsets.
  static int32_t approximateDistance(int32_t dx, int32_t dy);

  // --- sight (cActorEnemySight.cpp)
  bool sees(cActor* actor);
  void traceCone(cActor* target);
  void paintCone();
  // Every awake creature's view cone, over the actors.
  static void paintCones();

  // --- the caller's retreat and volley (cActorEnemyRetreat.cpp)
  void retreatStep(int32_t px, int32_t py, int32_t speed);
  void throwVolley(int32_t px, int32_t py);

  // --- painting (cActorEnemyPaint.cpp)
  void paintHealthBar();

  // --- helpers shared by the creature's files
  // The actor as a creature, or null for anything else (a plain actor may
  // carry kind 12).
  static cActorEnemy* asCreature(cActor* actor);
  // The width value of a binding record rounded down to a whole 256 after
  // adding 128 is below 23040: a narrow perch.
  static bool isNarrowBinding(IntArray* record);
  static cActor* focusActor();
  static cActorMC* focusCharacter();
  // The next draw of the game's Random (0 without one).
  static int32_t nextRandom();
  // |r| mod n of the next draw, never negative: the timers and the volley
  // drawn from it must not come out below zero.
  static int32_t randomBelow(int32_t n);
  bool animationEnded() const;
  bool atLastFrame() const;
  int32_t animationFrame() const;
  // The horizontal facing: 0x1010 or 0x2040.
  int32_t horizontalFacing() const;
  int32_t countDown();
  // Within reach d x w of the focus character in the creature's facing.
  bool isWithinReach(cActor* target, int32_t reach, int32_t vertical) const;
  bool hasClearLine(cActor* target, int32_t mask) const;


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
  int32_t detourSide;
  bool volleyThrown;  // the current throw has thrown its volley
  // The id of the caller that called this creature (0 for the room's own).
  int32_t callerId;
};

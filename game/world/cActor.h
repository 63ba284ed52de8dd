#pragma once
// cActor (class id 114): every object of a room. One class carries all scene
// objects; what an object does is chosen by its kind (ActorKind) and by the
// kind switches of the update and paint passes. The characters that need
// more state are the subclasses cActorMC, cActorEnemy and cActorNPC.
//
// Positions are 24.8 fixed point (pixels x 256), read back as pixels by
// (v + 128) >> 8.
//
// All actors of a room live in layer list 0, a doubly linked list kept in
// ascending DepthKey order; each paint copies the on-screen ones into the
// display list, sorts it and paints it back to front.
#include <cstdint>

#include "runtime/object/Object.h"

class ASprite;
class CVLibPlayer;
class cActorEnemy;
class IntArray;
class ObjectArray;
class String;
struct cActorStatics;

// Bits of cActor::flags.
namespace ActorFlags {
constexpr int32_t MOVED = 1;       // x, y or z changed since the last re-sort
constexpr int32_t KIND_STATE = 2;  // the kind behaviour's own state bit
constexpr int32_t KILLED = 4;      // out of play: not updated, painted only with alwaysPaint
constexpr int32_t ACTIVE = 8;      // switched on
constexpr int32_t HIDDEN = 64;     // not painted
constexpr int32_t HELD = 256;      // held by a script: slow animation, no kind behaviour
constexpr int32_t RESTORED = 512;
}  // namespace ActorFlags

// Values of cActor::kind.
namespace ActorKind {
constexpr int32_t DISCARDED = -1;
constexpr int32_t EFFECT = 5;
constexpr int32_t PLAYER = 10;
constexpr int32_t NPC = 11;
constexpr int32_t CREATURE = 12;
constexpr int32_t BARRIER = 13;
constexpr int32_t BLOCKING_OBJECT = 14;
constexpr int32_t MOVER = 15;
constexpr int32_t COLLECTIBLE = 16;
constexpr int32_t SLIDER = 17;
constexpr int32_t ONE_SIDED_BLOCKER = 18;
constexpr int32_t SENSOR = 19;
constexpr int32_t PATH_HAZARD = 20;
constexpr int32_t CRITTER = 21;
constexpr int32_t PLAYER_VARIANT = 22;
constexpr int32_t BEHAVIOUR_MACHINE = 23;
constexpr int32_t SPAWNER = 24;
constexpr int32_t SPAWNED = 25;
constexpr int32_t FALLING_OBJECT = 27;
constexpr int32_t THROWN_OBJECT = 28;
constexpr int32_t PATH = 29;
constexpr int32_t BARRIER_SWITCH = 60;
constexpr int32_t AREA_TRIGGER = 61;
constexpr int32_t FLAG_TRIGGER = 62;
constexpr int32_t MARKER = 63;
constexpr int32_t KEY_OBJECT = 64;
constexpr int32_t SNAPSHOT_TRIGGER = 65;
constexpr int32_t CONTACT_AREA = 66;
constexpr int32_t CAMERA_BAND = 67;
constexpr int32_t EMITTER = 68;
}  // namespace ActorKind

// The direction masks of key bits.
namespace DirectionMask {
constexpr int32_t UP = 0x404;
constexpr int32_t DOWN = 0x900;
constexpr int32_t LEFT = 0x1010;
constexpr int32_t RIGHT = 0x2040;
}  // namespace DirectionMask

class cActor : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::cActor;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActor::boundActor, &cActor::bindRecord,  &cActor::moveRecord,  &cActor::balloon,
                              &cActor::neighbours, &cActor::nextInLayer, &cActor::prevInLayer, &cActor::chainNext,
                              &cActor::params,     &cActor::player,      &cActor::interactBox, &cActor::footprint,
                              &cActor::triggerBox, &cActor::contactBox};
  }

  static cActorStatics& statics();

  // The virtual operations in slot order. Counted after the six every object
  // has, they are slots 1..13 (reset is 1); counted from the table's start,
  // as the player character's operations are numbered, they are 6..18:
  //   1/6 reset, 2/7 setSprite, 3/8 setAnimEx, 4/9 setAnim, 5/10 addHealth,
  //   6/11 getFrameRect, 7/12 isOnScreen, 8/13 update, 9/14 animate,
  //   10/15 kill, 11/16 moveTo, 12/17 updateMove, 13/18 paint;
  // then each character's own: 14/19 and 15/20.
  virtual void reset();
  virtual void setSprite(ASprite* sprite);
  virtual void setAnimEx(int32_t anim, int32_t loops, bool restart);
  virtual void setAnim(int32_t anim, int32_t loops);
  virtual void addHealth(int32_t n);
  // {left, top, right, bottom} in world pixels of the frame shown, or null.
  virtual IntArray* getFrameRect();
  virtual bool isOnScreen();
  virtual void update();
  virtual void animate();
  virtual void kill();
  // x or y of -1 keeps that coordinate; speed in pixels per second, or the
  // move takes ms, or (both 0) it arrives at the next updateMove.
  virtual void moveTo(int32_t x, int32_t y, int32_t speed, int32_t ms);
  // True when no move runs or it has arrived.
  virtual bool updateMove();
  virtual void paint();

  // --- construction (cActor.cpp)
  static void clinit();
  // Kind and position {x, y, z} (24.8); the constructor body is the
  // factory's (create).
  void init(int32_t newKind, IntArray* position);
  // The parameters of the level data: a fresh array of at least the kind's
  // size, the first n copied from source.
  void setParams(IntArray* source, int32_t n);
  int32_t param(int32_t i) const;
  void setParam(int32_t i, int32_t value);

  // --- position
  void setX(int32_t v);
  void setY(int32_t v);
  void setZ(int32_t v);
  int32_t getPixelX() const { return (x + 128) >> 8; }
  int32_t getPixelY() const { return (y + 128) >> 8; }
  int32_t getPixelZ() const { return (z + 128) >> 8; }

  // --- flags and lookups
  bool hasFlag(int32_t bits) const { return (flags & bits) != 0; }
  void setFlag(int32_t bits, bool on);
  bool isActive() const { return hasFlag(ActorFlags::ACTIVE); }
  bool isNotActive() const { return !isActive(); }
  bool isKilled() const { return hasFlag(ActorFlags::KILLED); }
  bool isKilledOrNotActive() const { return isKilled() || isNotActive(); }
  int32_t getHealth() const { return hp; }
  // First actor of layer list 0 with this id; ids below 1 never match.
  static cActor* findById(int32_t id);
  static cActor* findByKindAndId(int32_t id, int32_t kind);
  static int32_t oppositeDirection(int32_t mask);
  // Binds to the actor with that id (the four values are stored x 512), or
  // drops the binding when there is none.
  void bindToActor(int32_t id, int32_t a, int32_t b, int32_t c, int32_t d);

  // --- shared kind operations (cActorKindSeams.cpp until they land)
  bool isParam13Set() const { return param(13) != 0; }
  // A carried object set down on the floor beside its carrier.
  void putDownBeside(cActor* carrier);
  // A behaviour machine that was hit.
  bool isMachineHit();
  // What the player character uses, grabs, pushes, lifts and breaks.
  bool isParam6Set() const { return param(6) != 0; }
  bool isParam6One() const { return param(6) == 1; }
  bool isAwakeSensor() const { return !isKilled() && isActive() && param(4) == 0; }
  bool useBarrier();
  bool interact();
  bool grabBlock();
  bool pushBlock(int32_t direction);
  void placeBeside(cActor* other);
  bool sideContact(cActor* other, int32_t mask);
  // A direction mask, or -1 when there is no way.
  int32_t findDetour(cActor* other, int32_t mask, int32_t w, int32_t h);
  void setLiftState(int32_t n);
  void slide(int32_t direction, bool forced);
  void hitBreakable();
  void setMoverTarget(int32_t a, int32_t b, int32_t c, bool mirrored);
  bool touchesForWalk(cActor* other);
  bool frameTouches(cActor* other);
  // The frame rectangle {left, top, width, height} against box placed at other.
  bool frameTouchesBox(cActor* other, IntArray* box);
  void startPutDown();
  void throwLifted(cActor* character);
  // A kind-16 hotspot of the item at pixel (x, y) with that id; null unless
  // 1 <= itemId < 30 and the item exists.
  static cActor* dropItem(int32_t itemId, int32_t x, int32_t y, int32_t id);
  // A new kind-28 projectile sent toward pixel (tx, ty), lasting d ms once
  // it burns, with a shadow kept in neighbours (cActorEnemyRetreat.cpp).
  void launchProjectile(int32_t tx, int32_t ty, int32_t c, int32_t d);

  // --- shared operations of the kinds (cActorSharedOps.cpp)
  // 0x400 <-> 0x800, 0x1000 <-> 0x2000; -1 for anything else.
  static int32_t reverseDirectionBit(int32_t bit);
  // 0 up, 1 left, 2 down, 3 right; -1 for anything else.
  static int32_t directionCode(int32_t bit);
  // n x min(frameTime, 166) x 16 / 1000.
  static int32_t scaledStep(int32_t n);
  bool clampHealth();
  bool isDefeatedKind23() const { return hp < 1 || behaviourMode == 20; }
  // Neither bit 4 nor bit 8 in params[3].
  bool isPushFree() const { return (param(3) & 12) == 0; }
  // Pixel point (x, y) in the region of other on the side of the mask.
  static bool inRegion(int32_t px, int32_t py, cActor* other, int32_t mask, int32_t w, int32_t h);
  bool pointInRegion(cActor* other, int32_t mask, int32_t w, int32_t h);
  // The creature's home point in this sensor's row: index 0 at the centre,
  // then 1 right, 2 left, 3 further right...
  void placeInFormation(cActorEnemy* creature, int32_t index);
  // The vertical bounce of params[3] (height) and params[5] (speed); true
  // on the frame it lands.
  bool bounceStep(bool rebound, int32_t g);
  // Some switched-on path hazard's frame meets this actor's interact box.
  bool isHitByPathHazard();

  // --- path hazards and critters (cActorKindCritters.cpp)
  void updatePathHazard();
  void updateCritter();
  void setCritterState(int32_t state);

  // --- contact areas and camera bands (cActorKindAreas.cpp)
  void updateArea66();
  void updateBand67();

  // --- spawned objects (cActorKindSpawned.cpp)
  void updateSpawned25();
  // Kind-25 modes, set by the spawner that makes one.
  static constexpr int32_t SPAWNED_THROWN = 0;
  static constexpr int32_t SPAWNED_LATCHING = 1;
  static constexpr int32_t SPAWNED_STATIC = 2;

  // --- pursuers (cActorKindPursuers.cpp)
  void updatePursuer();

  // --- level-data set-up (cActorSetUp.cpp)
  // Switching on and off; the kinds' own switching joins here.
  void activate();
  void deactivate();
  // The keypad bit of a direction code: 0, 4, 8 up; 1, 5, 9, 12 left;
  // 2, 6, 10 down; 3, 7, 11, 13 right; 0 for any other.
  static int32_t directionBit(int32_t code);
  // A point {x, y, value} appended to a path; past 30 points it is dropped.
  void addPathPoint(int32_t px, int32_t py, int32_t value);
  void setBarrierOpen();
  // Each flag trigger remembers the flags it watches as the room starts.
  static void storeWatchedFlags();
  void setBarrierClosed();

  // --- geometry
  IntArray* getLocalFrameRect();
  // Another actor's footprint meets this one's interact box.
  bool touches(cActor* other);
  // From (x, y, w, h) in pixels relative to the position; a negative size
  // covers the same area from the other side.
  void setInteractBox(int32_t bx, int32_t by, int32_t w, int32_t h);
  void setTriggerBox(int32_t bx, int32_t by, int32_t w, int32_t h);
  // Centred on x and ending at y.
  void setFootprint(int32_t bx, int32_t by, int32_t w, int32_t h);

  // --- collision footprints (cGameFootprints.cpp)
  // The kinds that stamp their footprint into the collision map count it in
  // cells; every other footprint (the characters', the contact objects')
  // measures pixels and covers no cells.
  bool hasCellFootprint() const;
  // Collision bit 4 cleared under a footprint counted in cells; a footprint
  // in pixels clears nothing.
  void clearFootprintBlocking();

  // --- lists, factory and display list (cActorLists.cpp)
  static void initLists();
  static void initDisplayList();
  static cActor* create(int32_t kind, int32_t layer, IntArray* position);
  void insertIntoLayer(int32_t newLayer);
  void unlink();
  void reposition();
  static void resortMoved(int32_t layer);
  static void releaseLayer(int32_t layer);
  static cActor* layerHead(int32_t layer);
  // z px x 2^40 + y px x 2^20 + x px, added, not masked.
  int64_t getDepthKey() const;
  static int32_t compareDepth(cActor* a, cActor* b);
  static void sortDisplayList(ObjectArray* list, int32_t lo, int32_t hi);
  static void paintLayer(int32_t layer);

  // --- update pass (cActorUpdate.cpp)
  static void updateAll();
  void followBoundActor();
  // What every actor's update begins with: once a frame, the animation, the
  // balloon, the scripted move, and following while behaviours are off.
  // False when nothing more runs this frame.
  bool beginUpdate();
  // The update switch over the kinds.
  void updateKindBehaviour();
  // The behaviour of a scene-object kind that has one.
  void runKindBehaviour();
  // The animation player has nothing left to play.
  bool isAnimationEnded() const;

  // --- triggers (cActorKindTriggers.cpp)
  void updateAreaTrigger();
  void updateFlagTrigger();

  // --- doors and their switch (cActorKindDoors.cpp)
  void updateBarrierSwitch();
  void operateSwitch();

  // --- key-operated objects (cActorKindKeyObjects.cpp)
  void updateKeyObject();
  void setKeyObjectState(int32_t n);
  // The block step of state 3 and the step back of state 2.
  void shiftBlock();
  void shiftBlockBack();

  // --- held blocks (cActorKindBlocks.cpp)
  // Lets go of a held block: true when it was held.
  bool releaseHold();
  // As placeBeside, further away above and below.
  void placeBesideFar(cActor* other);
  // The push probe: true when the block can move one cell in the direction
  // mask, whose target cell's pixel point goes to params[1], params[2].
  bool startPush(int32_t mask);
  bool pushArrived() const;
  void updatePushable();

  // --- sliders (cActorKindSliders.cpp)
  // The slide probe for side 1 left, 2 right, 4 up, 8 down: true when the
  // next cell is free; its pixel point goes to params[9], params[10].
  bool startSlide(int32_t side);
  bool slideArrived() const;
  // The direction reversed.
  void cycleMoverState();
  void updateSlider();

  // --- the staged barrier (cActorKindBarriers.cpp)
  void updateStagedBarrier();
  // A breakable object on animation anim: 5 hit points for the small
  // ones (31..33), 50 for the others.
  void initBreakable(int32_t anim);
  void breakObject();

  // --- liftables and what a throw or a slide hits (cActorKindLiftables.cpp)
  // params of kind 14: [0] breaking animation, [1]/[2] items left behind,
  // [4] state (0 resting, 1 breaking, 2 lifted, 3 carried, 4 being put
  // down, 5 thrown), [5] highlighted, [6] liftable, [7] frame of its cached
  // picture, [8]..[10] carried angle and offsets, [11] 1: thrown right,
  // [12] distance thrown (24.8), [13] 1 while carried.
  void updateLiftable();
  // The area of 64 x 84 ahead of a slider hit as it slides.
  void hitAhead();
  void hitAlongThrow(int32_t direction, int32_t w, int32_t h, int32_t damage, bool hitPlayer, int32_t playerDamage);
  // The direction mask of side params[3] (1 left, 2 right, 4 up, 8 down), 0
  // for any other.
  int32_t pushDirectionMask() const;

  // --- falling objects and thrown projectiles (cActorKindProjectiles.cpp)
  void updateFallingObject();
  void updateFallingObject2();

  // --- the gathering sensor (cActorKindSensors.cpp)
  void updateSensor();
  // Order 0..3 to the creatures the sensor gathered.
  void orderGroup(int32_t order);

  // --- collectibles (cActorKindItems.cpp)
  void updateCollectible();

  // --- the snapshot trigger and the emitter (cActorKindMarkers.cpp)
  void updateSnapshotTrigger();
  void updateEmitter();

  // --- spawners (cActorKindSpawners.cpp, cActorKindSideViewSpawners.cpp)
  void updateSpawner();

  // --- paint pass (cActorPaint.cpp)
  // Palette, placed at the screen position, painted.
  void paintPlayer(bool withPalette);
  void paintHighlighted(int32_t colourA, int32_t colourB, int32_t alpha);
  // Highlighted when highlightable and the timer ring is up, else plain.
  void paintPulsing(bool highlightable);
  void repaintOccludingTiles();
  // The painter of the simple kinds 5..68.
  void paintKind();
  void paintAtOffsets();
  // A carried object, painted by its carrier at the carrier's screen
  // position; nothing once it is let go.
  void paintCarried(int32_t carrierScreenX, int32_t carrierScreenY);

  // --- speech balloons (cActorBalloons.cpp)
  void setBalloon(int32_t textId, int32_t ms, int32_t dxPlus1, int32_t dy);
  void clearBalloon() { balloon = nullptr; }
  bool hasBalloon() const { return balloon != nullptr; }
  void tickBalloon();
  void chatter(IntArray* textIds, int32_t percent);
  static void paintBalloon(cActor* actor, String* text, int32_t dx, int32_t dy);
  void paintOwnBalloon();
  static void loadBalloonSprite();
  static void releaseBalloonSprite();

  // --- fields, in declaration order
  bool updatedThisFrame;
  cActor* boundActor;
  // {a, b, c, d} x 512 (2 pixels a unit, which the kind behaviours rely on),
  // then the bound actor's x and y at binding.
  IntArray* bindRecord;
  // {target x, target y, speed x, speed y} (24.8, per second).
  IntArray* moveRecord;
  // {text id, ms left, dx + 1, dy}; text id -1 is the silent pause.
  IntArray* balloon;
  // Working fields of the kind behaviours.
  int32_t kindState;
  int32_t behaviourMode;
  int32_t behaviourTimer;
  // Kind 23, the pursuers: the hit mark, the side the focus character is
  // pushed to (-1, +1, 0 none), the approach's contact, when the row was
  // reached (ms), machine A's rush speed, machine B's lunges, catch and
  // lunge start (24.8).
  bool hitMarked;
  int32_t dodgeSide;
  bool touching;
  int64_t decisionTime;
  int32_t rushSpeed;
  int8_t passCount;
  bool holding;
  int32_t anchorX;
  // Kind 25, the spawned objects: mode (SPAWNED_*), state 0..6, frame
  // counter and latch slot; a thrown one's start height (24.8), vertical
  // speed (24.8 a frame), falling, landed and settled flags and landing
  // time (ms).
  int8_t spawnedMode;
  int8_t spawnedState;
  int8_t spawnedFrames;
  int8_t latchSlot;
  int32_t startHeight;
  int32_t fallSpeed;
  bool falling;
  bool landed;
  bool settled;
  int64_t landingTime;
  int32_t kindTimer;
  int32_t kindCounter;
  int32_t spawnerStep;
  int32_t riserStep;
  int64_t kindTick;
  Object* neighbours;
  cActor* nextInLayer;
  cActor* prevInLayer;
  cActor* chainNext;
  int32_t layer = -1;
  int32_t kind;
  int32_t id;
  bool variantFlag;
  int32_t x;
  int32_t y;
  int32_t z;
  int32_t screenX;
  int32_t screenY;
  int32_t flags;
  IntArray* params;
  // The n the level data gave; params may be longer (the kind's size).
  int32_t paramCount;
  int32_t palette;
  CVLibPlayer* player;
  int32_t hp;
  IntArray* interactBox;
  IntArray* footprint;
  IntArray* triggerBox;
  bool alwaysPaint;
  // The spawner's working fields (kind 24): finished at 104; the last drop
  // (ms); the catcher's contact frames; a drop waits for the animation's
  // end; the seizer was reached; the slider moves; the machine is made; the
  // launcher runs; the riser's contact box {left, top, width, height}.
  int32_t spawnerStatus;
  int64_t lastSpawnTime;
  int8_t contactFrames;
  bool spawnReady;
  bool spawnerTriggered;
  bool spawnerMoving;
  bool childMade;
  int8_t launchState;
  IntArray* contactBox;
};

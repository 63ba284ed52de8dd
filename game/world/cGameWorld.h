#pragma once
// cGame's world operations: the shell's cGame derives from this data-less
// base, so they are called cGame::spawnEffect like every other operation of
// cGame. Their state is the world's (worldStatics().cGamePlay,
// worldStatics().cGameEffects).
#include <cstdint>

class ASprite;
class ByteArray;
class IntArray;
class String;
class cActor;

class cGameWorld {
 public:
  // The world's share of cGame's class initialiser.
  static void clinit();

  // --- the frame of play
  static bool isAnchoredPanelActive();
  static void resetTimerRing();
  // Focus, target and spawned children of the room being left.
  static void forgetRoomActors();
  static void clearHint();
  // Every actor of layer list 0, in list order, into the scripts' actor table.
  static void registerAllActors();
  // Every painted actor's balloon, above all actors.
  static void paintActorBalloons();

  // --- the room's level data (cGameRoomLoader.cpp)
  // One level-record stream: actors, route points, zones, items, actions.
  static void loadRoomObjects(ByteArray* data);
  // Remembers the focus actor's pixel position too.
  static void setFocusActor(cActor* actor);

  // --- the collision map
  // The actor's footprint cells get mask set (mode 0) or cleared (mode 1).
  static void stampFootprint(cActor* actor, int32_t mode, int32_t mask, bool aligned);

  // --- route points and the room snapshot (cGameRoomSnapshot.cpp)
  static void resetRoutePoints();
  static void addPathNode(int32_t id, int32_t x, int32_t y, int32_t next);
  // {x, y} of the first point with that id; null for ids below 1 or none.
  static IntArray* getPathNodePos(int32_t id);
  static IntArray* getNextPathNodePos(int32_t id);
  // The next id of the first point with that id, -1 when none.
  static int32_t getPathNodeNext(int32_t id);
  static void snapshotRoomState(bool notify, int32_t action);
  static void clearRoomSnapshot();
  static bool hasRoomSnapshot();

  // --- effect animations (cGameEffects.cpp)
  static void spawnEffect(int32_t spriteIndex, int32_t anim, int32_t ms, int32_t worldX, bool atTop);
  static int32_t findFreeEffectSlot();
  static void removeEffect(int32_t slot);
  static void updateEffects();
  static void paintEffects();

  // --- the timed notice
  // A null text leaves the notice as it was.
  static void showNotice(String* text, int32_t ms, ASprite* iconSprite, int32_t iconAnim);
  // Text id + 272 (or as it is when raw) for ms, when the text exists.
  static void showHint(int32_t textId, int32_t ms, bool raw);
  static bool isHintShown();
  static void updateNotice();

  // --- falling streaks (cGameParticles.cpp)
  static void startFallingParticles(int32_t mode);
  static void updateFallingParticles();
  static void paintFallingParticles();

  // --- marker, carried icon and aim brackets (cGameEffects.cpp)
  static void paintActorMarker();
  // Four corners around the aim record's point {size, ..., x at 7, y at 8}.
  static void paintAimBrackets();
  // A room load starts without marker, streaks, notice or effects.
  static void clearTransientEffects();
};

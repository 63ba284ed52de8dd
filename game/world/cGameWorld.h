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
class cActorMC;

class cGameWorld {
 public:
  // The world's share of cGame's class initialiser.
  static void clinit();

  // --- the frame of play (cGameInGame.cpp): GameState 14
  static void stateInGame(int32_t message);
  static void updateInGame();
  static void paintInGame();
  // The released keys, the resume and the HUD's menu corner may open the
  // in-game menu.
  static void openInGameMenuIfAsked();

  // --- the timer ring (cGameTimerRing.cpp)
  static bool isAnchoredPanelActive();
  static void resetTimerRing();
  static void updateTimerRing();
  static void closeAnchoredPanel();
  // Opening or closing: only the camera moves.
  static bool isRingFrozen();

  // --- the action marker over what the player can act on
  // (cGameActionMarker.cpp)
  static void updateActionMarker();
  static void resetActionMarker();

  // --- the player's control and the partners (cGamePlayerControl.cpp)
  static void setPlayerControl(bool on);
  static bool hasPlayerControl();
  // Kind-10 characters a and b: b becomes a's companion, or a loses its own.
  static void linkPartners(int32_t a, int32_t b);
  static void selectPlayer(int32_t id);
  // x, y in 24.8.
  static void placeActor(cActor* actor, int32_t x, int32_t y);
  // The close-up's hidden hotspot with that id shown and used up; null when
  // there is none.
  static cActor* consumeHotspot(int32_t id);
  // The kind-10 characters of partner index 0 and 1.
  static void findPartnerActors();

  // --- the partners' carried items 1..3 across rooms (cGamePartnerItems.cpp)
  // An int[6] replaces the table; anything else is refused.
  static void setCounterTable(IntArray* table);
  static void storePartnerItemCounts(cActorMC* partner);
  static void restorePartnerItemCounts(cActorMC* partner);
  // Both partners found and given their carried items back.
  static void restorePartners();
  static void storeAllPartnerItemCounts();

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

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

// A direction scaled to length 256 (24.8), returned by value.
struct UnitVector {
  int32_t x;
  int32_t y;
};

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

  // --- the trigger the scene objects and room actions share
  // (cActorKindTriggers.cpp)
  static void runTrigger(int32_t actionId, int32_t cutscene, int32_t activateId, int32_t deactivateId,
                         int32_t killId);

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

  // --- the camera (cGameCamera.cpp); positions 24.8
  // Each frame of play, after findCameraZone: follows or pans to the target,
  // keeps the view in its zone and the map, shakes, scrolls the map layers.
  static void updateCamera();
  // The load's last step: follows the focus actor afresh, no pan, no shake.
  static void resetCamera();
  // A timed pan of duration ms to the actor; null changes nothing.
  static void setCameraTarget(cActor* actor, int32_t duration);
  // Follows the actor with look-ahead, kept in its zone; null clears it.
  static void setCameraFollow(cActor* actor);
  // A shake of ms with amplitudes in pixels, turning every halfPeriod ms;
  // both amplitudes 0 or a half period of 0 change nothing.
  static void startCameraShake(int32_t ms, int32_t amplitudeX, int32_t amplitudeY, int32_t halfPeriod);
  static void stopCameraShake();
  // Layers 0..3 whose tile sprite is loaded scroll to the camera's pixel
  // position; layer 0's scroll becomes cameraPixelX, cameraPixelY.
  static void positionMapLayers();
  static void setCameraPixelPosition(int32_t x, int32_t y);
  static void setCameraPosition(int32_t x, int32_t y);
  static void setCameraMode(int32_t mode);
  static void clearCameraTarget();
  static void clearCameraPan();

  // --- camera zones (cGameCameraZones.cpp)
  // Empty zone tables: no current zone, outside every zone.
  static void initCameraZones();
  // The level data's zone: outer {x, y, w, h}, inner {x + dx, y + dy, w2, h2}
  // in pixels. Past 100 zones the zone is dropped and logged.
  static void addCameraZone(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dx, int32_t dy,
                            int32_t w2, int32_t h2);
  // The zones after it move down one place; an index outside the table
  // changes nothing.
  static void removeCameraZone(int32_t index);
  // The target's zone: the current one while its inner rectangle holds the
  // target, else the first that does; and whether any outer one holds it.
  static void findCameraZone();
  // With the zone clamp on: the view kept in (or centred on) the current
  // zone's outer rectangle.
  static void clampCameraToZone();
  static int32_t getCurrentZone();
  static void setCurrentZone(int32_t index);
  static bool isOutsideZones();

  // --- footprints and one-sided blockers (cGameFootprints.cpp)
  // Mode 0 sets, mode 1 clears the mask bits over the actor's footprint,
  // counted in cells; cells outside the map are left out. With aligned the
  // actor then snaps to its cell's top-left corner.
  static void stampFootprint(cActor* actor, int32_t mode, int32_t mask, bool aligned);
  // Every actor of layer list 0 in play stamps what its kind blocks.
  static void restampAllFootprints();
  // A move of the actor to pixel (x, y), coming from the last focus
  // position, held behind one-sided blockers and inside the map; true when
  // it was clipped. With commit the actor takes the clipped position.
  static bool moveWithBlockers(cActor* actor, int32_t x, int32_t y, bool commit);

  // --- hits over an area (cActorKindLiftables.cpp)
  // The creatures and breakable liftables in the w x h area reaching from
  // pixel (x, y) in direction are hit; with hitPlayer the focus character
  // there too, with playerDamage.
  static void hitArea(int32_t x, int32_t y, int32_t direction, int32_t w, int32_t h, int32_t damage, bool hitPlayer,
                      int32_t playerDamage);

  // --- geometry on actor boxes (cGameGeometry.cpp); boxes {x, y, w, h} in
  // pixels, placed at an actor's pixel position or absolute for null.
  static bool boxesOverlap(IntArray* a, cActor* at, IntArray* b, cActor* bt);
  static bool pointInActorBox(int32_t x, int32_t y, IntArray* box, cActor* at);
  // b lies within reach of a in the direction a faces, and within vertical
  // pixels of it.
  static bool isNearInDirection(cActor* a, cActor* b, int32_t direction, int32_t reach, int32_t vertical);
  // From (x0, y0) to (x1, y1), 24.8 or pixels; {0, 0} for no length.
  static UnitVector unitVector(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool pixels);
  // In 256ths of a turn, y pointing up.
  static int32_t angleBetween(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool pixels);
  // In pixels; 0 when either is null. 64 bits: far actors overflow 32.
  static int64_t distanceSquared(cActor* a, cActor* b);
};

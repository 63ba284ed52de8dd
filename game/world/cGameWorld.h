#pragma once
// cGame's world operations: the shell's cGame derives from this data-less
// base, so they are called cGame::spawnEffect like every other operation of
// cGame. Their state is the world's (worldStatics().cGamePlay,
// worldStatics().cGameEffects).
#include <cstdint>

class ASprite;
class String;

class cGameWorld {
 public:
  // The world's share of cGame's class initialiser.
  static void clinit();

  // --- the frame of play
  static bool isAnchoredPanelActive();
  // Every actor of layer list 0, in list order, into the scripts' actor table.
  static void registerAllActors();
  // Every painted actor's balloon, above all actors.
  static void paintActorBalloons();

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

#pragma once
// The class initialisers that the program hands the runtime, one per step of
// the static block's set-up. The runtime runs them in the fixed dependency
// order below (not the class-id order); a null entry is a class without
// static state yet. The same table describes the game's block of statics,
// which exists (zero-filled) before the first initialiser runs.
#include "runtime/object/GameStaticsBlock.h"

using ClassInitialiser = void (*)();

struct ClassInitialisers {
  GameStaticsDescription gameStatics;
  ClassInitialiser java_lang_System = nullptr;
  ClassInitialiser cActorEnemy = nullptr;
  ClassInitialiser IDefines = nullptr;
  ClassInitialiser java_lang_Boolean = nullptr;
  ClassInitialiser ASprite = nullptr;
  ClassInitialiser BitmapFont = nullptr;
  ClassInitialiser cActor = nullptr;
  ClassInitialiser CVLibPlayer = nullptr;
  ClassInitialiser cActorMC = nullptr;
  ClassInitialiser cGame = nullptr;
  ClassInitialiser IMenus = nullptr;  // reads the cGame menu-row array
  ClassInitialiser Kivra = nullptr;
  ClassInitialiser java_lang_Runtime = nullptr;
};

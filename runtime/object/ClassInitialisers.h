#pragma once
// The class initialisers that the program hands the runtime, one per step of
// the static block's set-up. The runtime runs them in the fixed dependency
// order below (not the class-id order); a null entry is a class without
// static state yet.

using ClassInitialiser = void (*)();

struct ClassInitialisers {
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

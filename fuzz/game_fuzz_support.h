#pragma once
// The whole game's runtime for the targets that drive world or story code:
// every class initialiser, no literal pool, an empty sprite table.
#include "game/GameClassInitialisers.h"
#include "game/GameStatics.h"
#include "runtime/Application.h"
#include "runtime/lang/ObjectArray.h"

inline Application* startGameRuntime() {
  auto* application = new Application();
  application->init(&gameClassInitialisers(), 8u << 20, 8u << 20, Application::LiteralPool::none);
  shellStatics().cGameLoop.sprites = newObjectArray(52);
  return application;
}

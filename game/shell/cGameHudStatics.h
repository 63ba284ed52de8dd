#pragma once
// The in-game HUD's statics: whether the item shortcut was offered this
// frame, the point the ellipse helper found for the arc drawer, and the
// damage flash the status panel starts while health is low.
#include <cstdint>

struct cGameHudStatics {
  bool itemShortcutShown;
  int32_t ellipseX;  // the last point of cGame::ellipsePoint, screen px
  int32_t ellipseY;
  int32_t damageFlashTime;  // ms left of the player's damage flash
};

// The screen-wide shower of falling streaks: constant steps a frame, no
// allocation once started.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"

namespace {

cGameEffectsStatics& effects() { return worldStatics().cGameEffects; }

int32_t streakCount() { return effects().particleMode == 2 ? 200 : 50; }

}  // namespace

void cGameWorld::startFallingParticles(int32_t mode) {
  cGameEffectsStatics& state = effects();
  if (mode == 0) {
    state.particlesStopping = true;
    return;
  }
  if (state.particleX == nullptr) {
    state.particleX = newIntArray(cGameEffectsStatics::particleCapacity);
    if (state.particleX == nullptr) return;
    for (int32_t i = 0; i < cGameEffectsStatics::particleCapacity; ++i) state.particleX->set(i, cGame::randomInRange(0, 1600));
  }
  if (state.particleY == nullptr) {
    state.particleY = newIntArray(cGameEffectsStatics::particleCapacity);
    if (state.particleY == nullptr) return;
    for (int32_t i = 0; i < cGameEffectsStatics::particleCapacity; ++i) state.particleY->set(i, cGame::randomInRange(0, 480));
  }
  state.particlesStopping = false;
  state.particleMode = mode;
}

void cGameWorld::updateFallingParticles() {
  cGameEffectsStatics& state = effects();
  if (state.particleMode == 0 || state.particleX == nullptr || state.particleY == nullptr) return;
  const int32_t n = streakCount();
  bool anyOnScreen = false;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t x = state.particleX->get(i) - 5;
    const int32_t y = state.particleY->get(i) + 18;
    state.particleX->set(i, x);
    state.particleY->set(i, y);
    if (x >= 0 && y <= 480) {
      anyOnScreen = true;
    } else if (!state.particlesStopping) {
      state.particleX->set(i, cGame::randomInRange(0, 1600));
      state.particleY->set(i, cGame::randomInRange(0, 16) - 16);
    }
  }
  if (anyOnScreen) return;
  state.particleX = nullptr;
  state.particleY = nullptr;
  state.particleMode = 0;
  state.particlesStopping = false;
}

void cGameWorld::paintFallingParticles() {
  cGameEffectsStatics& state = effects();
  javax_microedition_lcdui_Graphics* g = shellStatics().cGameLoop.graphics;
  if (state.particleMode == 0 || state.particleX == nullptr || state.particleY == nullptr || g == nullptr) return;
  const int32_t previous = g->getColor();
  g->setColor(0x8F8F8F);
  const int32_t n = streakCount();
  for (int32_t i = 0; i < n; ++i) {
    const int32_t x = state.particleX->get(i);
    const int32_t y = state.particleY->get(i);
    if (i < n / 2) {
      g->drawLine(x, y, x - 1, y + 3);
      g->drawLine(x - 1, y + 3, x - 2, y + 6);
    } else {
      g->drawLine(x, y, x - 2, y + 6);
      g->drawLine(x - 2, y + 6, x - 4, y + 12);
    }
  }
  g->setColor(previous);
  g->setClip(0, 0, 800, 480);
}

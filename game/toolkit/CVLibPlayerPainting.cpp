// The sprite painter's calls the animation player and the tile layers make,
// in one place so a test can watch what is painted where.
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"

namespace {

void paintFrame(ASprite* sprite, javax_microedition_lcdui_Graphics* g, int32_t frame, int32_t x, int32_t y,
                int32_t flags) {
  sprite->paintFrame(g, frame, x, y, flags, 0, 0);
}

void paintModule(ASprite* sprite, javax_microedition_lcdui_Graphics* g, int32_t module, int32_t x, int32_t y,
                 int32_t flags) {
  sprite->paintModule(g, module, x, y, flags);
}

void paintAFrame(ASprite* sprite, javax_microedition_lcdui_Graphics* g, int32_t anim, int32_t aframe, int32_t x,
                 int32_t y, int32_t flags) {
  sprite->paintAFrame(g, anim, aframe, x, y, flags, 0, 0);
}

}  // namespace

SpritePainterCalls& spritePainterCalls() {
  static SpritePainterCalls calls{&paintFrame, &paintModule, &paintAFrame};
  return calls;
}

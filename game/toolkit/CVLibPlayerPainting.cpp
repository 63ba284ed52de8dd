// The seam between the animation player and tile layers and the sprite
// painter, which is being built separately: until ASprite's paintFrame,
// paintModule and paintAFrame land, these calls draw nothing.
#include "game/toolkit/CVLibPlayer.h"

namespace {

void paintNoFrame(ASprite*, javax_microedition_lcdui_Graphics*, int32_t, int32_t, int32_t, int32_t) {}
void paintNoAFrame(ASprite*, javax_microedition_lcdui_Graphics*, int32_t, int32_t, int32_t, int32_t, int32_t) {}

}  // namespace

SpritePainterCalls& spritePainterCalls() {
  static SpritePainterCalls calls{&paintNoFrame, &paintNoFrame, &paintNoAFrame};
  return calls;
}

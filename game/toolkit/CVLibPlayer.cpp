#include "game/toolkit/CVLibPlayer.h"

#include "game/toolkit/ASprite.h"
#include "game/toolkit/DrawEffectsStatics.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"

namespace {

// Effects 5, 6, 7, 8, 10 and 11: none outlives one painted player.
constexpr int32_t playerEffectBits = 0xDE0;

}  // namespace

void CVLibPlayer::init() {
  x = y = flags = 0;
  sprite = nullptr;
  anim = -1;
  aframe = 0;
  time = 0;
  loops = 1;
  over = 1;
  alpha = -1;
}

void CVLibPlayer::reset() { init(); }

void CVLibPlayer::setSprite(ASprite* newSprite) {
  sprite = newSprite;
  setAnim(-1, -1);
}

void CVLibPlayer::setAnim(int32_t newAnim, int32_t newLoops) {
  if (over == 0 && newAnim == anim) return;
  anim = newAnim;
  setFrame(0);
  loops = newLoops - 1;
  over = 0;
}

void CVLibPlayer::setAnimEx(int32_t newAnim, int32_t newLoops, bool restart) {
  if (restart) setAnim(-1, 1);
  setAnim(newAnim, newLoops);
}

int32_t CVLibPlayer::setFrame(int32_t n) {
  if (anim == -1) return -1;
  const int32_t count = getAFrameCount();
  // Reduced into 0..count-1 so a large n still names an aframe.
  if (count > 0 && n >= count) n %= count;
  aframe = n;
  time = 0;
  return n;
}

int32_t CVLibPlayer::getAFrameCount() const {
  if (anim == -1) return -1;
  // An animation the sprite does not have has no aframes to show.
  if (sprite == nullptr || anim < 0 || anim >= sprite->getAnimCount()) return 0;
  return sprite->getAFrameCount(anim);
}

int32_t CVLibPlayer::getFrameDuration() const {
  if (anim == -1 || getAFrameCount() <= 0) return 0;
  return sprite->getAFrameTime(anim, aframe) * toolkitStatics().CVLibPlayerLayers.timeUnit;
}

void CVLibPlayer::update(int32_t ms) {
  if (over != 0 || anim == -1) return;
  const int32_t count = getAFrameCount();
  if (count <= 0) return;
  const int32_t duration = getFrameDuration();
  if (time >= duration) {
    time -= duration;
    if (aframe < count - 1) {
      aframe += 1;
    } else if (loops == 0) {
      over = 1;
    } else {
      if (loops > 0) loops -= 1;
      aframe = 0;
    }
  }
  time += ms;
}

bool CVLibPlayer::isAnimOver() const {
  if (anim == -1) return true;
  if (loops < 0) return false;
  return over != 0;
}

void CVLibPlayer::paint() {
  if (anim == -1) return;
  if (getAFrameCount() > 0) {
    if (alpha != -1) {
      cGame::enableEffect(effect::alpha, false);
      cGame::setEffectParameter(effect::alpha, 1, alpha);
    }
    spritePainterCalls().paintAFrame(sprite, toolkitStatics().cGameDraw.graphics, anim, aframe, x, y, flags);
  }
  cGame::clearEffects(playerEffectBits);
}

#pragma once
// What the race and the timing gauge share inside the story's sources: their
// statics, the button both show, frame sizes read safely from a player or a
// sprite, and the OK input of a key or a released touch.
#include <cstdint>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "runtime/object/ObjectFactory.h"

namespace interactiongames {

inline constexpr int32_t buttonSlot = 27;
inline constexpr int32_t buttonStartAnim = 31;
// The size of a round touch button.
inline constexpr int32_t buttonAreaFrame = 109;
inline constexpr int32_t okArea = 218;
inline constexpr int32_t okKeys[] = {11, 5};

inline cGameRaceStatics& race() { return storyStatics().cGameRace; }
inline cGameInteractionStatics& mode() { return storyStatics().cGameInteraction; }

// The sprite is loaded and holds animation anim with at least one step.
inline bool hasAnim(const ASprite* sprite, int32_t anim) {
  return sprite != nullptr && anim >= 0 && anim < sprite->getAnimCount() && sprite->getAFrameCount(anim) > 0;
}
inline bool hasFrame(const ASprite* sprite, int32_t frame) {
  return sprite != nullptr && frame >= 0 && frame < sprite->getFrameCount();
}

struct FrameSize {
  int32_t width;
  int32_t height;
};
inline FrameSize frameSize(const ASprite* sprite, int32_t frame) {
  if (!hasFrame(sprite, frame)) return {0, 0};
  return {sprite->getFrameWidth(frame), sprite->getFrameHeight(frame)};
}
// The frame the first step of anim shows; nothing for a missing one.
inline FrameSize animFrameSize(const ASprite* sprite, int32_t anim) {
  if (!hasAnim(sprite, anim)) return {0, 0};
  return frameSize(sprite, sprite->getAFrameFrame(anim, 0));
}
// A player's size is that of the first step of its current animation.
inline int32_t playerFrameWidth(const CVLibPlayer* player) {
  return static_cast<int16_t>(animFrameSize(player->sprite, player->anim).width);
}
inline int32_t playerFrameHeight(const CVLibPlayer* player) {
  return static_cast<int16_t>(animFrameSize(player->sprite, player->anim).height);
}

inline bool eitherPressed(const int32_t (&keys)[2]) {
  return cGame::isKeyPressed(keys[0]) || cGame::isKeyPressed(keys[1]);
}
inline bool releasedOn(int32_t id) {
  const cGameTouchStatics& pointer = shell::touch();
  return pointer.touchedArea != nullptr && pointer.touchedArea->id == id && pointer.pointerWasReleased;
}
// A release on the area is used up by the game that took it.
inline void takeRelease(int32_t id) {
  if (!releasedOn(id)) return;
  shell::touch().touchedArea = nullptr;
  shell::touch().pointerWasReleased = false;
}

// The button both games show, made on first use and kept, at its first
// animation and at x; the caller puts it at its height.
inline CVLibPlayer* startButton(int32_t x) {
  cGameRaceStatics& r = race();
  if (r.interactionButton == nullptr) r.interactionButton = newObject<CVLibPlayer>();
  CVLibPlayer* button = r.interactionButton;
  r.interactionButtonAnim = buttonStartAnim;
  if (button == nullptr) return nullptr;
  button->setSprite(shell::spriteAt(buttonSlot));
  button->setAnim(buttonStartAnim, -1);
  button->x = x;
  return button;
}

}  // namespace interactiongames

// The spawners of the side-view scenes: the seizer that holds the focus
// character in its struggle, the catcher that travels with the scrolling
// camera and drops a latching object after eight frames of contact, and the
// riser that comes up from below the view and hurts at every touch.
#include <cstdlib>

#include "game/world/SpawnerSteps.h"

namespace {

using namespace spawner;

constexpr int32_t struggleState = 114;
constexpr int32_t struggleWon = 120;
constexpr int32_t catchFrames = 8;
constexpr int32_t caughtSprite = 40;
constexpr int32_t riserIcon = 72;

void moveBy(cActor* self, int64_t dx, int64_t dy) {
  // Narrowed as the device's 32-bit arithmetic would wrap.
  self->setX(static_cast<int32_t>(self->x + dx));
  self->setY(static_cast<int32_t>(self->y + dy));
}

// While the struggle lasts the seizer holds on beside the focus character;
// once it is free, the seizer lets go and is counted.
void holdOrLetGo(cActor* self, cActorMC* focus) {
  const int32_t side = self->param(2);
  if (focus->state == defeatedState) {
    if (side < 0) {
      show(self, 13);
      moveBy(self, -64 * px, 64 * px);
    } else if (side > 0) {
      show(self, 12);
      moveBy(self, 64 * px, 64 * px);
    }
    self->spawnerStep = 7;
    playSound(22);
  }
  if (!self->isAnimationEnded()) return;
  if (focus->struggleGauge < struggleWon && focus->state != 0) {
    if (side == 0) return;
    const int32_t fdx = footprintValue(focus, 0);
    const int32_t fw = footprintValue(focus, 2);
    const int32_t fh = footprintValue(focus, 3);
    const bool pressed = focus->actionKeyPressed();
    if (side < 0) {
      show(self, pressed ? 153 : 151);
      self->setX(focus->x + fdx * px);
    } else {
      show(self, pressed ? 154 : 152);
      self->setX(focus->x + (fdx + fw) * px);
    }
    self->setY(focus->y - (fh / 2) * px);
    return;
  }
  if (side < 0) {
    show(self, 155);
    moveBy(self, -10 * px, 0);
  } else if (side > 0) {
    show(self, 156);
    moveBy(self, 10 * px, 0);
  }
  self->spawnerStep = 7;
  countResult();
  playSound(16);
}

// The icon plays once from its start and is advanced every frame; true when
// it has played out. Started afresh every frame, it would never end.
bool playRiserIcon(cActorMC* focus) {
  CVLibPlayer* icon = focus->carriedIcon;
  if (!worldStatics().cGameEffects.carriedIconShown || icon == nullptr || icon->anim != riserIcon) {
    focus->showCarriedIcon(riserIcon);
  }
  focus->updateCarriedIcon();
  icon = focus->carriedIcon;
  // An icon without frames to play counts as played out.
  return icon == nullptr || icon->getAFrameCount() <= 0 || icon->isAnimOver();
}

void updateContactBox(cActor* self) {
  IntArray* frame = self->getLocalFrameRect();
  if (frame == nullptr || frame->length() < 4) {
    self->contactBox = nullptr;
    return;
  }
  if (self->contactBox == nullptr) self->contactBox = newIntArray(4);
  IntArray* box = self->contactBox;
  if (box == nullptr) return;
  const int32_t left = frame->get(0), top = frame->get(1);
  box->set(0, left);
  box->set(1, top);
  box->set(2, std::abs(frame->get(2) - left));
  box->set(3, std::abs(frame->get(3) - top));
}

}  // namespace

void spawner::runSeizer(cActor* self, cActorMC* focus) {
  const int32_t side = self->param(2);
  if (self->y >= (cameraY() + viewHeight) / 2) moveBy(self, -int64_t{self->param(1)} * px * side, 0);
  if (contact(self->triggerBox, self, focus)) self->spawnerTriggered = true;
  if (!self->spawnerTriggered) return;
  switch (self->spawnerStep) {
    case 0:
      if (side < 0) {
        show(self, 158);
        focus->seizeFlag = true;
      } else if (side > 0) {
        show(self, 157);
        focus->seizeFlag = false;
      }
      moveBy(self, -int64_t{side} * 32 * px, 0);
      self->spawnerStep = 3;
      break;
    case 3:
      if (self->isAnimationEnded()) {
        focus->state = struggleState;
        self->spawnerStep = 4;
      }
      break;
    case 4:
      holdOrLetGo(self, focus);
      break;
    case 7:
      self->spawnerStatus = finished;
      break;
    default:
      break;
  }
}

void spawner::runCatcher(cActor* self, cActorMC* focus) {
  const int32_t step = speedStep(self->param(1));
  const int32_t scroll = carry();
  const bool downward = self->param(6) != 0;
  switch (self->spawnerStep) {
    case 0:
      if (downward) self->setY(self->y + step + scroll);
      else self->setY(cameraY() + belowView - step + scroll);
      self->spawnerStep = 1;
      break;
    case 1: {
      int32_t d = downward ? 1 : -1;
      // Overlap frames add up across separate touches.
      if (contact(self->triggerBox, self, focus)) {
        d = 0;
        self->contactFrames = static_cast<int8_t>(self->contactFrames + 1);
        if (self->contactFrames >= catchFrames) {
          self->contactFrames = 0;
          self->spawnerStep = 2;
          if (self->param(2) < 0) focus->seizeFlag = true;
          else if (self->param(2) > 0) focus->seizeFlag = false;
          show(self, 18);
        }
      }
      moveBy(self, 0, int64_t{step} * d + scroll);
      break;
    }
    case 2:
      if (self->isAnimationEnded()) {
        const int32_t y = rounded(self->y);
        if (cActor* caught = makeSpawned(self, rounded(self->x), y, y, caughtSprite, latching)) {
          show(caught, 21);
          if (IntArray* box = self->interactBox; box != nullptr && box->length() >= 4) {
            caught->setInteractBox(box->get(0), box->get(1), box->get(2), box->get(3));
          }
        }
        show(self, 17);
        self->spawnerStep = 8;
      }
      self->setY(self->y + scroll);
      break;
    case 8:
      if (outsideView(self)) self->kill();
      self->setY(self->y + step + scroll);
      break;
    default:
      self->setY(self->y + scroll);
      break;
  }
}

void spawner::runRiser(cActor* self, cActorMC* focus) {
  const int32_t step = speedStep(self->param(1));
  IntArray* frame = self->getFrameRect();
  const int32_t top = frame != nullptr && frame->length() >= 4 ? frame->get(1) : self->getPixelY();
  const int32_t view = cameraPixelY();
  int32_t d = 0;
  self->setZ(rounded(self->y));
  updateContactBox(self);
  if (self->isAnimationEnded()) self->setAnim(self->param(8), endless);
  switch (self->riserStep) {
    case 0:
      if (playRiserIcon(focus)) {
        focus->hideCarriedIcon();
        self->riserStep = 1;
        self->setY(cameraY() + belowView);
      }
      break;
    case 1:
      d = top > view + 412 ? -1 : 0;
      if (focus->bandFlagA && playRiserIcon(focus)) {
        focus->hideCarriedIcon();
        self->riserStep = 2;
        focus->bandFlagA = false;
      }
      if (focus->bandFlagB) {
        self->riserStep = 4;
        focus->bandFlagB = false;
      }
      break;
    case 2:
      if (top > view + 288) {
        d = -1;
      } else {
        d = 1;
        self->riserStep = 3;
      }
      break;
    case 3:
      d = 1;
      if (top >= view + 412) {
        d = 0;
        self->riserStep = 1;
      }
      break;
    case 4:
      d = 1;
      if (outsideView(self)) self->kill();
      break;
    default:
      break;
  }
  if (focus->hp > 0) moveBy(self, 0, int64_t{step} * d + carry() + 2 * px);
  // Every frame of contact starts the hurt again, so its damage is taken in
  // each of them.
  if (self->riserStep != 0 && focus->state != defeatedState && contact(self->contactBox, self, focus)) {
    startHurt(focus);
  }
}

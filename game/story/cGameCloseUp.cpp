// The close-up view: a picture made of a chain of hotspot actors, examined
// with a cursor that the direction keys pan or a tap places. Its hotspots
// reveal further hotspots, give an item, run an action and can queue a
// cutscene for after the view is left.
#include <algorithm>
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;

namespace {

constexpr int32_t cursorSlot = 30;
constexpr int32_t loopSound = 10;
constexpr int32_t itemSound = 30;
// The picture's head shows at this screen point.
constexpr int32_t viewCentreX = 400;
constexpr int32_t viewCentreY = 270;
constexpr int32_t panStep = 2;
constexpr int32_t panTopSpeed = 6;
// GameKeys: the two OK keys and back.
constexpr int32_t okKeys[] = {11, 5};
constexpr int32_t backKey = 19;
constexpr int32_t backArea = 1002;
constexpr int32_t revealType = 1;
constexpr int32_t pickUpType = 2;
constexpr int32_t afterCutscene = 2;
constexpr int32_t shown = 1;
constexpr int32_t modeLeft = 2;
constexpr int32_t cornerLength = 5;
constexpr int32_t white = 0xFFFFFF;

cGameInteractionStatics& view() { return storyStatics().cGameInteraction; }

// A chain that the level data closes into a loop is walked once round: no
// walk takes more steps than the room has actors.
int32_t chainSteps() {
  int32_t steps = 1;
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) ++steps;
  return steps;
}

bool isShownHotspot(const cActor* actor) { return actor->kind == ActorKind::COLLECTIBLE && actor->param(1) == shown; }

int32_t clampToPicture(int32_t v, int32_t centre, int32_t limit) {
  if (std::abs(v - centre) <= limit) return v;
  return v - centre < 1 ? centre - limit : centre + limit;
}

int32_t panSpeed(int32_t speed, bool moving) { return std::clamp(moving ? speed + panStep : 0, 0, panTopSpeed); }

// What a hotspot does when it is used: its own effect by type, then the
// reveal, the action and the cutscene after leaving that every type has.
void useHotspot(cActor* hotspot) {
  cGameInteractionStatics& s = view();
  const int32_t type = hotspot->param(0);
  if (type == revealType) {
    hotspot->setParam(1, 0);
    hotspot->setFlag(ActorFlags::ACTIVE, false);
  } else if (type == pickUpType) {
    cActor* focus = worldStatics().cGamePlay.focusActor;
    if (focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0) {
      static_cast<cActorMC*>(focus)->giveItem(hotspot->param(6));
    }
    hotspot->setParam(1, 0);
    cGame::stopSound(loopSound);
    cGame::playSound(itemSound, false);
  }
  cGame::consumeHotspot(hotspot->param(3));
  cGame::runAction(cGame::findActionById(hotspot->param(4)));
  if (hotspot->param(5) > 0) {
    s.closeUpAfterKind = afterCutscene;
    s.closeUpAfterId = hotspot->param(5);
  }
  if (type == pickUpType) cGame::leaveInteraction();
}

}  // namespace

bool cGameStory::startHotspotSearch(cActor* actor) {
  cGameInteractionStatics& s = view();
  cGame::clearInput();
  cGame::clearTouchState();
  const int32_t headId = actor->param(2);
  cActor* head = headId > 0 ? cActor::findById(headId) : nullptr;
  s.closeUpChain = head;
  if (head == nullptr) return false;
  // The chain follows the members' ids, whatever the load linked.
  int32_t steps = chainSteps();
  for (cActor* member = head; member != nullptr && steps-- > 0; member = member->chainNext) {
    const int32_t next = member->param(2);
    if (next < 1) break;
    member->chainNext = cActor::findById(next);
  }
  s.closeUpSpeedX = 0;
  s.closeUpSpeedY = 0;
  s.closeUpCursorX = 0;
  s.closeUpCursorY = 0;
  s.closeUpOverHotspot = 0;
  s.closeUpAfterKind = 0;
  if (s.closeUpCursor == nullptr) {
    s.closeUpCursor = newObject<CVLibPlayer>();
    if (s.closeUpCursor == nullptr) return false;
    s.closeUpCursor->setSprite(spriteAt(cursorSlot));
    s.closeUpCursor->setAnimEx(0, -1, true);
  }
  s.closeUpLimitX = cGame::getActorFrameWidth(head) / 2;
  s.closeUpLimitY = cGame::getActorFrameHeight(head) / 2;
  s.closeUpCentreX = head->getPixelX();
  s.closeUpCentreY = head->getPixelY();
  s.closeUpCursorX = s.closeUpCentreX;
  s.closeUpCursorY = s.closeUpCentreY;
  if (ASprite* cursor = s.closeUpCursor->sprite; cursor != nullptr && s.closeUpCursor->anim >= 0) {
    const int32_t frame = cursor->getAFrameFrame(s.closeUpCursor->anim, 0);
    s.closeUpLimitX -= cursor->getFrameWidth(frame) / 2;
    s.closeUpLimitY -= cursor->getFrameHeight(frame) / 2;
  }
  // A picture narrower than the cursor holds it at the centre rather than
  // throwing it from edge to edge every frame.
  s.closeUpLimitX = std::max(s.closeUpLimitX, 0);
  s.closeUpLimitY = std::max(s.closeUpLimitY, 0);
  if (actor->param(13) >= 0) {
    cActor* focus = worldStatics().cGamePlay.focusActor;
    cGame::queueConversationLine(actor->param(13), -1, 1, focus != nullptr ? focus->id : -1);
  }
  cGame::playSound(loopSound, true);
  return true;
}

void cGameStory::updateCloseUp() {
  cGameInteractionStatics& s = view();
  if (s.interactionTarget == nullptr) return;
  cGameTouchStatics& pointer = touch();
  const bool tap = pointer.touchedOverlayArea == nullptr && pointer.pointerWasReleased;
  const bool ok = cGame::isKeyPressed(okKeys[0]) || cGame::isKeyPressed(okKeys[1]);
  if (!ok && !tap) {
    const bool backTapped = pointer.touchedOverlayArea != nullptr && pointer.touchedOverlayArea->id == backArea &&
                            pointer.pointerWasReleased;
    if (cGame::isKeyPressed(backKey) || backTapped) {
      pointer.touchedOverlayArea = nullptr;
      pointer.pointerWasReleased = false;
      cGame::clearInput();
      cGame::clearTouchState();
      cGame::leaveInteraction();
    }
  } else {
    if (tap) {
      const int32_t px = pointer.pointerX;
      const int32_t py = pointer.pointerY;
      const int32_t cx = s.closeUpCentreX;
      const int32_t cy = s.closeUpCentreY;
      if (px > viewCentreX - cx && py > viewCentreY - cy && px <= cx + viewCentreX && py <= cy + viewCentreY) {
        s.closeUpCursorX = px + cx - viewCentreX;
        s.closeUpCursorY = py + cy - viewCentreY;
      }
      s.closeUpOverHotspot = findHotspotUnderCursor() ? 1 : 0;
      pointer.pointerWasReleased = false;
    }
    // An OK key uses what the previous frame found under the cursor.
    if (s.closeUpOverHotspot != 0 && s.closeUpHotspot != nullptr) useHotspot(s.closeUpHotspot);
  }
  s.interactionOverWorld = false;
  panCloseUpView();
  s.closeUpOverHotspot = findHotspotUnderCursor() ? 1 : 0;
  if (s.interactionModeSeen == modeLeft && s.closeUpAfterKind == afterCutscene) {
    cGame::playCutscene(cGame::findCutscene(s.closeUpAfterId));
  }
}

void cGameStory::panCloseUpView() {
  cGameInteractionStatics& s = view();
  const int32_t d = cActorMC::heldDirection(cActorMC::pressedDirection());
  const bool left = (d & DirectionMask::LEFT) != 0;
  const bool right = (d & DirectionMask::RIGHT) != 0;
  const bool up = (d & DirectionMask::UP) != 0;
  const bool down = (d & DirectionMask::DOWN) != 0;
  s.closeUpSpeedX = panSpeed(s.closeUpSpeedX, d != 0 && (left || right));
  s.closeUpSpeedY = panSpeed(s.closeUpSpeedY, d != 0 && (up || down));
  const int32_t x = left ? s.closeUpCursorX - s.closeUpSpeedX : s.closeUpCursorX + s.closeUpSpeedX;
  const int32_t y = up ? s.closeUpCursorY - s.closeUpSpeedY : s.closeUpCursorY + s.closeUpSpeedY;
  s.closeUpCursorX = clampToPicture(x, s.closeUpCentreX, s.closeUpLimitX);
  s.closeUpCursorY = clampToPicture(y, s.closeUpCentreY, s.closeUpLimitY);
}

bool cGameStory::findHotspotUnderCursor() {
  cGameInteractionStatics& s = view();
  int32_t steps = chainSteps();
  for (cActor* member = s.closeUpChain; member != nullptr && steps-- > 0; member = member->chainNext) {
    if (!isShownHotspot(member) || member->param(0) <= 0) continue;
    if (std::abs(s.closeUpCursorX - member->getPixelX()) > cGame::getActorFrameWidth(member) / 2) continue;
    if (std::abs(s.closeUpCursorY - member->getPixelY()) > cGame::getActorFrameHeight(member) / 2) continue;
    s.closeUpHotspot = member;
    return true;
  }
  return false;
}

void cGameStory::paintCloseUp() {
  cGameInteractionStatics& s = view();
  if (s.interactionTarget == nullptr) return;
  const int32_t ox = viewCentreX - s.closeUpCentreX;
  const int32_t oy = viewCentreY - s.closeUpCentreY;
  int32_t steps = chainSteps();
  for (cActor* member = s.closeUpChain; member != nullptr && steps-- > 0; member = member->chainNext) {
    CVLibPlayer* player = member->player;
    if (member->param(1) != shown || player == nullptr) continue;
    player->x = member->getPixelX() + ox;
    player->y = member->getPixelY() + oy;
    if (player->anim >= 0) player->paint();
  }
  // The view keeps the screen's touch to itself, unless a line's box or the
  // in-game menu needs its own areas.
  if (s.interactionMode != modeLeft && cGame::isConversationQueueIdle() && !states().menuSuspended) {
    touch().touchAreasComplete = true;
  }
  if (s.closeUpOverHotspot != 0) paintSelectionFrame(s.closeUpHotspot, ox, oy);
  if (CVLibPlayer* cursor = s.closeUpCursor) {
    cursor->x = s.closeUpCursorX + ox;
    cursor->y = s.closeUpCursorY + oy;
    cursor->paint();
  }
}

void cGameStory::paintSelectionFrame(cActor* actor, int32_t dx, int32_t dy) {
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (g == nullptr || actor == nullptr) return;
  g->setColor(white);
  const int32_t w = cGame::getActorFrameWidth(actor);
  const int32_t h = cGame::getActorFrameHeight(actor);
  const int32_t pulse = states().framesInState % 15 < 7 ? 2 : 0;
  const int32_t x0 = actor->getPixelX() - w / 2 + dx;
  const int32_t y0 = actor->getPixelY() - h / 2 + dy;
  const int32_t left = x0 - pulse;
  const int32_t top = y0 - pulse;
  const int32_t right = x0 + w + pulse;
  const int32_t bottom = y0 + h + pulse;
  const int32_t n = cornerLength;
  g->drawLine(left, top, left, top + n);
  g->drawLine(left, top, left + n, top);
  g->drawLine(right, top, right, top + n);
  g->drawLine(right, top, right - n, top);
  g->drawLine(left, bottom, left, bottom - n);
  g->drawLine(left, bottom, left + n, bottom);
  g->drawLine(right, bottom, right, bottom - n);
  g->drawLine(right, bottom, right - n, bottom);
}

// The two-button race against a creature: the OK button closes the two
// sides together before they drift off the screen, then a left and a right
// button stop two bouncing markers inside their zones, all against the
// clock. Winning subdues the creature; losing lets it strike.
#include <cstdint>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/story/InteractionGames.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "platform/java_lang/java_lang_System.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;
using namespace interactiongames;

namespace {

constexpr int32_t raceKind = 1;
constexpr int32_t raceSlot = 15;
constexpr int32_t bandTop = 180;
constexpr int32_t bandHeight = 240;
constexpr int32_t leftSideX = 217;
constexpr int32_t rightSideX = 583;
constexpr int32_t leftMarkerX = 299;
constexpr int32_t rightMarkerX = 501;
constexpr int32_t centreX = 400;
constexpr int32_t leftZoneX = 297;
constexpr int32_t rightZoneX = 503;
// The sides meet once the approach value has carried them 80 px inwards.
constexpr int32_t approachMet = 80;
constexpr int32_t approachPush = 9;
constexpr int32_t centreRise = 3;
constexpr int32_t leftArea = 212;
constexpr int32_t rightArea = 213;

namespace Anim {
constexpr int32_t leftApproach = 0, leftEngaged = 1, rightApproach = 2, rightEngaged = 3, leftMarker = 4,
                  rightMarker = 5, leftDone = 6, rightDone = 7, centre = 8, sideSize = 9, leftZone = 10,
                  rightZone = 11;
constexpr int32_t buttonOk = 19, buttonLeft = 28, buttonRight = 34;
constexpr int32_t highestRace = rightZone, highestButton = buttonRight + 1;
}  // namespace Anim

constexpr int32_t leftKeys[] = {10, 3};
constexpr int32_t rightKeys[] = {12, 4};

bool leftDone(const cGameRaceStatics& r) { return r.raceLeftSide != nullptr && r.raceLeftSide->anim == Anim::leftDone; }
bool rightDone(const cGameRaceStatics& r) {
  return r.raceRightSide != nullptr && r.raceRightSide->anim == Anim::rightDone;
}
bool bothDone(const cGameRaceStatics& r) { return leftDone(r) && rightDone(r); }

// The player's animation, made first when missing.
CVLibPlayer* placedPlayer(CVLibPlayer*& player, int32_t anim, int32_t x) {
  if (player == nullptr) player = newObject<CVLibPlayer>();
  if (player == nullptr) return nullptr;
  player->setSprite(spriteAt(raceSlot));
  player->setAnim(anim, -1);
  player->x = x;
  player->y = bandTop;
  return player;
}

// The target zone both markers are held against, in screen pixels.
struct Zone {
  int32_t top;
  int32_t height;
  int32_t markerHeight;
  bool holds(int32_t y) const { return top <= y && y <= top + height - markerHeight; }
};

Zone zoneBounds(const cGameRaceStatics& r) {
  CVLibPlayer* zone = r.raceLeftZone;
  if (zone == nullptr || r.raceLeftMarker == nullptr || zone->sprite == nullptr) return {0, 0, 0};
  const int32_t offset = hasAnim(zone->sprite, Anim::leftZone) && zone->aframe >= 0 &&
                                 zone->aframe < zone->sprite->getAFrameCount(Anim::leftZone)
                             ? zone->sprite->getAFrameOffsetY(Anim::leftZone, zone->aframe)
                             : 0;
  return {bandTop + offset, playerFrameHeight(zone), playerFrameHeight(r.raceLeftMarker)};
}

// The touch area of the side button that is up next: the marker's band
// beside its zone.
void addSideArea(int32_t zoneX, int32_t id) {
  const FrameSize size = animFrameSize(spriteAt(raceSlot), Anim::sideSize);
  cGame::addTouchArea(zoneX - size.width, bandTop + size.height / 2, 2 * size.width, size.height, id);
}

void moveButton(cGameRaceStatics& r, int32_t anim, int32_t x, const Zone& zone) {
  r.interactionButtonAnim = anim;
  CVLibPlayer* button = r.interactionButton;
  if (button == nullptr) return;
  button->setAnim(anim, -1);
  button->x = x;
  button->y = zone.top + zone.height / 2;
}

void takeInput(cGameRaceStatics& r, const Zone& zone) {
  if (eitherPressed(okKeys) || releasedOn(okArea)) {
    takeRelease(okArea);
    if (!r.gaugeRunning) return;
    r.gaugeValue += approachPush;
    if (r.gaugeValue < approachMet) return;
    // The sides have met: the left marker is to be stopped.
    if (r.raceLeftSide != nullptr) r.raceLeftSide->setAnim(Anim::leftEngaged, -1);
    if (r.raceRightSide != nullptr) r.raceRightSide->setAnim(Anim::rightEngaged, -1);
    const int32_t buttonWidth = r.interactionButton != nullptr ? playerFrameWidth(r.interactionButton) : 0;
    moveButton(r, Anim::buttonLeft, leftZoneX - buttonWidth / 2, zone);
    r.gaugeRunning = false;
    cGame::clearInput();
    cGame::clearTouchState();
    addSideArea(leftZoneX, leftArea);
    touch().touchAreasComplete = true;
    return;
  }
  if (eitherPressed(leftKeys) || releasedOn(leftArea)) {
    takeRelease(leftArea);
    if (r.gaugeRunning || !zone.holds(r.raceLeftY)) return;
    if (r.raceLeftSide != nullptr) r.raceLeftSide->setAnim(Anim::leftDone, -1);
    const int32_t buttonWidth = r.interactionButton != nullptr ? playerFrameWidth(r.interactionButton) : 0;
    moveButton(r, Anim::buttonRight, rightZoneX + buttonWidth / 2, zone);
    cGame::clearInput();
    cGame::clearTouchState();
    addSideArea(rightZoneX, rightArea);
    touch().touchAreasComplete = true;
    return;
  }
  if (eitherPressed(rightKeys) || releasedOn(rightArea)) {
    takeRelease(rightArea);
    if (r.gaugeRunning || !zone.holds(r.raceRightY)) return;
    if (r.raceRightSide != nullptr) r.raceRightSide->setAnim(Anim::rightDone, -1);
    cGame::clearInput();
    cGame::clearTouchState();
  }
}

// The marker still to be stopped bounces between the band's top and its
// side's foot.
void bounce(cGameRaceStatics& r, const Zone& zone) {
  const bool left = !leftDone(r);
  int16_t& y = left ? r.raceLeftY : r.raceRightY;
  bool& rising = left ? r.raceLeftRising : r.raceRightRising;
  CVLibPlayer* side = left ? r.raceLeftSide : r.raceRightSide;
  const int32_t sideHeight = side != nullptr ? playerFrameHeight(side) : 0;
  if (y <= bandTop) rising = true;
  if (y >= bandTop + sideHeight) rising = false;
  const int32_t step = r.raceLevel + 3;
  y = static_cast<int16_t>(rising ? y + step : y - step);
  if (r.interactionButton != nullptr)
    r.interactionButton->setAnim(zone.holds(y) ? r.interactionButtonAnim + 1 : r.interactionButtonAnim, -1);
}

void place(CVLibPlayer* player, int32_t x, int32_t y) {
  if (player == nullptr) return;
  player->x = x;
  player->y = y;
}

void advance(CVLibPlayer* player, int32_t ms) {
  if (player != nullptr) player->update(ms);
}

void paint(CVLibPlayer* player) {
  if (player != nullptr) player->paint();
}

// The race ends once: a lost clock in the update that drifted off the
// screen does not let the creature strike twice.
struct RaceEnd {
  cActor* target;
  bool ended = false;
  void lose() {
    if (ended) return;
    ended = true;
    debugLog("cGame: race lost");
    race().raceStarter = nullptr;
    cGame::leaveInteraction();
    if (Object::instanceOf(target, classid::cActorEnemy) != 0) static_cast<cActorEnemy*>(target)->onHit();
  }
  void win() {
    if (ended) return;
    ended = true;
    debugLog("cGame: race won");
    cGame::leaveInteraction();
    if (Object::instanceOf(target, classid::cActorEnemy) != 0) static_cast<cActorEnemy*>(target)->subdue();
    // The object is used up, which its room sees (a flag trigger on its
    // KILLED bit); after a loss it stays for another try.
    cActor* starter = race().raceStarter;
    race().raceStarter = nullptr;
    if (starter != nullptr) starter->kill();
  }
};

}  // namespace

void cGameStory::initRaceTables() {
  constexpr int32_t limits[] = {30000, 25000, 20000};
  IntArray* table = newIntArray(3);
  if (table == nullptr) return;
  for (int32_t level = 0; level < 3; ++level) table->set(level, limits[level]);
  race().raceTimeLimits = table;
}

void cGameStory::dropRacePlayers() {
  cGameRaceStatics& r = race();
  r.interactionButton = nullptr;
  r.raceLeftSide = nullptr;
  r.raceRightSide = nullptr;
  r.raceLeftMarker = nullptr;
  r.raceRightMarker = nullptr;
  r.raceCentre = nullptr;
  r.raceLeftZone = nullptr;
  r.raceRightZone = nullptr;
  r.raceStarter = nullptr;
}

bool cGameStory::startButtonInteraction(cActor* target) {
  cGame::clearInput();
  cGame::clearTouchState();
  if (cGame::isInteractionActive() || target == nullptr) return false;
  if (Object::instanceOf(target, classid::cActorEnemy) == 0) {
    debugLog("startButtonInteraction: actor %d is no creature; no race", target->id);
    return false;
  }
  // Most rooms do not load the race: without its pictures there is nothing
  // to play, so the creature is left to its own devices.
  if (!hasAnim(spriteAt(raceSlot), Anim::highestRace) || !hasAnim(spriteAt(buttonSlot), Anim::highestButton)) {
    debugLog("startButtonInteraction: the race's sprites are not loaded; no race");
    return false;
  }
  cGameRaceStatics& r = race();
  if (r.raceLevel > 2) r.raceLevel = 2;
  // A level below 0 has no limit of its own; the easiest one stands in.
  const int32_t level = r.raceLevel >= 0 ? r.raceLevel : 0;
  cGameInteractionStatics& m = mode();
  m.interactionKind = raceKind;
  m.interactionTarget = target;
  m.interactionMode = 1;
  m.interactionModeSeen = 0;
  r.gaugeRunning = true;
  r.gaugeValue = 0;
  IntArray* limits = r.raceTimeLimits;
  r.raceTimeLeft = limits != nullptr && level < limits->length() ? limits->get(level) : 0;
  CVLibPlayer* leftSide = placedPlayer(r.raceLeftSide, Anim::leftApproach, leftSideX);
  CVLibPlayer* rightSide = placedPlayer(r.raceRightSide, Anim::rightApproach, rightSideX);
  placedPlayer(r.raceLeftMarker, Anim::leftMarker, leftMarkerX);
  placedPlayer(r.raceRightMarker, Anim::rightMarker, rightMarkerX);
  placedPlayer(r.raceCentre, Anim::centre, centreX);
  placedPlayer(r.raceLeftZone, Anim::leftZone, leftZoneX);
  placedPlayer(r.raceRightZone, Anim::rightZone, rightZoneX);
  if (CVLibPlayer* button = startButton(centreX)) button->y = bandTop + playerFrameHeight(button);
  r.raceLeftY = static_cast<int16_t>(bandTop + (leftSide != nullptr ? playerFrameHeight(leftSide) : 0));
  r.raceRightY = static_cast<int16_t>(bandTop + (rightSide != nullptr ? playerFrameHeight(rightSide) : 0));
  r.raceCentreY = r.raceLeftY;
  r.raceStarter = nullptr;
  return true;
}

bool cGameStory::startObjectRace(cActor* object) {
  if (object == nullptr) return false;
  cActor* rival = cActor::findById(object->param(5));
  if (rival == nullptr || Object::instanceOf(rival, classid::cActorEnemy) == 0) {
    debugLog("startObjectRace: object %d wakes no creature (%d) to race", object->id, object->param(5));
    return false;
  }
  if (!startButtonInteraction(rival)) return false;
  race().raceStarter = object;
  return true;
}

void cGameStory::updateTwoButtonGame() {
  cGameRaceStatics& r = race();
  cGameInteractionStatics& m = mode();
  if (m.interactionTarget == nullptr) return;
  const Zone zone = zoneBounds(r);
  takeInput(r, zone);
  if (m.interactionModeSeen != 1) return;
  RaceEnd end{m.interactionTarget};
  cGame::resetActionMarker();
  m.interactionOverWorld = false;
  if (r.gaugeRunning) {
    r.gaugeValue -= 1;
    const int32_t w = r.raceLeftSide != nullptr ? playerFrameWidth(r.raceLeftSide) : 0;
    if (w + r.gaugeValue + leftSideX <= 0 || rightSideX - w - r.gaugeValue >= 800) end.lose();
  } else if (!bothDone(r)) {
    bounce(r, zone);
  }
  const bool done = bothDone(r);
  if (done) {
    r.raceLeftY = static_cast<int16_t>(zone.top);
    r.raceRightY = static_cast<int16_t>(zone.top);
    if (r.raceCentreY > zone.top) {
      r.raceCentreY = static_cast<int16_t>(r.raceCentreY - centreRise);
    } else {
      r.raceCentreY = static_cast<int16_t>(zone.top);
      end.win();
    }
  }
  place(r.raceCentre, centreX, r.raceCentreY);
  if (r.gaugeRunning) {
    place(r.raceLeftSide, leftSideX + r.gaugeValue, bandTop);
    place(r.raceRightSide, rightSideX - r.gaugeValue, bandTop);
  } else {
    place(r.raceLeftSide, leftZoneX, bandTop);
    place(r.raceRightSide, rightZoneX, bandTop);
  }
  place(r.raceLeftMarker, leftMarkerX, r.raceLeftY);
  place(r.raceRightMarker, rightMarkerX, r.raceRightY);
  const int32_t ms = loop().frameTime;
  for (CVLibPlayer* player : {r.interactionButton, r.raceLeftSide, r.raceRightSide, r.raceLeftMarker,
                              r.raceRightMarker, r.raceLeftZone, r.raceRightZone})
    advance(player, ms);
  if (done) return;
  if (r.raceTimeLeft < 0) {
    end.lose();
  } else {
    r.raceTimeLeft -= ms;
  }
}

void cGameStory::paintTwoButtonGame() {
  cGameRaceStatics& r = race();
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (g == nullptr) return;
  const bool suspended = states().menuSuspended;
  if (r.gaugeRunning) {
    if (r.interactionButton != nullptr) r.interactionButton->setAnim(Anim::buttonOk, -1);
    if (!touch().touchAreasComplete) {
      const FrameSize size = frameSize(spriteAt(buttonSlot), buttonAreaFrame);
      const int32_t buttonHeight = r.interactionButton != nullptr ? playerFrameHeight(r.interactionButton) : 0;
      if (!suspended) {
        cGame::addTouchArea(centreX - size.width / 2, buttonHeight - size.height / 2 + bandTop, size.width,
                            size.height, okArea);
        touch().touchAreasComplete = true;
      }
    }
  }
  if (!suspended) {
    if (leftDone(r) || rightDone(r)) {
      addSideArea(rightZoneX, rightArea);
    } else {
      addSideArea(leftZoneX, leftArea);
    }
    touch().touchAreasComplete = true;
  }
  cGame::fillRectWithColourTile(0, bandTop, 800, bandHeight, static_cast<int32_t>(0xC0000000));
  g->setColor(-1);
  g->drawLine(0, bandTop - 1, 800, bandTop - 1);
  g->drawLine(0, bandTop + bandHeight + 1, 800, bandTop + bandHeight + 1);
  paint(r.raceLeftSide);
  paint(r.raceRightSide);
  if (!leftDone(r)) {
    paint(r.raceLeftMarker);
    if (!r.gaugeRunning) paint(r.raceLeftZone);
  }
  if (!rightDone(r)) {
    paint(r.raceRightMarker);
    if (!r.gaugeRunning && leftDone(r)) paint(r.raceRightZone);
  }
  paint(r.raceCentre);
  if (bothDone(r)) return;
  paint(r.interactionButton);
  const int64_t seconds = r.raceTimeLeft / 1000;
  // The last five seconds blink with a 512 ms period.
  if (seconds > 5 || (java_lang_System::currentTimeMillis() & 256) != 0)
    cGame::drawText(6, 1, cGame::formatTwoDigits(seconds), centreX, bandTop + bandHeight, 33);
}

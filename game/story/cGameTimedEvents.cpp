// The story's two clocks of play. The timed events are short captioned
// phases around the fight with the room's leading creature (its alarm, its
// fall, the player's defeat); while one runs only the actors move. The
// countdown is the room's timer at the top right: at zero its cutscene
// starts, or the game is over.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/world/cActor.h"
#include "game/world/cActorEnemy.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/Object.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;

namespace {

constexpr int32_t phaseCount = 5;
constexpr int32_t noPhase = -1;
constexpr int32_t alarmFinished = -2;
constexpr int32_t phaseDurations[phaseCount] = {1000, 1000, 1000, 2000, 2000};
constexpr int32_t captionTexts[phaseCount] = {229, 229, 230, 231, 232};
constexpr int32_t captionX = 400;
constexpr int32_t captionTop = -60;
constexpr int32_t captionY = 120;
constexpr int32_t alarmTargetAnim = 36;
constexpr int32_t alarmFocusAnim = 17;
constexpr int32_t targetIdleAnim = 1;
constexpr int32_t leaderFallsRoom = 3;
constexpr int32_t gameOverKind = 2;
constexpr int32_t chapterEndKind = 3;
constexpr int32_t forever = 0x7FFFFFFF;
constexpr int32_t gaugeMaxParam = 22;
constexpr int32_t panelSlot = 11;
constexpr int32_t clockFrame = 12;
constexpr int32_t textFontSlot = 5;
constexpr int32_t captionFontSlot = 6;
constexpr int32_t centred = 3;

cGameTimedEventStatics& timed() { return storyStatics().cGameTimedEvents; }
cGameCountdownStatics& countdown() { return storyStatics().cGameCountdown; }
cActor* target() { return worldStatics().cGameRoom.targetActor; }

bool isRunningPhase(int32_t phase) { return phase >= 0 && phase < phaseCount; }

// A cutscene in the foreground holds both clocks.
bool heldByCutscene() { return cGame::isCutsceneActive() && !shellStatics().cGameShared.fullSpeedAnimation; }

void playOnce(cActor* actor, int32_t anim, int32_t loops) {
  if (actor != nullptr) actor->setAnim(anim, loops);
}

// What a phase does when its time is up.
void endPhase(int32_t phase) {
  switch (phase) {
    case 0:
      cGame::startCaptionPhase(1);
      break;
    case 1:
      cGame::startCaptionPhase(2);
      break;
    case 2:
      cGame::startCaptionPhase(alarmFinished);
      break;
    case 3:
      if (cGame::getProgress(shellStatics().cGameProgress.chapter) == leaderFallsRoom) {
        // The phase stays: the chapter's end screen takes the frame from here.
        int32_t text = storyStatics().cGameActions.pendingCinematicText;
        if (text < 0) {
          debugLog("The leader fell with no chapter-end text waiting; the end screen waits for OK");
          text = 0;
        }
        cGame::openCinematic(forever, chapterEndKind, text);
      } else {
        cGame::startCaptionPhase(noPhase);
      }
      break;
    case 4:
      cGame::openCinematic(forever, gameOverKind, 0);
      break;
    default:
      break;
  }
}

String* literal(LiteralId id) { return stringLiteral(static_cast<int32_t>(id)); }

// mm:ss; each part padded to two digits by its leading literal.
String* clockText(int32_t minutes, int32_t seconds) {
  StringBuffer* text = newObject<StringBuffer>();
  if (text == nullptr) return nullptr;
  text->append(literal(minutes < 10 ? LiteralId::clockDigitPadding : LiteralId::emptyText));
  text->append(minutes);
  text->append(literal(seconds < 10 ? LiteralId::clockSeparatorPadded : LiteralId::clockSeparator));
  text->append(seconds);
  return text->toString();
}

}  // namespace

// --- the countdown

void cGame::setCountdown(int32_t milliseconds, int32_t action) {
  cGameCountdownStatics& clock = countdown();
  if (milliseconds <= 0) {
    clearCountdown();
    return;
  }
  clock.countdownMs = milliseconds;
  clock.countdownAction = action;
}

bool cGameStory::isCountdownActive() { return countdown().countdownMs > 0; }

void cGameStory::clearCountdown() {
  cGameCountdownStatics& clock = countdown();
  clock.countdownMs = 0;
  clock.countdownAction = -1;
}

void cGame::updateCountdown() {
  cGameCountdownStatics& clock = countdown();
  if (clock.countdownMs <= 0 || isInteractionActive() || isConversationActive()) return;
  if (heldByCutscene()) return;
  clock.countdownMs -= loop().timeStep;
  if (clock.countdownMs >= 1) return;
  const int32_t action = clock.countdownAction;
  clearCountdown();
  const int32_t cutscene = findCutscene(action);
  if (cutscene >= 0) {
    playCutscene(cutscene);
  } else {
    openCinematic(forever, gameOverKind, 0);
  }
}

void cGame::paintCountdownClock() {
  const int32_t ms = countdown().countdownMs;
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (ms <= 0 || g == nullptr) return;
  if (ASprite* panel = spriteAt(panelSlot)) panel->paintFrame(g, clockFrame, 800, 84, 0, 0, 0);
  const int32_t minutes = ms / 60000;
  const int32_t seconds = (ms - minutes * 60000) / 1000;
  const int32_t hundredths = ms / 10 % 100;
  ASprite* font = spriteAt(textFontSlot);
  String* text = clockText(minutes, seconds);
  if (font == nullptr || text == nullptr) return;
  // The last ten seconds blink.
  font->setPalette(minutes == 0 && seconds < 10 && hundredths < 50 ? 2 : 1);
  font->drawStringAt(g, text, 751, 110, centred, false);
}

// --- the timed events

void cGame::clearRoomTimedState() {
  startCaptionPhase(noPhase);
  clearChoice();
}

int32_t cGame::timedPhase() { return timed().timedPhase; }

void cGame::showCaption(int32_t x, int32_t y, int32_t n) {
  if (!isRunningPhase(n)) {
    debugLog("showCaption: no caption %d", n);
    return;
  }
  cGameTimedEventStatics& state = timed();
  state.timedCaption = getText(captionTexts[n]);
  state.timedCaptionX = x;
  state.timedCaptionY = y;
}

void cGame::startTimedCaption(int32_t n) {
  if (!isRunningPhase(n) && n != noPhase && n != alarmFinished) {
    debugLog("startTimedCaption: no phase %d", n);
    return;
  }
  cGameTimedEventStatics& state = timed();
  state.timedPhase = n;
  state.timedElapsed = 0;
}

void cGame::startCaptionPhase(int32_t n) {
  switch (n) {
    case noPhase:
    case alarmFinished:
      timed().timedCaption = nullptr;
      break;
    case 0:
      showCaption(captionX, captionTop, 0);
      break;
    case 1:
      showCaption(captionX, captionY, 1);
      playOnce(target(), alarmTargetAnim, 1);
      playOnce(worldStatics().cGamePlay.focusActor, alarmFocusAnim, -1);
      break;
    case 2:
    case 3:
    case 4:
      showCaption(captionX, captionY, n);
      break;
    default:
      debugLog("startCaptionPhase: no phase %d", n);
      return;
  }
  startTimedCaption(n);
}

void cGame::startCaptionSequence() {
  // The alarm sounds once: a finished sequence is a set phase too.
  if (timedPhase() != noPhase) return;
  startCaptionPhase(isProgressAt3Or7() ? 0 : noPhase);
}

void cGameStory::stopCaptionSequence() { cGame::startCaptionPhase(noPhase); }

bool cGame::updateTimedEvent() {
  cGameTimedEventStatics& state = timed();
  const int32_t phase = state.timedPhase;
  if (!isRunningPhase(phase)) return false;
  state.timedElapsed += loop().frameTime;
  if (heldByCutscene()) return false;
  const bool done = state.timedElapsed >= phaseDurations[phase];
  if (phase == 1 || phase == 2) {
    cActor* leader = target();
    if (leader != nullptr && leader->isAnimationEnded()) leader->setAnim(targetIdleAnim, -1);
  }
  if (!done) {
    // The alarm's caption slides down from above the screen.
    if (phase == 0) {
      state.timedCaptionX = captionX;
      state.timedCaptionY = state.timedElapsed * (captionY - captionTop) / phaseDurations[0] + captionTop;
    }
    return true;
  }
  endPhase(phase);
  return phase != 4;
}

void cGame::paintTimedEvent() {
  const cGameTimedEventStatics& state = timed();
  const int32_t phase = state.timedPhase;
  if (!isRunningPhase(phase) || state.timedElapsed >= phaseDurations[phase]) return;
  ASprite* font = spriteAt(captionFontSlot);
  if (font == nullptr) return;
  font->setPalette(phase == 4 ? 3 : 0);
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (state.timedCaption != nullptr && g != nullptr) {
    g->setClip(0, 0, 800, 480);
    font->drawStringAt(g, state.timedCaption, state.timedCaptionX, state.timedCaptionY, centred, false);
  }
}

void cGame::paintTimerOverlay() {
  paintStatusPanel();
  cActor* leader = target();
  if (leader == nullptr) return;
  const bool alarmOver = timedPhase() == alarmFinished && isProgressAt3Or7() && leader->isActive();
  const bool downInRoom9 = isProgressAt9() && Object::instanceOf(leader, classid::cActorEnemy) != 0 &&
                           static_cast<cActorEnemy*>(leader)->isOutOfPlay();
  if (alarmOver || downInRoom9) paintGauge(leader->hp, leader->param(gaugeMaxParam), getProgressCode());
}

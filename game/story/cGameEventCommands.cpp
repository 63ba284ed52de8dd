// What each command of an event track does. Commands that depend on real
// time (balloons, lines, questions, popups, sound effects, shake and the
// closing choice) are passed over while a cutscene is fast-forwarded.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/story/EventCommands.h"
#include "game/story/EventScriptFormat.h"
#include "game/story/ScriptReader.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/cSoundServer.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

constexpr int32_t hideBit = 0x800000;
constexpr int32_t halfViewWidth = 400, halfViewHeight = 240;
constexpr int32_t cameraHandOverMs = 500;
constexpr int32_t closingPauseMs = 500;
constexpr int32_t loopedSoundsBelow = 11;  // sounds 0..10 may loop; later ones are effects
constexpr int32_t answerCount = 5;
constexpr int32_t gameOverKind = 2;

cGameCutsceneStatics& cutscene() { return storyStatics().cGameCutscene; }
cGameCameraStatics& camera() { return worldStatics().cGameCamera; }

int32_t wholePixel(int32_t v) { return (v + 128) >> 8; }

// A creature's facing from a script's animation: 0 up, 1 left, 3 right,
// anything else down.
int32_t directionFromIndex(int32_t index) {
  switch (index) {
    case 0: return DirectionMask::UP;
    case 1: return DirectionMask::LEFT;
    case 3: return DirectionMask::RIGHT;
    default: return DirectionMask::DOWN;
  }
}

void playSoundCommand(int32_t sound, bool loop) {
  if (sound == -1) {
    cGame::stopSoundA();
    cGame::stopSoundB();
  } else if (sound >= 0 && sound < loopedSoundsBelow) {
    cGame::playSound(sound, loop);
  } else if (sound >= loopedSoundsBelow && !cutscene().cutsceneFastForward) {
    cGame::playSound(sound, false);
  }
}

// The answers that are given, the right one's index counted among them.
void askQuestion(ScriptReader& in) {
  const int32_t text = in.s16();
  const int32_t speaker = in.s16();
  const int32_t balloonActor = in.s16();
  int32_t answers[answerCount];
  for (int32_t& answer : answers) answer = in.s16();
  int32_t right = in.s16();
  const int32_t rightAction = in.s16();
  const int32_t wrongAction = in.s16();
  IntArray* given = newIntArray(answerCount);
  if (given == nullptr) return;
  int32_t count = 0;
  const int32_t rightAsWritten = right;
  for (int32_t i = 0; i < answerCount; ++i) {
    if (answers[i] >= 0) given->set(count++, answers[i]);
    else if (i <= rightAsWritten) --right;
  }
  if (count >= 1 && right >= 0)
    cGame::queueConversationQuestion(text, speaker, balloonActor, given, count, right, rightAction, wrongAction);
}

void moveCameraTo(int32_t x, int32_t y, bool centred) {
  cGameCameraStatics& cam = camera();
  if (centred) {
    if (x < 0) x = wholePixel(cam.cameraX) + halfViewWidth;
    if (y < 0) y = wholePixel(cam.cameraY) + halfViewHeight;
    x -= halfViewWidth;
    y -= halfViewHeight;
  } else {
    if (x < 0) x = wholePixel(cam.cameraX);
    if (y < 0) y = wholePixel(cam.cameraY);
    worldStatics().cGamePlay.cameraPixelX = x;
    worldStatics().cGamePlay.cameraPixelY = y;
  }
  cGame::setCameraPixelPosition(x, y);
  cGame::clearCameraTarget();
}

// The camera pans to the actor of track k of the running cutscene; k
// beyond its tracks names nothing.
void followTrack(int32_t k, int32_t runningCutscene) {
  const int32_t first = cGame::getCutsceneFirstTrack(runningCutscene);
  const ByteArray* counts = storyStatics().cGameEventScript.cutsceneTrackCounts;
  if (first < 0 || counts == nullptr || k >= counts->get(runningCutscene)) {
    debugLog("Event script: the camera follows track %d, which cutscene %d does not have", k, runningCutscene);
    return;
  }
  cGame::setCameraTarget(cGame::getTrackActor(first + k), cameraHandOverMs);
}

// A cutscene start that the interpreter stops for only when it happened:
// a refused or deferred one leaves the keyframe to run on.
bool startedCutscene(int32_t startsBefore) { return cutscene().startCount != startsBefore; }

}  // namespace

bool eventcommands::run(int32_t opcode, ScriptReader& in, int32_t t, int32_t runningCutscene, bool firstKeyframe) {
  const bool fastForward = cutscene().cutsceneFastForward;
  if (fastForward && eventscript::skippedWhileFastForward(static_cast<uint8_t>(opcode))) {
    in.skip(eventscript::operandBytes(static_cast<uint8_t>(opcode)));
    return false;
  }
  // Null for tracks without an actor of their own (types 0 and 1).
  cActor* actor = cGame::getTrackActor(t);
  switch (opcode) {
    case 11:
    case 12: {
      const int32_t x = in.s16();
      const int32_t y = in.s16();
      moveCameraTo(x, y, opcode == 12);
      break;
    }
    case 13: {
      const int32_t k = in.u8();
      in.skip(4);
      followTrack(k, runningCutscene);
      break;
    }
    case 21: {
      const int32_t x = in.s16();
      const int32_t y = in.s16();
      if (actor != nullptr) cGame::placeActor(actor, x < 0 ? actor->x : x << 8, y < 0 ? actor->y : y << 8);
      break;
    }
    case 41: {
      const int32_t x = in.s16();
      const int32_t y = in.s16();
      cGame::placeActor(actor, x << 8, y << 8);
      break;
    }
    case 22: cGame::setActorAnimFromScript(actor, in.s16()); break;
    case 42: cGame::setActorAnimFromScript(actor, in.u8()); break;
    case 23:
    case 43:
    case 24:
    case 44: {
      const bool hide = opcode == 23 || opcode == 43;
      if ((in.s32() & hideBit) != 0 && actor != nullptr) actor->setFlag(ActorFlags::HIDDEN, hide);
      break;
    }
    case 26:
    case 47: {
      const int32_t z = in.s16();
      if (actor != nullptr) actor->setZ(z << 8);
      break;
    }
    case 27: {
      const int32_t palette = in.s16();
      if (actor != nullptr) actor->palette = palette;
      break;
    }
    case 28: {
      const int32_t text = in.s16();
      const int32_t ms = in.s16();
      const int32_t style = in.s16();
      const int32_t arg = in.s16();
      if (actor != nullptr) actor->setBalloon(text + eventscript::scriptTextOffset, ms, style, arg);
      break;
    }
    case 37: {
      const int32_t starts = cutscene().startCount;
      if (cGame::runActionById(in.s16()) && startedCutscene(starts)) return true;
      break;
    }
    case 45: {
      const int32_t palette = in.s16();
      if (actor != nullptr && actor->player != nullptr && actor->player->sprite != nullptr)
        actor->player->sprite->setPalette(palette);
      break;
    }
    case 50:
      if (cActor* target = cActor::findById(in.s16())) target->activate();
      break;
    case 51:
      if (cActor* target = cActor::findById(in.s16())) target->kill();
      break;
    case 52: {
      const int32_t text = in.s16();
      cGame::showHint(text, in.s16(), false);
      break;
    }
    case 53: {
      const int32_t text = in.s16();
      const int32_t speaker = in.s16();
      cGame::queueConversationLine(text, -1, speaker, in.s16());
      break;
    }
    case 54: cGame::setPlayerControl(in.boolean()); break;
    case 55: {
      const int32_t sound = in.s8();
      playSoundCommand(sound, in.boolean());
      break;
    }
    case 57: cGame::startCameraShake(in.s16(), 1, 1, 40); break;
    case 58: {
      in.skip(2);
      const int32_t text = in.s16();
      const int32_t x = in.s16();
      const int32_t y = in.s16();
      cGame::startCutsceneAt(0, text, x, y, in.boolean(), firstKeyframe);
      break;
    }
    case 61: askQuestion(in); break;
    case 62:
    case 63:
      cutscene().cutsceneTransition = opcode == 62 ? 1 : -1;
      cutscene().cutsceneTransitionTime = closingPauseMs;
      break;
    case 64: {
      const int32_t id = in.s16();
      const int32_t tenths = in.s16();
      const bool background = in.boolean();
      const bool loop = in.boolean();
      if (cGame::startCutsceneEx(cGame::findCutscene(id), tenths, background, loop)) return true;
      break;
    }
    case 65: {
      cActor* bound = cActor::findById(in.s16());
      const int32_t target = in.s16();
      const int32_t x = in.s16();
      const int32_t y = in.s16();
      const int32_t w = in.s16();
      const int32_t h = in.s16();
      if (bound != nullptr) bound->bindToActor(target, x, y, w, h);
      break;
    }
    case 66:
      cutscene().cutsceneSkipOffered = true;
      cutscene().cutsceneSkipMode = in.boolean();
      break;
    case 67: {
      in.skip(2);
      const int32_t item = in.u8();
      const int32_t count = in.u8();
      cActor* focus = worldStatics().cGamePlay.focusActor;
      if (focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0)
        static_cast<cActorMC*>(focus)->addItem(item, count, true);
      break;
    }
    case 68: cGame::selectPlayer(in.s16()); break;
    case 69: {
      const int32_t a = in.s16();
      cGame::linkPartners(a, in.s16());
      break;
    }
    case 70: {
      cActor* target = cActor::findById(in.s16());
      const int32_t n = in.s16();
      if (target != nullptr) target->addHealth(n);
      break;
    }
    case 71: {
      cActor* mover = cActor::findById(in.s16());
      const int32_t x = in.s16();
      const int32_t y = in.s16();
      const int32_t speedX = in.s16();
      const int32_t speedY = in.s16();
      if (mover != nullptr) {
        mover->moveTo(x, y, speedX, speedY);
        cutscene().cutsceneWaitActor = mover;
      }
      break;
    }
    case 72: {
      const int32_t a = in.s16();
      const int32_t b = in.s16();
      const int32_t c = in.s16();
      cGame::openPopup(a, b, c, in.s16(), -1, -1, false);
      break;
    }
    case 73: {
      const int32_t a = in.s16();
      const int32_t tenthsA = in.s16();
      const int32_t b = in.s16();
      if (cGame::runPopupChoice(a, tenthsA, b, in.s16())) return true;
      break;
    }
    case 74: cGame::startFallingParticles(in.s16()); break;
    case 75: {
      const int32_t sprite = in.s16();
      const int32_t anim = in.s16();
      const int32_t a = in.s16();
      const int32_t b = in.s16();
      cGame::spawnEffect(sprite + eventscript::scriptSpriteFirstSlot, anim, a, b, in.boolean());
      break;
    }
    case 76: {
      const int32_t seconds = in.s16();
      cGame::setTimer(seconds, in.s16());
      break;
    }
    case 77: cGame::openCinematic(0x7FFFFFFF, gameOverKind, 0); break;
    case 78: {
      const bool on = in.boolean();
      bool& enabled = worldStatics().cGamePlay.actionButtonEnabled;
      if (on) {
        enabled = true;
      } else {
        if (enabled && cGame::isAnchoredPanelActive()) cGame::closeAnchoredPanel();
        enabled = false;
      }
      break;
    }
    default:
      // Commands without effect pass over their operands; unlisted ones
      // have none.
      in.skip(eventscript::operandBytes(static_cast<uint8_t>(opcode)));
      break;
  }
  return false;
}

void cGameStory::setActorAnimFromScript(cActor* actor, int32_t anim) {
  if (actor == nullptr) return;
  if (actor->kind == ActorKind::BARRIER_SWITCH) {
    if (anim == actor->param(1)) actor->setBarrierOpen();
    else if (anim == actor->param(2)) actor->setBarrierClosed();
    return;
  }
  if (actor->player == nullptr) return;
  actor->player->setAnim(anim, -1);
  if (actor->kind == ActorKind::CREATURE && Object::instanceOf(actor, classid::cActorEnemy) != 0)
    static_cast<cActorEnemy*>(actor)->direction = directionFromIndex(anim);
}

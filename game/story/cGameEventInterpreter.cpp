// The interpreter: one frame of a track. It runs every keyframe whose time
// has come and, between keyframes, moves the camera or the track's actor
// with the velocity worked out when it passed the previous one. Keyframes
// are read from the script's bytes every time.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/story/EventCommands.h"
#include "game/story/EventScriptFormat.h"
#include "game/story/ScriptReader.h"
#include "game/world/cActor.h"
#include "runtime/glue/ElementAccess.h"

namespace {

namespace track = eventscript::track;

constexpr int32_t msPerTenth = 100;
// Keyframes this close get no velocity: the actor jumps at the next one.
constexpr int32_t shortestInterpolatedGap = 100;

cGameEventScriptStatics& script() { return storyStatics().cGameEventScript; }

uint8_t moveOpcodeOf(int32_t type) {
  switch (type) {
    case track::camera: return eventscript::op::cameraAt;
    case track::actor: return eventscript::op::place;
    case track::spawn: return eventscript::op::placeExact;
    default: return 0;
  }
}

// The velocities toward the next keyframe's move command, when the track
// has one and the keyframes lie far enough apart.
void lookAhead(ScriptReader& in, int32_t t, int32_t type, int32_t due) {
  cGameEventScriptStatics& s = script();
  const uint8_t moveOpcode = moveOpcodeOf(type);
  if (moveOpcode == 0) return;
  const int32_t dueNext = in.s16() * msPerTenth;
  const int32_t count = in.u8();
  for (int32_t i = 0; i < count && !in.damaged(); ++i) {
    const auto opcode = static_cast<uint8_t>(in.u8());
    if (opcode != moveOpcode) {
      in.skip(eventscript::operandBytes(opcode));
      continue;
    }
    const int32_t targetX = in.s16() << 8;
    const int32_t targetY = in.s16() << 8;
    int32_t currentX, currentY;
    if (type == track::camera) {
      currentX = worldStatics().cGameCamera.cameraX;
      currentY = worldStatics().cGameCamera.cameraY;
    } else if (cActor* actor = cGame::getTrackActor(t)) {
      currentX = actor->x;
      currentY = actor->y;
    } else {
      return;
    }
    const int32_t gap = dueNext - due;
    if (gap <= shortestInterpolatedGap) return;
    if (targetX >= 0) s.trackVelocityX->set(t, (targetX - currentX) / gap);
    if (targetY >= 0) s.trackVelocityY->set(t, (targetY - currentY) / gap);
    return;
  }
}

void interpolate(int32_t t, int32_t type, int32_t dt) {
  cGameEventScriptStatics& s = script();
  const int32_t vx = s.trackVelocityX->get(t);
  const int32_t vy = s.trackVelocityY->get(t);
  if (type == track::camera) {
    cGameCameraStatics& camera = worldStatics().cGameCamera;
    camera.cameraX += vx * dt;
    camera.cameraY += vy * dt;
  } else if (type == track::actor || type == track::spawn) {
    if (cActor* actor = cGame::getTrackActor(t)) cGame::placeActor(actor, actor->x + vx * dt, actor->y + vy * dt);
  }
}

}  // namespace

bool cGameStory::stepEventTrack(int32_t t, int32_t cutscene) {
  cGameEventScriptStatics& s = script();
  if (t < 0 || t >= s.trackCount || s.trackReadPos == nullptr) return false;
  if (s.trackReadPos->get(t) < 0 || s.trackActorSlot->get(t) < 0) return false;
  ByteArray* data = s.eventScriptData;
  const int32_t type = s.trackType->get(t);
  const int32_t end = s.trackOffset->get(t) + s.trackLength->get(t);
  int32_t now = s.trackElapsed->get(t) + shellStatics().cGameLoop.timeStep;
  for (;;) {
    const int32_t keyframe = s.trackReadPos->get(t);
    ScriptReader in(data, keyframe);
    const int32_t due = in.s16() * msPerTenth;
    if (now < due) {
      if ((s.trackFlags->get(t) & track::interpolate) != 0) interpolate(t, type, now - s.trackElapsed->get(t));
      s.trackElapsed->set(t, now);
      return false;
    }
    const int32_t prior = s.trackElapsed->get(t);
    s.trackElapsed->set(t, due);
    const int32_t count = in.u8();
    for (int32_t i = 0; i < count; ++i) {
      if (eventcommands::run(in.u8(), in, t, cutscene, prior == 0)) return true;
      // A command that ended or restarted this track, or left the room's
      // script, ends the step.
      if (s.eventScriptData != data || s.trackReadPos == nullptr || s.trackReadPos->get(t) != keyframe) return false;
    }
    if (in.position() >= end || in.damaged()) {
      s.trackReadPos->set(t, -1);
      return false;
    }
    s.trackReadPos->set(t, in.position());
    s.trackVelocityX->set(t, 0);
    s.trackVelocityY->set(t, 0);
    lookAhead(in, t, type, due);
    if (now <= due) return false;
  }
}

int32_t cGameStory::skipOpcode(int32_t opcode) { return eventscript::operandBytes(static_cast<uint8_t>(opcode)); }

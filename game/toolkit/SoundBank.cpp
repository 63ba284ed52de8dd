// The sound bank: what the game thread asks of the two sound channels. The
// cSoundServer thread builds and starts the players.
#include <cstring>
#include <mutex>

#include "game/toolkit/SoundIds.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "game/toolkit/cSoundServer.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/LiteralIds.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/java_lang_Thread.h"

namespace {

cGameSoundStatics& bank() { return toolkitStatics().cGameSound; }
const cGameStateStatics& shell() { return toolkitStatics().cGameState; }

bool isSoundId(int32_t id) { return id >= 0 && id < sound::count; }

int32_t priorityOf(int32_t id) {
  return id >= 0 && id < sound::priorityCount && bank().priority != nullptr ? bank().priority->get(id) : 0;
}

// 1 channel A, 0 channel B.
int32_t kindOf(int32_t id) { return bank().kind != nullptr ? bank().kind->get(id) : sound::channelB; }

using Lock = std::lock_guard<std::mutex>;

}  // namespace

void cGame::initSoundBank() {
  cGameSoundStatics& sounds = bank();
  // Ids 34..38 are never played.
  static constexpr struct {
    int32_t first, last, priority;
  } priorities[] = {{0, 15, 200}, {16, 24, 100}, {25, 25, 98},  {26, 27, 100}, {28, 28, 50},
                    {29, 30, 100}, {31, 31, 99},  {32, 36, 100}, {37, 37, 200}, {38, 38, 150}};
  sounds.priority = newIntArray(sound::priorityCount);
  if (sounds.priority != nullptr) {
    for (const auto& range : priorities)
      for (int32_t id = range.first; id <= range.last; ++id) sounds.priority->set(id, range.priority);
  }
  sounds.kind = newIntArray(sound::count);
  sounds.startStamp = java_lang_System::currentTimeMillis();
  sounds.currentA = -1;
  sounds.currentB = -1;
  sounds.resumeId = -1;
}

java_lang_Thread* cGame::startSoundServer() {
  cSoundServer* server = newObject<cSoundServer>();
  if (server == nullptr) return nullptr;
  bank().server = server;
  auto* thread = newObject<java_lang_Thread>(static_cast<Object*>(server));
  if (thread == nullptr) return nullptr;
  if (thread->start() == 0xFFFFFFFFu) {
    debugLog("cGame: the sound server thread could not be started");
    return nullptr;
  }
  return thread;
}

void cGame::loadSounds() {
  loadPackStringTable(stringLiteral(static_cast<int32_t>(LiteralId::soundTypeTablePack)));
  ObjectArray* data = newObjectArray(sound::count);
  ObjectArray* contentType = newObjectArray(sound::count);
  if (data == nullptr || contentType == nullptr) return;
  {
    Lock hold(cSoundServer::handoverLock());
    bank().data = data;
    bank().contentType = contentType;
  }
  // The pack stays open for the loader's next step.
  openPack(stringLiteral(static_cast<int32_t>(LiteralId::soundPack)));
  for (int32_t id = 0; id < sound::count; ++id) {
    ByteArray* bytes = readPackEntry(id);
    registerSound(bytes, getPackEntryType(), id);
  }
}

void cGame::registerSound(ByteArray* data, int32_t type, int32_t id) {
  if (!isSoundId(id) || data == nullptr || data->length() == 0) return;
  cGameSoundStatics& sounds = bank();
  if (sounds.data == nullptr || sounds.contentType == nullptr || sounds.kind == nullptr) {
    debugLog("registerSound: the sound bank is not loaded");
    return;
  }
  auto* stream = newObject<java_io_ByteArrayInputStream>(data);
  String* contentType = getSoundContentType(data);
  Lock hold(cSoundServer::handoverLock());
  sounds.kind->set(id, type != 0 ? sound::channelA : sound::channelB);
  sounds.data->set(id, stream);
  sounds.contentType->set(id, contentType);
}

String* cGame::getSoundContentType(ByteArray* data) {
  // Data shorter than a tag never matches it.
  static constexpr struct {
    const char* tag;
    LiteralId type;
  } tags[] = {{"RIFF", LiteralId::contentTypeWave},
              {"#!AMR", LiteralId::contentTypeAmr},
              {"cmid", LiteralId::contentTypeCmid},
              {"OggS", LiteralId::contentTypeOgg}};
  const int32_t length = data != nullptr ? data->length() : 0;
  for (const auto& tag : tags) {
    const auto tagLength = static_cast<int32_t>(std::strlen(tag.tag));
    if (length >= tagLength && std::memcmp(data->elements(), tag.tag, size_t(tagLength)) == 0)
      return stringLiteral(static_cast<int32_t>(tag.type));
  }
  return stringLiteral(static_cast<int32_t>(LiteralId::contentTypeOther));
}

void cGame::playSound(int32_t id, bool loop) {
  cGameSoundStatics& sounds = bank();
  if (shell().paused || !sounds.soundOn || !isSoundId(id)) return;
  id = sound::remapped(id);
  if (java_lang_System::currentTimeMillis() - sounds.startStamp < sound::startUpGateMillis) return;
  const int32_t priority = priorityOf(id);
  cSoundServer* server = sounds.server;
  if (server == nullptr) return;

  // Decided and posted in one step, so the server never sees half of it.
  Lock hold(cSoundServer::handoverLock());
  if (sounds.data == nullptr || sounds.data->get(id) == nullptr) return;
  const bool channelA = kindOf(id) == sound::channelA;
  const int32_t current = channelA ? sounds.currentA : sounds.currentB;
  if (cSoundServer::isStarted(channelA ? sounds.playerA : sounds.playerB)) {
    // An equal priority with another id replaces the playing sound.
    if (priorityOf(current) > priority || current == id) return;
  }
  if (channelA) {
    sounds.currentA = id;
    server->requestA = id;
    server->loopCountA = loop ? -1 : 1;
  } else {
    server->requestB = id;
    sounds.currentB = id;
  }
}

void cGame::stopSoundA() {
  if (cSoundServer* server = bank().server) server->stopA();
  Lock hold(cSoundServer::handoverLock());
  bank().currentA = -1;
}

void cGame::stopSoundB() {
  if (cSoundServer* server = bank().server) server->stopB();
  Lock hold(cSoundServer::handoverLock());
  bank().currentB = -1;
}

void cGame::stopAllSounds() {
  cGameSoundStatics& sounds = bank();
  {
    Lock hold(cSoundServer::handoverLock());
    if (sounds.soundOn && isSoundId(sounds.currentA) && cSoundServer::isStarted(sounds.playerA))
      sounds.resumeId = sounds.currentA;
  }
  stopSoundA();
  stopSoundB();
}

void cGame::updateSoundResume() {
  const cGameStateStatics& state = shell();
  if (state.paused || state.stateChangePending) return;
  if (state.currentState >= 10 && state.currentState <= 13) return;
  cGameSoundStatics& sounds = bank();
  if (sounds.resumeId < 0) return;
  if (sounds.resumeDelay < 1) {
    playSound(sounds.resumeId, sounds.resumeLoop);
    sounds.resumeId = -1;
  } else {
    sounds.resumeDelay -= 1;
  }
}

bool cGame::isSoundPlaying(int32_t id) {
  cGameSoundStatics& sounds = bank();
  if (!sounds.soundOn || !isSoundId(id)) return false;
  Lock hold(cSoundServer::handoverLock());
  if (kindOf(id) == sound::channelA) return sounds.currentA == id && cSoundServer::isStarted(sounds.playerA);
  return sounds.currentB == id && cSoundServer::isStarted(sounds.playerB);
}

void cGame::stopSound(int32_t id) {
  if (!isSoundPlaying(id)) return;
  if (kindOf(id) == sound::channelA) {
    stopSoundA();
  } else {
    stopSoundB();
  }
}

bool cGame::isChannelAPlaying() {
  Lock hold(cSoundServer::handoverLock());
  return isSoundId(bank().currentA) && cSoundServer::isStarted(bank().playerA);
}

bool cGame::isChannelBPlaying() {
  Lock hold(cSoundServer::handoverLock());
  return isSoundId(bank().currentB) && cSoundServer::isStarted(bank().playerB);
}

void cGame::stopSoundChannels() {
  stopSoundA();
  stopSoundB();
}

void cGame::stopSoundChannel(int32_t channel) {
  if (!bank().soundOn) return;
  if (channel == 0) stopSoundA();
  if (channel == 1) stopSoundB();
}

void cGame::clearSoundResume() {
  bank().resumeId = -1;
  bank().resumeDelay = 0;
}

void cGame::setSoundResumeDelay(int32_t frames) { bank().resumeDelay = frames; }

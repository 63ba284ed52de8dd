#include "game/toolkit/cSoundServer.h"

#include <utility>

#include "game/toolkit/PendingExceptions.h"
#include "game/toolkit/SoundIds.h"
#include "game/toolkit/ToolkitStatics.h"
#include "runtime/Application.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/media/javax_microedition_media_Manager.h"
#include "runtime/media/javax_microedition_media_Player.h"
#include "runtime/thread/java_lang_Thread.h"

namespace {

using Player = javax_microedition_media_Player;

void release(Object* player) {
  if (Player* view = Player::viewOf(player)) {
    view->stop();
    view->deallocate();
  }
}

}  // namespace

std::mutex& cSoundServer::handoverLock() {
  static std::mutex lock;
  return lock;
}

bool cSoundServer::isStarted(Object* player) {
  Player* view = Player::viewOf(player);
  return view != nullptr && view->getState() == Player::STARTED;
}

void cSoundServer::init() {
  running = 0;
  requestA = -1;
  loopCountA = 0;
  requestB = -1;
}

void* cSoundServer::lookupInterface(int32_t interfaceId) {
  return interfaceId == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
}

void cSoundServer::request(int32_t id, bool loop) {
  std::lock_guard<std::mutex> hold(handoverLock());
  requestA = id;
  loopCountA = loop ? -1 : 1;
}

void cSoundServer::stopA() { stopChannel(true); }

void cSoundServer::stopB() { stopChannel(false); }

void cSoundServer::stopChannel(bool channelA) {
  cGameSoundStatics& bank = toolkitStatics().cGameSound;
  Object* player;
  {
    std::lock_guard<std::mutex> hold(handoverLock());
    player = std::exchange(channelA ? bank.playerA : bank.playerB, nullptr);
    (channelA ? requestA : requestB) = -1;
    ++(channelA ? bank.stopsA : bank.stopsB);
  }
  release(player);
}

cSoundServer::Handover cSoundServer::take(bool channelA) {
  cGameSoundStatics& bank = toolkitStatics().cGameSound;
  Handover handover;
  handover.channelA = channelA;
  Object* previous;
  {
    std::lock_guard<std::mutex> hold(handoverLock());
    int32_t& pending = channelA ? requestA : requestB;
    if (pending == -1) return handover;
    handover.taken = true;
    handover.id = std::exchange(pending, -1);
    handover.loop = channelA && loopCountA < 0;
    handover.stops = channelA ? bank.stopsA : bank.stopsB;
    (channelA ? bank.currentA : bank.currentB) = handover.id;
    previous = std::exchange(channelA ? bank.playerA : bank.playerB, nullptr);
    if (handover.id >= 0 && handover.id < sound::count && bank.data != nullptr && bank.contentType != nullptr) {
      handover.stream = static_cast<java_io_ByteArrayInputStream*>(bank.data->get(handover.id));
      handover.type = static_cast<String*>(bank.contentType->get(handover.id));
    }
  }
  release(previous);
  return handover;
}

Object* cSoundServer::build(const Handover& handover) {
  if (handover.stream == nullptr) {
    debugLog("cSoundServer: sound %d has no data", handover.id);
    return nullptr;
  }
  handover.stream->reset();
  Object* player = javax_microedition_media_Manager::createPlayer(handover.stream, handover.type);
  Player* view = Player::viewOf(player);
  if (view == nullptr) {
    // Nothing to prefetch or start: the channel stays silent.
    debugLog("cSoundServer: sound %d could not be made into a player", handover.id);
    return nullptr;
  }
  // The device reads the loop count when the player is realized.
  if (handover.loop) view->setLoopCount(-1);
  view->prefetch();
  return player;
}

bool cSoundServer::install(const Handover& handover, Object* player) {
  cGameSoundStatics& bank = toolkitStatics().cGameSound;
  Player* view = Player::viewOf(player);
  if (view == nullptr) return false;
  bool started = false;
  {
    std::lock_guard<std::mutex> hold(handoverLock());
    const bool stopped = handover.stops != (handover.channelA ? bank.stopsA : bank.stopsB);
    const bool replaced = (handover.channelA ? requestA : requestB) != -1;
    if (!stopped && !replaced) {
      (handover.channelA ? bank.playerA : bank.playerB) = player;
      view->start();
      started = true;
    }
  }
  if (!started) release(player);
  return started;
}

bool cSoundServer::serveChannel(bool channelA) {
  const Handover handover = take(channelA);
  if (!handover.taken) return false;
  install(handover, build(handover));
  return true;
}

cSoundServer::Served cSoundServer::servePass() {
  Served served{};
  served.a = serveChannel(true);
  served.b = serveChannel(false);
  return served;
}

void cSoundServer::run() {
  __atomic_store_n(&running, 1, __ATOMIC_RELAXED);
  // A java_lang_Exception costs the pass its requests; anything else ends
  // the server, still pending.
  auto recovered = [&] {
    if (takePendingException(classid::java_lang_Exception)) {
      debugLog("cSoundServer: an exception dropped the requests");
      std::lock_guard<std::mutex> hold(handoverLock());
      requestA = -1;
      requestB = -1;
    }
    return Application::get() == nullptr || Application::get()->getPending() == nullptr;
  };
  while (__atomic_load_n(&running, __ATOMIC_RELAXED) != 0) {
    if (!serveChannel(true)) java_lang_Thread::sleep(idleSleepMillis);
    if (!recovered()) return;
    if (!serveChannel(false)) java_lang_Thread::sleep(idleSleepMillis);
    if (!recovered()) return;
  }
}

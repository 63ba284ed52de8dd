#pragma once
// cSoundServer (class id 119): the sound bank's thread. The game thread posts
// one request per channel; the server builds the channel's new player
// (reading and decoding the sound), so the game thread never waits for that.
//
// Hand-over: requests, the channels' players and current ids are read and
// written only under handoverLock(), which is never held across an object
// allocation or a player operation other than start. A player leaves its
// channel under the lock, so exactly one thread stops it; a player built
// while its channel was stopped, or while a newer request came in, is
// dropped unstarted.
#include <cstdint>
#include <mutex>

#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/object/Object.h"

class String;
class java_io_ByteArrayInputStream;

class cSoundServer : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::cSoundServer;
  static constexpr int32_t idleSleepMillis = 20;  // per idle channel

  void init();
  void* lookupInterface(int32_t interfaceId) override;
  // Serves requests while running is set; a java_lang_Exception in a pass
  // drops both requests and the loop goes on, any other throwable ends it.
  void run() override;

  // Channel A's request: loop asks the player to repeat until stopped.
  void request(int32_t id, bool loop);
  // Stop and release the channel's player; a request not yet served on that
  // channel is dropped with it.
  void stopA();
  void stopB();

  // One pass of run without its sleeps: serves channel A's request, then
  // B's. Answers whether channel A / B had one.
  struct Served {
    bool a;
    bool b;
  };
  Served servePass();

  // serveChannel in its three steps, for tests that stop a channel between
  // them. take clears the request and releases the channel's player; build
  // makes and prefetches the new one (null when none could be made); install
  // starts it on its channel unless the channel was stopped or asked for
  // another sound meanwhile (then it is released; false).
  struct Handover {
    bool taken = false;
    bool channelA = false;
    int32_t id = -1;
    bool loop = false;
    uint32_t stops = 0;
    java_io_ByteArrayInputStream* stream = nullptr;
    String* type = nullptr;
  };
  Handover take(bool channelA);
  Object* build(const Handover& handover);
  bool install(const Handover& handover, Object* player);

  static std::mutex& handoverLock();
  static bool isStarted(Object* player);

  int8_t running;
  int32_t requestA;    // -1 none
  int32_t loopCountA;  // -1 looping, 1 once
  int32_t requestB;    // -1 none

 private:
  bool serveChannel(bool channelA);
  void stopChannel(bool channelA);
};

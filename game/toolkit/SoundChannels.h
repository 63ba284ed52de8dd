#pragma once
// The animation player's sound-channel manager: commands queued per channel
// (a ring of seven) and run by an update pass on the channels' players. Its
// thread is never made and no game code queues a command; the sound bank
// (cGameToolkit's sound operations) plays the game's sounds.
#include <cstdint>

class IntArray;
class ObjectArray;

class SoundChannels {
 public:
  static constexpr int32_t ringSize = 7;
  static constexpr int32_t commandInts = 5;  // command, sound, priority, loop count, volume
  static constexpr int32_t loopMillis = 62;

  enum Command : int32_t { none = 0, prepare = 1, release = 2, play = 3, stop = 4, pause = 5, resume = 6 };
  enum ChannelState : int32_t { free = 0, playing = 2 };

  // Channels and sounds (byte[] per sound, and the index of each sound's
  // content type in the pack string table); enables queueing.
  static void start(int32_t channelCount, ObjectArray* soundData, IntArray* soundTypes);
  // Queues a command on a channel (only when enabled). A pending command of
  // the same code is cleared, except that a prepare or play of lower
  // priority than the new one stays. A full ring drops its oldest command.
  static void queue(int32_t channel, int32_t command, int32_t sound, int32_t priority, int32_t loopCount,
                    int32_t volume);
  // Runs the next command of every channel; a java_lang_Exception frees
  // the channel. Not re-entered.
  static void update();
  // Stop on every channel; run at once while the game is paused.
  static void stopAll();
  // The thread's body: update passes while the thread static is set.
  static void run();

 private:
  static void execute(int32_t channel);
  static void freeChannel(int32_t channel);
};

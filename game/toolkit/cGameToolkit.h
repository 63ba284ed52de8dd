#pragma once
// cGame's toolkit operations. cGame is one class in the design, but the
// toolkit must build without the folders above it, so its share of cGame's
// operations is this data-less base, from which the shell's cGame derives:
// a call written cGame::readPackEntry reaches it there. Toolkit sources name
// them cGame:: too, through the alias in cGameAlias.h (for .cpp files only).
// The operations are static, as cGame keeps its whole state in statics.
#include <cstdint>

class ByteArray;
class Object;
class String;
class java_lang_Thread;

class cGameToolkit {
 public:
  // The toolkit's share of cGame's class initialiser (cGame::clinit runs it
  // first).
  static void clinit();

  // --- resource packs, streams and texts
  // (declared by the game-data files)

  // --- sprites: loading, caches
  // (declared by the sprite files)

  // --- sound bank
  // The sound bank's share of cGame's class initialiser: the priority table,
  // the start-up time stamp, no current or remembered sound.
  static void initSoundBank();
  // The cGame constructor's part: makes the one cSoundServer and starts its
  // thread with the creating thread's priority. Answers that thread (null
  // when it could not start).
  static java_lang_Thread* startSoundServer();
  // Reads the 34 sounds of the sound pack (which stays open).
  static void loadSounds();
  // 0 <= id < 34 and data not empty: the sound's bytes, channel (type 0: B,
  // else A) and content type; else nothing.
  static void registerSound(ByteArray* data, int32_t type, int32_t id);
  // Asks for a sound on its channel, unless the game is paused, sound is
  // off, the bank started less than 350 ms ago, or the channel plays a
  // sound of higher priority or this same sound.
  static void playSound(int32_t id, bool loop);
  static void stopSoundA();
  // Pause: remembers channel A's sound when it plays, then stops both.
  static void stopAllSounds();
  // Once per update: starts the remembered sound again after its delay.
  static void updateSoundResume();
  // No remap: ids 6, 13 and 27 are never the current sound.
  static bool isSoundPlaying(int32_t id);
  static void stopSound(int32_t id);
  static bool isChannelAPlaying();
  static bool isChannelBPlaying();
  // The content type of a sound file, by its first bytes.
  static String* getSoundContentType(ByteArray* data);
  // Provided; the game does not call them.
  static void stopSoundB();
  static void stopSoundChannels();
  static void stopSoundChannel(int32_t channel);  // 0 A, 1 B; only when sound is on
  static void clearSoundResume();
  static void setSoundResumeDelay(int32_t frames);

 protected:
  cGameToolkit() = default;
};

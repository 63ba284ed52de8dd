#pragma once
// com_samsung_util_AudioClip (class id 13): a sound clip over a media
// player. A clip without a player (made from a name, or from bytes no player
// accepts) ignores play, pause, resume and stop.
#include <cstdint>

#include "runtime/object/Object.h"

class ByteArray;
class String;

class com_samsung_util_AudioClip : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::com_samsung_util_AudioClip;
  static constexpr auto referenceFields() { return ReferenceFieldList{&com_samsung_util_AudioClip::m_player}; }
  static constexpr const char* contentType = "audio/x-wav";

  // Clips by name have no player on this device.
  void init(int32_t type, String* name);
  // type 1, 2 or 3, else IllegalArgumentException. The player plays a copy
  // of data[offset .. offset + length).
  void init(int32_t type, ByteArray* data, int32_t offset, int32_t length);

  // loopCount 0..255 and volume 0..5, else IllegalArgumentException; the
  // volume is not applied.
  void play(int32_t loopCount, int32_t volume);
  void pause();
  void resume();
  void stop();
  int32_t isAvailable() { return 1; }

  Object* m_player;
};

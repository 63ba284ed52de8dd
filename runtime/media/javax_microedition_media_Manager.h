#pragma once
// javax_microedition_media_Manager (class id 92): makes players from whole
// sound files given as streams.
#include <cstdint>

#include "runtime/object/ClassTable.h"

class java_io_InputStream;
class Object;
class ObjectArray;
class String;

class javax_microedition_media_Manager {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_media_Manager;

  // Reads what the stream has available and makes a SoundPlayerWAVE or a
  // SoundPlayerOGG of it. The type chooses (a prefix of "audio/x-wav", tested
  // first, or of "audio/ogg", without ASCII case); without a type the file's
  // first bytes do ("RIFF" or "OggS"). Null for a null or empty stream and an
  // unknown type. The answer is the player object; callers take its Player
  // view by interface lookup.
  static Object* createPlayer(java_io_InputStream* stream, String* type);
  // { "audio/x-wav", "audio/ogg", "audio/midi" }
  static ObjectArray* getSupportedContentTypes(String* protocol);
  // { "file" }
  static ObjectArray* getSupportedProtocols(String* contentType);
};

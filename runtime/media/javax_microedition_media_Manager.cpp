#include "runtime/media/javax_microedition_media_Manager.h"

#include <cstring>
#include <initializer_list>

#include "runtime/io/java_io_InputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/media/MediaNameMatch.h"
#include "runtime/media/SoundPlayerOGG.h"
#include "runtime/media/SoundPlayerWAVE.h"
#include "runtime/object/ObjectFactory.h"

namespace {

enum class SoundKind { none, wave, ogg };

SoundKind kindOf(String* type, const int8_t* bytes, int32_t length) {
  if (type != nullptr) {
    if (matchesMediaName(type, "audio/x-wav")) return SoundKind::wave;
    if (matchesMediaName(type, "audio/ogg")) return SoundKind::ogg;
    return SoundKind::none;
  }
  if (length >= 4 && std::memcmp(bytes, "RIFF", 4) == 0) return SoundKind::wave;
  if (length >= 4 && std::memcmp(bytes, "OggS", 4) == 0) return SoundKind::ogg;
  return SoundKind::none;
}

ObjectArray* stringArray(std::initializer_list<const char*> texts) {
  ObjectArray* array = newObjectArray(static_cast<int32_t>(texts.size()));
  if (array == nullptr) return nullptr;
  int32_t index = 0;
  for (const char* text : texts) array->set(index++, newString(text));
  return array;
}

}  // namespace

Object* javax_microedition_media_Manager::createPlayer(java_io_InputStream* stream, String* type) {
  if (stream == nullptr) return nullptr;
  const int32_t available = stream->available();
  if (available <= 0) return nullptr;
  ByteArray* block = newByteArray(available);
  if (block == nullptr || block->length() != available) return nullptr;
  // Only what really arrived becomes the sound.
  int32_t filled = 0;
  while (filled < available) {
    const int32_t count = stream->read(block, filled, available - filled);
    if (count <= 0) break;
    filled += count;
  }
  if (filled == 0) return nullptr;

  // Making the player may move the block's storage: its address is read
  // only once the player exists.
  switch (kindOf(type, block->elements(), filled)) {
    case SoundKind::wave: {
      auto* player = newObject<SoundPlayerWAVE>();
      if (player) player->init(reinterpret_cast<const uint8_t*>(block->elements()), filled);
      return player;
    }
    case SoundKind::ogg: {
      auto* player = newObject<SoundPlayerOGG>();
      if (player) player->init(reinterpret_cast<const uint8_t*>(block->elements()), filled);
      return player;
    }
    case SoundKind::none: break;
  }
  return nullptr;
}

ObjectArray* javax_microedition_media_Manager::getSupportedContentTypes(String*) {
  return stringArray({"audio/x-wav", "audio/ogg", "audio/midi"});
}

ObjectArray* javax_microedition_media_Manager::getSupportedProtocols(String*) { return stringArray({"file"}); }

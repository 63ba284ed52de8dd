#include "platform/com_samsung_util/com_samsung_util_AudioClip.h"

#include <cstdio>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/ArrayCopy.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/media/javax_microedition_media_Manager.h"
#include "runtime/media/javax_microedition_media_Player.h"

namespace {

void raiseIllegalArgument(const char* text, int32_t value) {
  char message[64];
  std::snprintf(message, sizeof message, "%s%d", text, value);
  throwNew<java_lang_IllegalArgumentException>(newString(message));
}

}  // namespace

void com_samsung_util_AudioClip::init(int32_t, String*) { m_player = nullptr; }

void com_samsung_util_AudioClip::init(int32_t type, ByteArray* data, int32_t offset, int32_t length) {
  if (type < 1 || type > 3) {
    raiseIllegalArgument("AudioClip: bad type ", type);
    return;
  }
  // A range outside the data would make a silent clip of zeros.
  if (data == nullptr || offset < 0 || length < 0 || int64_t{offset} + length > data->length()) {
    throwNew<java_lang_IllegalArgumentException>(newString("AudioClip: bad data range"));
    return;
  }
  ByteArray* copy = newByteArray(length);
  if (copy == nullptr) return;
  arraycopy(data, offset, copy, 0, length);
  auto* stream = newObject<java_io_ByteArrayInputStream>(copy);
  if (stream == nullptr) return;
  m_player = javax_microedition_media_Manager::createPlayer(stream, newString(contentType));
}

void com_samsung_util_AudioClip::play(int32_t loopCount, int32_t volume) {
  if (loopCount < 0 || loopCount > 255) {
    raiseIllegalArgument("AudioClip: bad loop count ", loopCount);
    return;
  }
  if (volume < 0 || volume > 5) {
    raiseIllegalArgument("AudioClip: bad volume ", volume);
    return;
  }
  javax_microedition_media_Player* player = javax_microedition_media_Player::viewOf(m_player);
  if (player == nullptr) return;
  if (loopCount > 1) player->setLoopCount(loopCount);
  player->start();
}

void com_samsung_util_AudioClip::pause() {
  if (auto* player = javax_microedition_media_Player::viewOf(m_player)) player->stop();
}

void com_samsung_util_AudioClip::resume() {
  if (auto* player = javax_microedition_media_Player::viewOf(m_player)) player->start();
}

void com_samsung_util_AudioClip::stop() {
  if (auto* player = javax_microedition_media_Player::viewOf(m_player)) player->stop();
}

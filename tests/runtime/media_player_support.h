#pragma once
// Players on the null wave-out device and the fake clock, and WAV files made
// on the spot.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/media/SoundPlayerWAVE.h"
#include "runtime/media/javax_microedition_media_Manager.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/audio_options.h"
#include "wince/clock.h"

namespace media_player_test {

inline void putLittle(std::vector<uint8_t>& bytes, uint32_t value, int size) {
  for (int index = 0; index < size; ++index) bytes.push_back(static_cast<uint8_t>(value >> (8 * index)));
}

struct Chunk {
  std::string id;
  std::vector<uint8_t> body;
  int64_t claimedSize = -1;  // -1: the body's size
};

inline Chunk fmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, size_t extraBytes = 0) {
  std::vector<uint8_t> body;
  putLittle(body, tag, 2);
  putLittle(body, channels, 2);
  putLittle(body, rate, 4);
  putLittle(body, rate * channels * bits / 8, 4);
  putLittle(body, channels * bits / 8, 2);
  putLittle(body, bits, 2);
  body.resize(16 + extraBytes, 0);
  return {"fmt ", body};
}

// PCM that counts up, so a copy from the wrong place shows.
inline Chunk dataChunk(size_t length, int64_t claimed = -1) {
  std::vector<uint8_t> body(length);
  for (size_t index = 0; index < length; ++index) body[index] = static_cast<uint8_t>(index * 7 + 1);
  return {"data", body, claimed};
}

inline std::vector<uint8_t> riffFile(const std::vector<Chunk>& chunks) {
  std::vector<uint8_t> body{'W', 'A', 'V', 'E'};
  for (const Chunk& chunk : chunks) {
    body.insert(body.end(), chunk.id.begin(), chunk.id.end());
    putLittle(body, static_cast<uint32_t>(chunk.claimedSize >= 0 ? chunk.claimedSize : int64_t(chunk.body.size())), 4);
    body.insert(body.end(), chunk.body.begin(), chunk.body.end());
    if (chunk.body.size() % 2) body.push_back(0);
  }
  std::vector<uint8_t> file{'R', 'I', 'F', 'F'};
  putLittle(file, static_cast<uint32_t>(body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

// 8 kHz mono 16-bit: 16 bytes per millisecond.
inline constexpr uint32_t bytesPerMillisecond = 16;
inline std::vector<uint8_t> plainWav(uint32_t milliseconds) {
  return riffFile({fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16), dataChunk(milliseconds * bytesPerMillisecond)});
}

class MediaPlayerFixture : public RuntimeFixture {
 protected:
  void SetUp() override {
    wince::useFakeClock(10000, false);
    ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
    RuntimeFixture::SetUp();
  }
  void TearDown() override {
    RuntimeFixture::TearDown();
    wince::useRealClock();
  }

  // The stream's bytes given to createPlayer; the player object or null.
  Object* createPlayer(const std::vector<uint8_t>& bytes, const char* type) {
    ByteArray* array = newByteArray(static_cast<int32_t>(bytes.size()));
    if (!bytes.empty()) std::memcpy(array->elements(), bytes.data(), bytes.size());
    auto* stream = newObject<java_io_ByteArrayInputStream>(array);
    return javax_microedition_media_Manager::createPlayer(stream, type ? newString(type) : nullptr);
  }
  SoundPlayerWAVE* createWavPlayer(const std::vector<uint8_t>& bytes) {
    Object* player = createPlayer(bytes, "audio/x-wav");
    EXPECT_NE(player, nullptr);
    return static_cast<SoundPlayerWAVE*>(player);
  }

  void advance(uint64_t milliseconds) {
    wince::advanceFakeClock(milliseconds);
    wince::waitForAudioCallbacks();
  }

  // The class id of the pending exception (-1 for none), which is cleared.
};

}  // namespace media_player_test

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/runtime/media_player_support.h"
#include "wince/log.h"

namespace {

using media_player_test::Chunk;
using media_player_test::dataChunk;
using media_player_test::fmtChunk;
using media_player_test::MediaPlayerFixture;
using media_player_test::riffFile;
using Player = javax_microedition_media_Player;

using MediaPlayerHostileWav = MediaPlayerFixture;

// available() answers 1000, but only the file's bytes come.
class ShortStream : public java_io_InputStream {
 public:
  using Super = java_io_InputStream;
  int32_t available() override { return 1000; }
  int32_t read(ByteArray* b, int32_t off, int32_t len) override {
    const int32_t count = std::min<int32_t>(len, static_cast<int32_t>(m_bytes->size() - m_pos));
    if (count <= 0) return -1;
    std::memcpy(b->elements() + off, m_bytes->data() + m_pos, static_cast<size_t>(count));
    m_pos += static_cast<size_t>(count);
    return count;
  }
  const std::vector<uint8_t>* m_bytes;
  size_t m_pos;
};

// Under the sanitizer build a copy past the file would be caught here.
TEST_F(MediaPlayerHostileWav, PlaysOnlyPcmFromInsideTheDataChunkOrRefusesTheFile) {
  const std::vector<uint8_t> pcm = dataChunk(64).body;
  std::vector<uint8_t> truncatedHeader = riffFile({fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16), dataChunk(64)});
  truncatedHeader.resize(30);
  std::vector<uint8_t> claimsTooMuch = riffFile({fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16), dataChunk(64, 0x7FFFFFF0)});
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    int32_t stateAfterStart;
    size_t pcmLength;  // of the played buffer; what it holds is the 64 bytes' prefix
  } cases[] = {
      {"plain", riffFile({fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16), dataChunk(64)}), Player::STARTED, 64},
      {"LIST chunk first",
       riffFile({{"LIST", std::vector<uint8_t>(26, 'x')}, fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16), dataChunk(64)}),
       Player::STARTED, 64},
      {"18-byte fmt", riffFile({fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16, 2), dataChunk(64)}), Player::STARTED, 64},
      {"data size past the end", claimsTooMuch, Player::STARTED, 64},
      {"shorter than its header", truncatedHeader, Player::UNREALIZED, 0},
      {"float samples", riffFile({fmtChunk(3, 1, 8000, 32), dataChunk(64)}), Player::UNREALIZED, 0},
      {"no fmt", riffFile({dataChunk(64)}), Player::UNREALIZED, 0},
      {"no data", riffFile({fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16)}), Player::UNREALIZED, 0},
      {"empty data", riffFile({fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16), dataChunk(0)}), Player::UNREALIZED, 0},
      {"RIFF alone", {'R', 'I', 'F', 'F'}, Player::UNREALIZED, 0},
      {"five channels", riffFile({fmtChunk(WAVE_FORMAT_PCM, 5, 8000, 16), dataChunk(60)}), Player::UNREALIZED, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    auto* player = static_cast<SoundPlayerWAVE*>(createPlayer(test.file, nullptr));
    ASSERT_NE(player, nullptr);
    player->start();
    EXPECT_EQ(player->getState(), test.stateAfterStart);
    if (test.pcmLength > 0) {
      ASSERT_EQ(player->m_waveHeader.dwBufferLength, test.pcmLength);
      EXPECT_EQ(std::memcmp(player->m_waveHeader.lpData, pcm.data(), test.pcmLength), 0);
    }
    player->close();
    EXPECT_EQ(player->getState(), Player::CLOSED);
  }
}

TEST_F(MediaPlayerHostileWav, AFileThatIsNotRiffMakesNoPlayerWithoutAType) {
  std::vector<uint8_t> file = riffFile({fmtChunk(WAVE_FORMAT_PCM, 1, 8000, 16), dataChunk(64)});
  std::memcpy(file.data(), "RIFX", 4);
  EXPECT_EQ(createPlayer(file, nullptr), nullptr);
  auto* typed = static_cast<SoundPlayerWAVE*>(createPlayer(file, "audio/x-wav"));
  ASSERT_NE(typed, nullptr);
  typed->start();
  EXPECT_EQ(typed->getState(), Player::UNREALIZED);
}

TEST_F(MediaPlayerHostileWav, AStreamThatDeliversLessThanItPromisedPlaysWhatArrived) {
  const std::vector<uint8_t> file = media_player_test::plainWav(10);
  auto* stream = newObject<ShortStream>();
  stream->m_bytes = &file;
  auto* player = static_cast<SoundPlayerWAVE*>(javax_microedition_media_Manager::createPlayer(stream, nullptr));
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(player->m_fileLength, static_cast<int32_t>(file.size()));
  player->start();
  EXPECT_EQ(player->getState(), Player::STARTED);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/media/SoundPlayerOGG.h"
#include "tools/writers/OggVorbisWriter.h"
#include "tests/runtime/media_player_support.h"
#include "wince/file_faults.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

using media_player_test::MediaPlayerFixture;
using Player = javax_microedition_media_Player;

std::vector<int16_t> tone(int channels, int rate, int frames) {
  std::vector<int16_t> samples;
  for (int frame = 0; frame < frames; ++frame)
    for (int channel = 0; channel < channels; ++channel)
      samples.push_back(static_cast<int16_t>(6000 * std::sin(2 * M_PI * 440.0 * (channel + 1) * frame / rate)));
  return samples;
}

class MediaPlayerOgg : public MediaPlayerFixture {
 protected:
  std::vector<uint8_t> encodedTone(int channels, int rate, int frames) {
    auto encoded = tools::encodeOggVorbis(tone(channels, rate, frames), channels, rate);
    if (!encoded) return {};
    return *encoded;
  }

  // Sound files the players of this test left in \temp; other tests of the
  // process may have left theirs there before it started.
  int temporarySoundFiles() const { return soundFilesInTemp() - m_soundFilesAtStart; }

  void SetUp() override {
    MediaPlayerFixture::SetUp();
    m_soundFilesAtStart = soundFilesInTemp();
  }

  static int soundFilesInTemp() {
    const auto host = wince::hostPathForWriting(u"\\temp\\probe", true);
    if (!host) return -1;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(*host).parent_path())) {
      if (entry.path().filename().string().rfind("sound", 0) == 0) ++count;
    }
    return count;
  }

  int m_soundFilesAtStart = 0;
};

TEST_F(MediaPlayerOgg, AToneDecodesToItsLengthRateAndChannelsAndPlaysForItsDuration) {
  struct Case {
    int channels;
    int rate;
    int frames;
  } cases[] = {{1, 22050, 22050}, {2, 44100, 22050}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.channels);
    const std::vector<uint8_t> file = encodedTone(test.channels, test.rate, test.frames);
    if (file.empty()) GTEST_SKIP() << "no Ogg Vorbis encoder here";
    const int32_t oggPlayersBefore = SoundPlayerOGG::oggPlayerCount();
    auto* player = static_cast<SoundPlayerOGG*>(createPlayer(file, nullptr));
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(SoundPlayerOGG::oggPlayerCount(), oggPlayersBefore + 1);

    player->realize();
    ASSERT_EQ(player->getState(), Player::REALIZED);
    EXPECT_EQ(player->m_waveFormat.nChannels, test.channels);
    EXPECT_EQ(player->m_waveFormat.nSamplesPerSec, static_cast<DWORD>(test.rate));
    EXPECT_EQ(player->m_waveFormat.wBitsPerSample, 16);
    EXPECT_EQ(player->m_waveFormat.nAvgBytesPerSec, static_cast<DWORD>(test.rate * test.channels * 2));
    EXPECT_EQ(player->m_pcmDataLength, test.frames * test.channels * 2);
    const int64_t expectedMicroseconds = int64_t{test.frames} * 1000000 / test.rate;
    EXPECT_NEAR(player->getDuration(), expectedMicroseconds, 1000);
    EXPECT_EQ(temporarySoundFiles(), 0);
    EXPECT_EQ(player->m_decoder, nullptr);

    String* type = player->getContentType();
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(std::u16string(type->characters()), u"audio/ogg");

    player->start();
    advance(static_cast<uint64_t>(expectedMicroseconds / 1000) - 1);
    EXPECT_EQ(player->getState(), Player::STARTED);
    advance(2);
    EXPECT_EQ(player->getState(), Player::PREFETCHED);
    player->close();
    EXPECT_EQ(SoundPlayerOGG::oggPlayerCount(), oggPlayersBefore);
    player->close();
    EXPECT_EQ(SoundPlayerOGG::oggPlayerCount(), oggPlayersBefore);
  }
}

TEST_F(MediaPlayerOgg, DamagedStreamsStopCleanlyAndLeaveNoTemporaryFile) {
  const std::vector<uint8_t> file = encodedTone(1, 22050, 44100);
  if (file.empty()) GTEST_SKIP() << "no Ogg Vorbis encoder here";
  std::vector<uint8_t> truncated(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(file.size() / 2));
  std::vector<uint8_t> headerOnly(file.begin(), file.begin() + 200);
  std::vector<uint8_t> garbage{'O', 'g', 'g', 'S'};
  garbage.resize(3000, 0xA5);
  std::vector<uint8_t> scrambled = file;
  for (size_t index = file.size() / 3; index < file.size(); index += 7) scrambled[index] ^= 0x5A;
  struct Case {
    const char* name;
    const std::vector<uint8_t>* bytes;
  } cases[] = {{"truncated", &truncated}, {"header only", &headerOnly}, {"garbage", &garbage}, {"scrambled", &scrambled}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    auto* player = static_cast<SoundPlayerOGG*>(createPlayer(*test.bytes, "audio/ogg"));
    ASSERT_NE(player, nullptr);
    player->realize();
    if (player->getState() == Player::REALIZED) {
      // Whatever decoded is whole frames, and no more than the full tone.
      EXPECT_GT(player->m_pcmDataLength, 0);
      EXPECT_LE(player->m_pcmDataLength, 44100 * 2);
      EXPECT_EQ(player->m_pcmDataLength % 2, 0);
    } else {
      EXPECT_EQ(player->getState(), Player::UNREALIZED);
    }
    EXPECT_EQ(temporarySoundFiles(), 0);
    player->close();
  }
}

TEST_F(MediaPlayerOgg, ATemporaryFileThatCannotBeWrittenFailsTheRealize) {
  const std::vector<uint8_t> file = encodedTone(1, 8000, 800);
  if (file.empty()) GTEST_SKIP() << "no Ogg Vorbis encoder here";
  auto* player = static_cast<SoundPlayerOGG*>(createPlayer(file, nullptr));
  ASSERT_NE(player, nullptr);
  wince::failNthFileOperation(wince::FileOperation::write, 1);
  player->realize();
  wince::clearFileFaults();
  EXPECT_EQ(player->getState(), Player::UNREALIZED);
  EXPECT_EQ(temporarySoundFiles(), 0);
  // The file data is still there, so a later try can work.
  player->realize();
  EXPECT_EQ(player->getState(), Player::REALIZED);
}

}  // namespace

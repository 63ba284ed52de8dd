#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tests/runtime/media_player_support.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

using media_player_test::MediaPlayerFixture;
using Player = javax_microedition_media_Player;

using MediaPlayerSdlDisk = MediaPlayerFixture;

// SDL's disk driver writes what the card would play into a file: a WAV that
// a player plays must show up there.
TEST_F(MediaPlayerSdlDisk, APlayedWavAppearsInTheCapturedOutput) {
  const std::filesystem::path capture =
      std::filesystem::temp_directory_path() / ("quendrill_player_" + std::to_string(getpid()) + ".raw");
  std::vector<char> bytes;
  {
    ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
    ScopedEnvironment file("SDL_DISKAUDIOFILE", capture.c_str());
    wince::useRealClock();
    ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::sdl));
    if (std::string(wince::audioBackendName()) != "sdl") {
      wince::selectAudioBackend(wince::AudioChoice::null);
      GTEST_SKIP() << "SDL has no disk audio driver here";
    }
    // 150 ms of a loud square wave, 16-bit mono at 22050 Hz.
    media_player_test::Chunk data{"data", {}};
    for (int frame = 0; frame < 22050 * 15 / 100; ++frame) {
      media_player_test::putLittle(data.body, static_cast<uint16_t>((frame / 20) % 2 ? 28000 : -28000), 2);
    }
    SoundPlayerWAVE* player =
        createWavPlayer(media_player_test::riffFile({media_player_test::fmtChunk(WAVE_FORMAT_PCM, 1, 22050, 16), data}));
    player->start();
    ASSERT_EQ(player->getState(), Player::STARTED);
    // The state is the only sign of the end; the card's own clock decides it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (player->getState() == Player::STARTED && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
    EXPECT_EQ(player->getState(), Player::PREFETCHED);
    player->close();
    // Closing SDL's device finishes the file.
    ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
    std::ifstream captured(capture, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(captured), std::istreambuf_iterator<char>());
    std::filesystem::remove(capture);
  }
  size_t loudFrames = 0;
  for (size_t offset = 0; offset + 4 <= bytes.size(); offset += 4) {
    const int left = int16_t(uint16_t(uint8_t(bytes[offset]) | (uint8_t(bytes[offset + 1]) << 8)));
    if (std::abs(left) > 20000) ++loudFrames;
  }
  // 150 ms at 22050..48000 frames a second, edges aside.
  EXPECT_GT(loudFrames, 22050u * 15 / 100 * 8 / 10);
  EXPECT_LT(loudFrames, 48000u * 15 / 100 * 11 / 10);
}

}  // namespace

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tests/wince/waveout_test_support.h"
#include "tests/support/ScopedEnvironment.h"
#include "wince/audio_options.h"
#include "wince/log.h"
#include "wince/window_options.h"

namespace {

using waveout_test::Buffer;
using waveout_test::pcmFormat;

struct DoneSignal {
  std::mutex mutex;
  std::condition_variable changed;
  bool done = false;
  static void callback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
    if (message != WOM_DONE) return;
    auto* signal = reinterpret_cast<DoneSignal*>(instance);
    std::lock_guard lock(signal->mutex);
    signal->done = true;
    signal->changed.notify_all();
  }
};

// SDL's disk driver writes what the card would play into a file: a played
// tone must show up there, at the level and length it was written with.
TEST(WaveOutSdlDisk, APlayedToneAppearsInTheCapturedOutput) {
  const std::filesystem::path capture =
      std::filesystem::temp_directory_path() / ("quendrill_waveout_" + std::to_string(getpid()) + ".raw");
  ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
  ScopedEnvironment file("SDL_DISKAUDIOFILE", capture.c_str());
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::sdl));
  if (std::string(wince::audioBackendName()) != "sdl") {
    wince::selectAudioBackend(wince::AudioChoice::null);
    GTEST_SKIP() << "SDL has no disk audio driver here";
  }

  // 200 ms of a 500 Hz square wave, 8-bit mono at 11025 Hz, at full level.
  constexpr int rate = 11025;
  Buffer tone(rate / 5);
  for (size_t index = 0; index < tone.data.size(); ++index)
    tone.data[index] = char((index / 11) % 2 ? 255 : 1);
  DoneSignal signal;
  HWAVEOUT waveOut = nullptr;
  const WAVEFORMATEX format = pcmFormat(rate, 1, 8);
  ASSERT_EQ(waveOutOpen(&waveOut, 0, &format, reinterpret_cast<DWORD_PTR>(&DoneSignal::callback),
                        reinterpret_cast<DWORD_PTR>(&signal), CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutPrepareHeader(waveOut, &tone.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutWrite(waveOut, &tone.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  {
    std::unique_lock lock(signal.mutex);
    ASSERT_TRUE(signal.changed.wait_for(lock, std::chrono::seconds(20), [&] { return signal.done; }));
  }
  EXPECT_EQ(waveOutClose(waveOut), MMSYSERR_NOERROR);
  // Closing SDL's device finishes the file.
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));

  std::ifstream captured(capture, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(captured)), std::istreambuf_iterator<char>());
  std::filesystem::remove(capture);
  // Stereo 16-bit frames; SDL picked the frame rate, most likely 44100.
  size_t loudFrames = 0;
  int peak = 0;
  for (size_t offset = 0; offset + 4 <= bytes.size(); offset += 4) {
    const int left = int16_t(uint16_t(uint8_t(bytes[offset]) | (uint8_t(bytes[offset + 1]) << 8)));
    const int right = int16_t(uint16_t(uint8_t(bytes[offset + 2]) | (uint8_t(bytes[offset + 3]) << 8)));
    EXPECT_EQ(left, right) << offset;
    if (std::abs(left) > 16000) ++loudFrames;
    peak = std::max(peak, std::abs(left));
  }
  EXPECT_GT(peak, 30000);
  // 200 ms at 22050..48000 frames a second, interpolated edges aside.
  EXPECT_GT(loudFrames, 22050u / 5 * 8 / 10);
  EXPECT_LT(loudFrames, 48000u / 5 * 11 / 10);
}

TEST(WaveOutSdl, WithoutASoundCardTheDeviceIsNoneAndSaysSo) {
  ScopedEnvironment driver("SDL_AUDIODRIVER", "no-such-driver");
  wince::LogCapture log;
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::sdl));
  EXPECT_STREQ(wince::audioBackendName(), "none");
  EXPECT_EQ(waveOutGetNumDevs(), 0u);
  EXPECT_TRUE(log.contains("Sound: no audio device; running silent\n")) << log.text();
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
}

TEST(WaveOutSdl, AHeadlessRunHasNoSoundCard) {
  const wince::WindowOptions before = wince::windowOptions();
  wince::WindowOptions headless = before;
  headless.backend = wince::BackendChoice::headless;
  wince::setWindowOptions(headless);
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::automatic));
  EXPECT_STREQ(wince::audioBackendName(), "none");
  wince::setWindowOptions(before);
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
}

}  // namespace

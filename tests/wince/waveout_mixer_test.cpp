#include <gtest/gtest.h>

#include <vector>

#include "tests/wince/waveout_test_support.h"
#include "wince/audio_voice.h"

namespace {

using waveout_test::Buffer;
using waveout_test::pcmFormat;

struct Mixed {
  std::vector<int32_t> left, right;
  std::vector<WAVEHDR*> finished;
};

Mixed mix(wince::AudioVoice& voice, int frames, int deviceRate, DWORD master = 0xFFFFFFFF) {
  std::vector<int32_t> stereo(size_t(frames) * 2, 0);
  Mixed result;
  voice.mixInto(stereo.data(), frames, deviceRate, master, result.finished);
  for (int frame = 0; frame < frames; ++frame) {
    result.left.push_back(stereo[2 * frame]);
    result.right.push_back(stereo[2 * frame + 1]);
  }
  return result;
}

Buffer samples16(const std::vector<int16_t>& values, DWORD flags = 0, DWORD loops = 0) {
  Buffer buffer(values.size() * 2, flags, loops);
  for (size_t index = 0; index < values.size(); ++index) {
    buffer.data[2 * index] = char(values[index] & 0xFF);
    buffer.data[2 * index + 1] = char((values[index] >> 8) & 0xFF);
  }
  return buffer;
}

TEST(WaveOutMixer, EightBitMonoIsCenteredScaledAndSentToBothSides) {
  wince::AudioVoice voice(1, pcmFormat(22050, 1, 8), nullptr, 0);
  Buffer buffer(3);
  buffer.data = {char(128 + 64), char(128 - 64), char(255)};
  buffer.header.lpData = buffer.data.data();
  voice.queue(&buffer.header);
  const Mixed out = mix(voice, 4, 22050);
  EXPECT_EQ(out.left, (std::vector<int32_t>{16384, -16384, 32512, 0}));
  EXPECT_EQ(out.right, out.left);
  EXPECT_EQ(out.finished, std::vector<WAVEHDR*>{&buffer.header});
}

TEST(WaveOutMixer, StereoKeepsItsSidesAndEachSideHasItsOwnVolume) {
  wince::AudioVoice voice(1, pcmFormat(8000, 2, 16), nullptr, 0);
  Buffer buffer = samples16({1000, -2000, 3000, -4000});
  voice.queue(&buffer.header);
  voice.setVolume(0x0000FFFF);  // right side silent
  Mixed out = mix(voice, 2, 8000);
  EXPECT_EQ(out.left, (std::vector<int32_t>{1000, 3000}));
  EXPECT_EQ(out.right, (std::vector<int32_t>{0, 0}));

  // The device's volume scales every voice on top of the voice's own.
  wince::AudioVoice quiet(2, pcmFormat(8000, 2, 16), nullptr, 0);
  Buffer again = samples16({1000, -2000});
  quiet.queue(&again.header);
  out = mix(quiet, 1, 8000, 0x7FFF7FFF);
  EXPECT_NEAR(out.left[0], 500, 1);
  EXPECT_NEAR(out.right[0], -1000, 1);
}

TEST(WaveOutMixer, ALowerSourceRateIsInterpolatedToTheDeviceRate) {
  wince::AudioVoice voice(1, pcmFormat(8000, 1, 16), nullptr, 0);
  Buffer buffer = samples16({0, 1000, 2000, 3000});
  voice.queue(&buffer.header);
  const Mixed out = mix(voice, 9, 16000);
  EXPECT_EQ(out.left, (std::vector<int32_t>{0, 500, 1000, 1500, 2000, 2500, 3000, 3000, 0}));
  EXPECT_EQ(out.finished.size(), 1u);
  EXPECT_EQ(voice.framesPlayed(), 4u);
}

TEST(WaveOutMixer, PlaybackRateTwoSkipsEveryOtherFrame) {
  wince::AudioVoice voice(1, pcmFormat(8000, 1, 16), nullptr, 0);
  voice.setPlaybackRate(0x20000);
  Buffer buffer = samples16({0, 100, 200, 300, 400, 500, 600, 700});
  voice.queue(&buffer.header);
  const Mixed out = mix(voice, 5, 8000);
  EXPECT_EQ(out.left, (std::vector<int32_t>{0, 200, 400, 600, 0}));
}

TEST(WaveOutMixer, LoopsRepeatTheBufferThenReturnIt) {
  wince::AudioVoice voice(1, pcmFormat(8000, 1, 16), nullptr, 0);
  Buffer buffer = samples16({1, 2, 3}, WHDR_BEGINLOOP | WHDR_ENDLOOP, 2);
  voice.queue(&buffer.header);
  const Mixed out = mix(voice, 7, 8000);
  EXPECT_EQ(out.left, (std::vector<int32_t>{1, 2, 3, 1, 2, 3, 0}));
  EXPECT_EQ(out.finished, std::vector<WAVEHDR*>{&buffer.header});
  EXPECT_EQ(buffer.header.dwFlags & (WHDR_DONE | WHDR_INQUEUE), WHDR_DONE);
}

}  // namespace

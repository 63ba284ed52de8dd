#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/media/decode/OggVorbisDecode.h"
#include "tools/writers/OggVorbisWriter.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

using mediadecode::DecodedPcm;
using mediadecode::OggVorbisDecoder;

// Channel c holds a sine of 440 x (c + 1) Hz at amplitude / (c + 1).
std::vector<int16_t> tone(int channels, int rate, int frames, double amplitude) {
  std::vector<int16_t> samples;
  for (int frame = 0; frame < frames; ++frame)
    for (int channel = 0; channel < channels; ++channel)
      samples.push_back(int16_t(amplitude / (channel + 1) *
                                std::sin(2 * M_PI * 440.0 * (channel + 1) * frame / rate)));
  return samples;
}

// A tone with noise on it, which takes many pages to encode.
std::vector<int16_t> noisyTone(int channels, int rate, int frames) {
  std::vector<int16_t> samples = tone(channels, rate, frames, 8000);
  uint32_t state = 12345;
  for (int16_t& sample : samples) {
    state = state * 1103515245u + 12345u;
    sample = int16_t(sample + int((state >> 16) % 8001) - 4000);
  }
  return samples;
}

double rootMeanSquare(const DecodedPcm& pcm, int channels, int channel) {
  const auto* samples = reinterpret_cast<const int16_t*>(pcm.bytes);
  const size_t frames = pcm.length / 2 / size_t(channels);
  double sum = 0;
  for (size_t frame = 0; frame < frames; ++frame) {
    const double value = samples[frame * size_t(channels) + size_t(channel)];
    sum += value * value;
  }
  return frames ? std::sqrt(sum / double(frames)) : 0;
}

// The player's temporary file lives in the device's \temp folder.
std::string writeTemporary(const std::vector<uint8_t>& bytes, const char16_t* devicePath) {
  const std::optional<std::string> host = wince::hostPathForWriting(devicePath);
  EXPECT_TRUE(host);
  std::FILE* file = std::fopen(host->c_str(), "wb");
  EXPECT_NE(file, nullptr);
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return *host;
}

struct FreedPcm {
  DecodedPcm pcm;
  ~FreedPcm() { std::free(pcm.bytes); }
};

class OggVorbisDecode : public testing::Test {
 protected:
  std::vector<uint8_t> encode(const std::vector<int16_t>& samples, int channels, int rate) {
    std::optional<std::vector<uint8_t>> file = tools::encodeOggVorbis(samples, channels, rate);
    if (!file) ADD_FAILURE() << "libvorbisenc is missing (tools/scripts/setup.sh installs it)";
    return file.value_or(std::vector<uint8_t>{});
  }
};

TEST_F(OggVorbisDecode, AGeneratedToneComesBackWithItsLengthRateChannelsAndEnergy) {
  struct Case {
    int channels, rate, frames;
  };
  // The last decodes to more than 2 MB, which takes the block for long streams.
  for (const Case& c : {Case{1, 44100, 22050}, Case{2, 22050, 33075}, Case{1, 8000, 1000}, Case{2, 8000, 600000}}) {
    SCOPED_TRACE(testing::Message() << c.channels << " channel(s) at " << c.rate);
    const std::string path = writeTemporary(encode(tone(c.channels, c.rate, c.frames, 12000), c.channels, c.rate),
                                            u"\\temp\\decoded0.ogg");
    OggVorbisDecoder decoder;
    ASSERT_TRUE(decoder.open(path.c_str()));
    EXPECT_EQ(decoder.info().channels, c.channels);
    EXPECT_EQ(decoder.info().rate, c.rate);
    EXPECT_EQ(decoder.info().version, 0);
    EXPECT_GT(decoder.info().bitrateNominal, 0);
    EXPECT_NEAR(decoder.totalMilliseconds(), int64_t(c.frames) * 1000 / c.rate, 1);

    FreedPcm decoded{decoder.decodeAll()};
    ASSERT_NE(decoded.pcm.bytes, nullptr);
    EXPECT_EQ(decoded.pcm.length, size_t(c.frames) * 2 * size_t(c.channels));
    EXPECT_EQ(decoded.pcm.failedAllocationBytes, 0u);
    // A sine's RMS is its amplitude over the square root of 2.
    for (int channel = 0; channel < c.channels; ++channel)
      EXPECT_NEAR(rootMeanSquare(decoded.pcm, c.channels, channel), 12000 / std::sqrt(2.0) / (channel + 1),
                  12000 * 0.1 / (channel + 1))
          << "channel " << channel;
    decoder.clear();
    EXPECT_FALSE(decoder.isOpen());
    EXPECT_EQ(decoder.totalMilliseconds(), -1);
  }
}

TEST_F(OggVorbisDecode, ATruncatedStreamStopsCleanlyWithWhatCameBefore) {
  const int rate = 22050, frames = rate * 2;
  const std::vector<uint8_t> whole = encode(noisyTone(2, rate, frames), 2, rate);
  ASSERT_GT(whole.size(), 12000u);
  struct Case {
    double kept;         // of the file
    double leastFrames;  // of the frames, decoded at least
  };
  // Cut in the first audio page nothing plays; later cuts keep whole pages.
  for (const Case& c : {Case{0.25, 0}, Case{0.5, 0.15}, Case{0.8, 0.5}, Case{0.95, 0.5}}) {
    SCOPED_TRACE(c.kept);
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + ptrdiff_t(double(whole.size()) * c.kept));
    const std::string path = writeTemporary(cut, u"\\temp\\decoded1.ogg");
    OggVorbisDecoder decoder;
    ASSERT_TRUE(decoder.open(path.c_str()));
    FreedPcm decoded{decoder.decodeAll()};
    EXPECT_EQ(decoded.pcm.length % 4, 0u);
    EXPECT_GE(decoded.pcm.length, size_t(double(frames) * 4 * c.leastFrames));
    EXPECT_LT(decoded.pcm.length, size_t(frames) * 4);
    EXPECT_EQ(decoded.pcm.bytes == nullptr, decoded.pcm.length == 0);
  }
}

TEST_F(OggVorbisDecode, ADamagedPageIsLeftOutAndTheRestStillPlays) {
  const int rate = 22050, frames = rate * 2;
  std::vector<uint8_t> file = encode(noisyTone(2, rate, frames), 2, rate);
  ASSERT_GT(file.size(), 12000u);
  // Inside the audio pages; the page's checksum no longer matches.
  for (size_t index = file.size() / 2; index < file.size() / 2 + 64; ++index) file[index] ^= 0x5A;
  const std::string path = writeTemporary(file, u"\\temp\\decoded2.ogg");
  OggVorbisDecoder decoder;
  ASSERT_TRUE(decoder.open(path.c_str()));
  FreedPcm decoded{decoder.decodeAll()};
  EXPECT_GT(decoded.pcm.length, size_t(frames) * 4 / 2);
  EXPECT_LT(decoded.pcm.length, size_t(frames) * 4);
  EXPECT_EQ(decoded.pcm.length % 4, 0u);
}

TEST_F(OggVorbisDecode, WhatIsNoOggVorbisIsRefusedWithALogLine) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> headerOnly = encode(tone(1, 8000, 800, 1000), 1, 8000);
  headerOnly.resize(40);
  for (const Case& c : {Case{"empty", {}}, Case{"text", std::vector<uint8_t>(300, 'a')}, Case{"first page cut", headerOnly}}) {
    SCOPED_TRACE(c.name);
    const std::string path = writeTemporary(c.bytes, u"\\temp\\decoded3.ogg");
    wince::LogCapture log;
    OggVorbisDecoder decoder;
    EXPECT_FALSE(decoder.open(path.c_str()));
    EXPECT_FALSE(decoder.isOpen());
    EXPECT_TRUE(log.contains("is not an Ogg Vorbis stream")) << log.text();
    const DecodedPcm nothing = decoder.decodeAll();
    EXPECT_EQ(nothing.bytes, nullptr);
  }
  wince::LogCapture log;
  OggVorbisDecoder decoder;
  EXPECT_FALSE(decoder.open("/nonexistent/quendrill/sound.ogg"));
  EXPECT_TRUE(log.contains("cannot read")) << log.text();
}

TEST_F(OggVorbisDecode, OpeningAgainReplacesTheStreamBeforeIt) {
  const std::string first = writeTemporary(encode(tone(1, 8000, 8000, 8000), 1, 8000), u"\\temp\\decoded4.ogg");
  const std::string second = writeTemporary(encode(tone(2, 16000, 4000, 8000), 2, 16000), u"\\temp\\decoded5.ogg");
  OggVorbisDecoder decoder;
  ASSERT_TRUE(decoder.open(first.c_str()));
  ASSERT_TRUE(decoder.open(second.c_str()));
  EXPECT_EQ(decoder.info().channels, 2);
  FreedPcm decoded{decoder.decodeAll()};
  EXPECT_EQ(decoded.pcm.length, 4000u * 4);
}

}  // namespace

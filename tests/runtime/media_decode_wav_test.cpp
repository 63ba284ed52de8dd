#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/media/decode/WavParse.h"
#include "wince/log.h"

namespace {

using mediadecode::parseWavFile;
using mediadecode::WavLayout;

void putLittle(std::vector<uint8_t>& bytes, uint32_t value, int size) {
  for (int index = 0; index < size; ++index) bytes.push_back(uint8_t(value >> (8 * index)));
}

struct Chunk {
  std::string id;
  std::vector<uint8_t> body;
  int64_t claimedSize = -1;  // -1: the body's size
};

Chunk fmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, size_t extraBytes = 0) {
  std::vector<uint8_t> body;
  putLittle(body, tag, 2);
  putLittle(body, channels, 2);
  putLittle(body, rate, 4);
  putLittle(body, rate * channels * bits / 8, 4);
  putLittle(body, channels * bits / 8, 2);
  putLittle(body, bits, 2);
  if (extraBytes >= 2) putLittle(body, uint32_t(extraBytes - 2), 2);
  body.resize(16 + extraBytes, 0);
  return {"fmt ", body};
}

Chunk dataChunk(size_t length, int64_t claimed = -1) { return {"data", std::vector<uint8_t>(length, 0x55), claimed}; }

// "RIFF" with the right size (or the given one), "WAVE", then the chunks
// with their pad bytes.
std::vector<uint8_t> riffFile(const std::vector<Chunk>& chunks, int64_t riffSize = -1) {
  std::vector<uint8_t> body{'W', 'A', 'V', 'E'};
  for (const Chunk& chunk : chunks) {
    body.insert(body.end(), chunk.id.begin(), chunk.id.end());
    putLittle(body, uint32_t(chunk.claimedSize >= 0 ? chunk.claimedSize : int64_t(chunk.body.size())), 4);
    body.insert(body.end(), chunk.body.begin(), chunk.body.end());
    if (chunk.body.size() % 2) body.push_back(0);
  }
  std::vector<uint8_t> file{'R', 'I', 'F', 'F'};
  putLittle(file, uint32_t(riffSize >= 0 ? riffSize : int64_t(body.size())), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

TEST(WavParse, ReadsTheLayoutOfPlayableFiles) {
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    uint16_t channels, bits;
    uint32_t rate;
    size_t pcmOffset, pcmLength;
  };
  const Case cases[] = {
      {"PCM16 mono", riffFile({fmtChunk(1, 1, 22050, 16), dataChunk(100)}), 1, 16, 22050, 44, 100},
      {"PCM8 stereo", riffFile({fmtChunk(1, 2, 11025, 8), dataChunk(64)}), 2, 8, 11025, 44, 64},
      {"PCM16 stereo", riffFile({fmtChunk(1, 2, 44100, 16), dataChunk(400)}), 2, 16, 44100, 44, 400},
      {"18-byte fmt", riffFile({fmtChunk(1, 1, 8000, 16, 2), dataChunk(10)}), 1, 16, 8000, 46, 10},
      {"LIST before data", riffFile({fmtChunk(1, 1, 8000, 8), {"LIST", std::vector<uint8_t>(26, 'x')}, dataChunk(9)}),
       1, 8, 8000, 78, 9},
      {"odd chunk padded", riffFile({{"junk", std::vector<uint8_t>(3, 'j')}, fmtChunk(1, 1, 8000, 8), dataChunk(5)}),
       1, 8, 8000, 56, 5},
      {"data before fmt", riffFile({dataChunk(8), fmtChunk(1, 2, 8000, 16)}), 2, 16, 8000, 20, 8},
      {"part of a frame dropped", riffFile({fmtChunk(1, 2, 8000, 16), dataChunk(11)}), 2, 16, 8000, 44, 8},
      {"data past the end cut", riffFile({fmtChunk(1, 1, 8000, 16), dataChunk(20, 1000)}), 1, 16, 8000, 44, 20},
      {"streamed RIFF size 0", riffFile({fmtChunk(1, 1, 8000, 8), dataChunk(30)}, 0), 1, 8, 8000, 44, 30},
      {"RIFF size past the end", riffFile({fmtChunk(1, 1, 8000, 8), dataChunk(30)}, 0x7FFFFFFF), 1, 8, 8000, 44, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WavLayout layout{};
    ASSERT_TRUE(parseWavFile(c.file.data(), c.file.size(), &layout));
    EXPECT_EQ(layout.format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(layout.format.nChannels, c.channels);
    EXPECT_EQ(layout.format.wBitsPerSample, c.bits);
    EXPECT_EQ(layout.format.nSamplesPerSec, c.rate);
    EXPECT_EQ(layout.format.nBlockAlign, c.channels * c.bits / 8);
    EXPECT_EQ(layout.format.nAvgBytesPerSec, c.rate * c.channels * c.bits / 8);
    EXPECT_EQ(layout.pcmOffset, c.pcmOffset);
    EXPECT_EQ(layout.pcmLength, c.pcmLength);
    EXPECT_LE(layout.pcmOffset + layout.pcmLength, c.file.size());
  }
}

TEST(WavParse, RefusesFilesItCannotPlayWithALogLine) {
  std::vector<uint8_t> notWave = riffFile({fmtChunk(1, 1, 8000, 8), dataChunk(4)});
  notWave[8] = 'A';
  std::vector<uint8_t> truncatedFmt = riffFile({fmtChunk(1, 1, 8000, 16)});
  truncatedFmt.resize(truncatedFmt.size() - 6);
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    const char* logged;
  };
  const Case cases[] = {
      {"empty", {}, "shorter than a RIFF header"},
      {"shorter than the header", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'}, "shorter than a RIFF header"},
      {"not RIFF", std::vector<uint8_t>(64, 'x'), "no RIFF WAVE header"},
      {"not WAVE", notWave, "no RIFF WAVE header"},
      {"no fmt", riffFile({dataChunk(10)}), "no fmt chunk"},
      {"no data", riffFile({fmtChunk(1, 1, 8000, 8)}), "no data chunk"},
      {"fmt cut short", truncatedFmt, "fmt chunk"},
      {"fmt too small", riffFile({{"fmt ", std::vector<uint8_t>(14, 1)}, dataChunk(4)}), "fmt chunk"},
      {"huge chunk hides data", riffFile({fmtChunk(1, 1, 8000, 8), {"junk", {1, 2}, 0xFFFFFFF0}, dataChunk(4)}),
       "no data chunk"},
      {"IEEE float", riffFile({fmtChunk(3, 1, 8000, 32), dataChunk(8)}), "is not PCM"},
      {"ADPCM", riffFile({fmtChunk(2, 1, 8000, 4), dataChunk(8)}), "is not PCM"},
      {"24 bits", riffFile({fmtChunk(1, 1, 8000, 24), dataChunk(9)}), "cannot be played"},
      {"six channels", riffFile({fmtChunk(1, 6, 8000, 16), dataChunk(12)}), "cannot be played"},
      {"rate 0", riffFile({fmtChunk(1, 1, 0, 16), dataChunk(12)}), "cannot be played"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wince::LogCapture log;
    WavLayout layout{};
    EXPECT_FALSE(parseWavFile(c.file.data(), c.file.size(), &layout));
    EXPECT_TRUE(log.contains(c.logged)) << log.text();
  }
}

TEST(WavParse, AHandWrittenHeaderPinsTheFormat) {
  // 16-bit stereo 22050 Hz, four frames, as a WAV writer lays it out.
  const std::vector<uint8_t> file{
      'R', 'I', 'F', 'F', 0x34, 0, 0, 0, 'W', 'A', 'V', 'E',             //
      'f', 'm', 't', ' ', 0x10, 0, 0, 0, 0x01, 0, 0x02, 0,               // PCM, 2 channels
      0x22, 0x56, 0, 0, 0x88, 0x58, 0x01, 0, 0x04, 0, 0x10, 0,           // 22050, 88200, 4, 16
      'd', 'a', 't', 'a', 0x10, 0, 0, 0,                                 //
      1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0};
  WavLayout layout{};
  ASSERT_TRUE(parseWavFile(file.data(), file.size(), &layout));
  EXPECT_EQ(layout.format.nSamplesPerSec, 22050u);
  EXPECT_EQ(layout.format.nAvgBytesPerSec, 88200u);
  EXPECT_EQ(layout.pcmOffset, 44u);
  EXPECT_EQ(layout.pcmLength, 16u);
  EXPECT_EQ(file[layout.pcmOffset], 1);
}

TEST(WavParse, DurationFollowsThePlayersRule) {
  WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
  // 22 x 2 x 16 / 8 = 88 bytes a millisecond, counted over the whole file.
  EXPECT_EQ(mediadecode::wavDurationMicroseconds(format, 88244), 1002000);
  format = WAVEFORMATEX{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0};
  EXPECT_EQ(mediadecode::wavDurationMicroseconds(format, 8044), 1005000);
  // Long files do not overflow.
  EXPECT_EQ(mediadecode::wavDurationMicroseconds(format, int64_t(1) << 40), (int64_t(1) << 40) / 8 * 1000);
  // Below 1 kHz there are no whole bytes per millisecond.
  format.nSamplesPerSec = 999;
  EXPECT_EQ(mediadecode::wavDurationMicroseconds(format, 1000), 0);
}

}  // namespace

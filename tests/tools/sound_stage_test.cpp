// The sound stage: recipes to WAV and Ogg Vorbis files, one per sound id.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "game/toolkit/SoundIds.h"
#include "tools/compiler/SoundStage.h"
#include "tools/compiler/SoundSynthesis.h"
#include "tools/writers/WavWriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::filesystem::path recipeFile = std::filesystem::path(QUENDRILL_CONTENT_DIR) / "sounds.json";

bool startsWith(const Bytes& bytes, const char* tag) {
  return bytes.size() >= 4 && std::equal(tag, tag + 4, bytes.begin());
}
uint32_t little32(const Bytes& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

TEST(WavWriter, WritesTheCanonicalHeaderAndLittleEndianSamples) {
  const Bytes expected = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                          16,  0,   0,   0,   1,  0, 1, 0, 0x11, 0x2B, 0, 0, 0x22, 0x56, 0, 0,
                          2,   0,   16,  0,   'd', 'a', 't', 'a', 4, 0, 0, 0,
                          0x34, 0x12, 0xFF, 0xFF};
  EXPECT_EQ(tools::writeWav({0x1234, -1}, 11025), expected);
}

TEST(SoundNotes, NamesOctavesAndBeatsGiveFrequenciesAndLengths) {
  const auto segments = tools::parseNotes("A4:1 C4:0.5 C#4:2 Bb3:1 -:1", 60);
  ASSERT_EQ(segments.size(), 5u);
  EXPECT_DOUBLE_EQ(segments[0].fromHz, 440.0);
  EXPECT_DOUBLE_EQ(segments[0].milliseconds, 1000.0);
  EXPECT_NEAR(segments[1].fromHz, 261.63, 0.01);
  EXPECT_DOUBLE_EQ(segments[1].milliseconds, 500.0);
  EXPECT_NEAR(segments[2].fromHz, 277.18, 0.01);
  EXPECT_NEAR(segments[3].fromHz, 233.08, 0.01);
  EXPECT_EQ(segments[4].fromHz, 0.0);
  for (const char* bad : {"H4:1", "A4", "A4:0", "A4:x", "A:1", "A44:1", "-:"})
    EXPECT_THROW(tools::parseNotes(bad, 60), std::runtime_error) << bad;
}

TEST(SoundSynthesis, MixesVoicesToTheLongestAndClipsTheSum) {
  tools::Voice loud;
  loud.wave = tools::Wave::square;
  loud.gain = 0.9;
  loud.attackMilliseconds = loud.releaseMilliseconds = 0;
  loud.segments = {{100, 100, 100, 1}};
  tools::Voice longer = loud;
  longer.segments = {{100, 100, 200, 1}};
  const auto samples = tools::synthesise({loud, longer}, 8000, 1);
  ASSERT_EQ(samples.size(), 1600u);
  EXPECT_EQ(samples[10], 32767) << "two voices at 0.9 clip";
  EXPECT_NEAR(std::abs(samples[1000]), 0.9 * 32767, 1) << "one voice left";
  EXPECT_EQ(tools::synthesise({loud}, 8000, 1), tools::synthesise({loud}, 8000, 1));
}

TEST(SoundStage, TheGamesRecipesGiveEverySoundOfTheBank) {
  const std::string recipes = readText(recipeFile);
  const auto entries = tools::compileSounds(recipes, recipeFile.string());
  ASSERT_EQ(entries.size(), size_t(sound::count));
  int oggCount = 0;
  for (int32_t id = 0; id < sound::count; ++id) {
    SCOPED_TRACE("sound " + std::to_string(id));
    const tools::SoundPackEntry& entry = entries[size_t(id)];
    EXPECT_EQ(entry.type, id <= 10 ? sound::channelA : sound::channelB) << "music and jingles on A";
    if (sound::remapped(id) != id) {
      EXPECT_TRUE(entry.bytes.empty()) << "never played";
      continue;
    }
    if (startsWith(entry.bytes, "OggS")) {
      ++oggCount;
      continue;
    }
    ASSERT_TRUE(startsWith(entry.bytes, "RIFF"));
    ASSERT_GT(entry.bytes.size(), 44u);
    EXPECT_EQ(little32(entry.bytes, 40), entry.bytes.size() - 44) << "the data chunk fills the file";
  }
  EXPECT_GE(oggCount, 1) << "both players have something to play";
  EXPECT_EQ(tools::compileSounds(recipes, "again")[1].bytes, entries[1].bytes) << "Ogg encoding is deterministic";
}

TEST(SoundStage, FaultyRecipesNameTheSoundAtFault) {
  const std::string fine = R"({"id": 0, "channel": "B", "voices": [{"segments": [{"from": 440, "ms": 10}]}]})";
  auto bank = [&](const std::string& sound0) {
    std::string sounds = sound0;
    for (int id = 1; id < sound::count; ++id)
      sounds += R"(, {"id": )" + std::to_string(id) + R"(, "channel": "B", "empty": true})";
    return R"({"rate": 8000, "sounds": [)" + sounds + "]}";
  };
  EXPECT_NO_THROW(tools::compileSounds(bank(fine), "s.json"));
  struct Case {
    std::string sound0;
    const char* message;
  } cases[] = {
      {R"({"id": 0, "channel": "C", "empty": true})", "sound 0: channel"},
      {R"({"id": 0, "channel": "B", "voices": [{"wave": "organ", "notes": "A4:1"}]})", "unknown wave"},
      {R"({"id": 0, "channel": "B", "voices": [{"notes": "A4"}]})", "bad note"},
      {R"({"id": 0, "channel": "B", "format": "mp3", "voices": [{"notes": "A4:1"}]})", "format"},
      {R"({"id": 0, "channel": "B", "voices": [{"segments": [{"from": 440, "ms": 0}]}]})", "no sound"},
      {R"({"id": 0, "channel": "B", "voices": [{"segments": [{"from": 440, "ms": 200000}]}]})", "two minutes"},
      {R"({"id": 34, "channel": "B", "empty": true})", "sound 34: no such sound id"},
      {R"({"id": 1, "channel": "B", "empty": true})", "sound 1: defined twice"},
      {R"({"channel": "B", "empty": true})", "s.json"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sound0);
    try {
      tools::compileSounds(bank(c.sound0), "s.json");
      ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
  EXPECT_THROW(tools::compileSounds("{", "s.json"), std::runtime_error);
  EXPECT_THROW(tools::compileSounds(R"({"rate": 8000, "sounds": []})", "s.json"), std::runtime_error);
}

}  // namespace

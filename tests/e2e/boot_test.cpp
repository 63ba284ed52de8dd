// The built game's first screens on the fixed clock: GameStates 1, 2, 4, 3
// in that order, the splash's first logo on white for at least four seconds,
// its second screen on black, and the splash lasting at least eight seconds
// although its loading is done within a few frames.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/GoldenImage.h"
#include "tests/e2e/ProgramProcess.h"
#include "tests/e2e/StateLog.h"

namespace {

namespace fs = std::filesystem;

// One harness frame is one 62 ms frame of the game.
constexpr int framePeriod = 62;

using e2e::StateChange;
using e2e::stateChanges;

uint32_t pixelAt(const e2e::RgbImage& image, int x, int y) {
  const size_t i = (size_t(y) * size_t(image.width) + size_t(x)) * 3;
  return uint32_t(image.rgb[i]) << 16 | uint32_t(image.rgb[i + 1]) << 8 | image.rgb[i + 2];
}

class Boot : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "boot-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_root = pattern;
  }
  void TearDown() override { fs::remove_all(m_root); }

  fs::path shot(int frame) const { return m_root / ("frame-" + std::to_string(frame) + ".png"); }

  fs::path m_root;
};

TEST_F(Boot, TheFirstScreensComeInOrderAndTheSplashKeepsItsTimes) {
  const int lastLogo1Frame = 4000 / framePeriod;      // still under 4 s in the splash
  const int firstLogo2Frame = 4000 / framePeriod + 3;  // past 4 s
  std::vector<std::string> words = {QUENDRILL_EXECUTABLE,
                                    "--installed",
                                    fs::path(QUENDRILL_DATA_BAR).parent_path().string(),
                                    "--data",
                                    (m_root / "data").string(),
                                    "--headless",
                                    "--clock",
                                    "0",
                                    "--frames",
                                    "160"};
  for (int frame : {3, lastLogo1Frame, firstLogo2Frame}) {
    words.push_back("--screenshot");
    words.push_back(std::to_string(frame) + ":" + shot(frame).string());
  }
  const e2e::ProgramResult run = e2e::runProgram(words);
  ASSERT_EQ(run.exitStatus, 0) << run.output;

  const std::vector<StateChange> changes = stateChanges(run.output);
  ASSERT_EQ(changes.size(), 3u) << run.output;
  EXPECT_EQ(changes[0].from, 1);
  EXPECT_EQ(changes[0].to, 2);
  EXPECT_EQ(changes[1].from, 2);
  EXPECT_EQ(changes[1].to, 4);
  EXPECT_GE(changes[1].afterMs, 8000) << "the splash lasts at least eight seconds";
  EXPECT_LT(changes[1].afterMs, 8000 + 3 * framePeriod);
  EXPECT_EQ(changes[2].from, 4);
  EXPECT_EQ(changes[2].to, 3);

  // The first logo's screen is white up to four seconds, the second black.
  const struct {
    int frame;
    uint32_t corner;
  } probes[] = {{3, 0xFFFFFF}, {lastLogo1Frame, 0xFFFFFF}, {firstLogo2Frame, 0x000000}};
  for (const auto& probe : probes) {
    e2e::RgbImage image;
    ASSERT_TRUE(e2e::readRgbPng(shot(probe.frame), image)) << probe.frame;
    EXPECT_EQ(pixelAt(image, 4, 4), probe.corner) << "frame " << probe.frame;
    EXPECT_EQ(pixelAt(image, 795, 475), probe.corner) << "no softkey on the splash, frame " << probe.frame;
  }
}

}  // namespace

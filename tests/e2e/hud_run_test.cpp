// The HUD in the real program: pen events on the pad hold its arrows down
// (the pad's keys), a drag moves the press to the next arrow, and the
// satchel button leads through the in-game menu to the inventory.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/GoldenImage.h"
#include "tests/e2e/ProgramProcess.h"
#include "tests/e2e/StateLog.h"

namespace {

namespace fs = std::filesystem;

// A new game into room 0; a press on the pad's up arrow, a drag onto its
// left arrow, the release; then a tap on the satchel.
constexpr const char* script =
    "200 tap 400 255\n"
    "270 tap 400 240\n"
    "340 tap 400 135\n"
    "505 pen down 130 295\n"
    "515 pen move 60 365\n"
    "525 pen up 60 365\n"
    "540 tap 662 46\n";

// An arrow's face is gold while it is pressed.
bool isGold(const e2e::RgbImage& image, int x, int y) {
  const uint8_t* p = &image.rgb[(size_t(y) * size_t(image.width) + size_t(x)) * 3];
  return p[0] > 0xE0 && p[1] > 0xB0 && p[1] < 0xD0 && p[2] < 0x60;
}

TEST(HudRun, ThePadFollowsThePenAndTheSatchelOpensTheInventory) {
  std::string pattern = (fs::temp_directory_path() / "hud-run-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  std::ofstream(root / "script.txt") << script;
  const fs::path up = root / "up.png";
  const fs::path left = root / "left.png";
  const e2e::ProgramResult run = e2e::runProgram(
      {QUENDRILL_EXECUTABLE, "--installed", fs::path(QUENDRILL_DATA_BAR).parent_path().string(), "--data",
       (root / "data").string(), "--headless", "--clock", "0", "--frames", "600", "--input",
       (root / "script.txt").string(), "--screenshot", "510:" + up.string(), "--screenshot",
       "520:" + left.string()},
      {}, 120000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  e2e::RgbImage image;
  ASSERT_TRUE(e2e::readRgbPng(up, image));
  // The faces' corners, clear of the arrow glyphs.
  EXPECT_TRUE(isGold(image, 110, 275)) << "the up arrow is held";
  EXPECT_FALSE(isGold(image, 40, 345)) << "the left arrow is not";
  ASSERT_TRUE(e2e::readRgbPng(left, image));
  EXPECT_FALSE(isGold(image, 110, 275)) << "the drag left the up arrow";
  EXPECT_TRUE(isGold(image, 40, 345)) << "and holds the left arrow";

  const std::vector<e2e::StateChange> changes = e2e::stateChanges(run.output);
  ASSERT_GE(changes.size(), 2u) << run.output;
  EXPECT_EQ(changes[changes.size() - 2].from, 14) << run.output;
  EXPECT_EQ(changes[changes.size() - 2].to, 10) << run.output;
  EXPECT_EQ(changes.back().from, 10) << run.output;
  EXPECT_EQ(changes.back().to, 11) << run.output;
  fs::remove_all(root);
}

}  // namespace

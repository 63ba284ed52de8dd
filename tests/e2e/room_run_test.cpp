// A new game played into its first room: the chapter loads, GameState 14
// takes over and paints the room with its cast, and the room stays on screen
// frame after frame.
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

// The sound question, the title, then the main menu's first row: a new game.
constexpr const char* script =
    "200 tap 400 255\n"
    "270 tap 400 240\n"
    "340 tap 400 135\n";

TEST(RoomRun, ANewGameShowsTheFirstRoom) {
  std::string pattern = (fs::temp_directory_path() / "room-run-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  std::ofstream(root / "script.txt") << script;
  const fs::path first = root / "room0.png";
  const fs::path later = root / "room0_later.png";
  const e2e::ProgramResult run = e2e::runProgram(
      {QUENDRILL_EXECUTABLE, "--installed", fs::path(QUENDRILL_DATA_BAR).parent_path().string(), "--data",
       (root / "data").string(), "--headless", "--clock", "0", "--frames", "560", "--input",
       (root / "script.txt").string(), "--screenshot", "500:" + first.string(), "--screenshot",
       "555:" + later.string()},
      {}, 120000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  // The loading run ends in play, and play keeps the frame to itself.
  const std::vector<e2e::StateChange> changes = e2e::stateChanges(run.output);
  ASSERT_FALSE(changes.empty()) << run.output;
  EXPECT_EQ(changes.back().from, 4) << run.output;
  EXPECT_EQ(changes.back().to, 14) << run.output;

  e2e::expectMatchesGolden(first, "room0.png");
  // The cast idles where it stands: a later frame shows the same room with
  // the creatures and people a step further in their idle animations.
  e2e::expectMatchesGolden(later, "room0_later.png");
  fs::remove_all(root);
}

}  // namespace

// The first room's opening cutscene in the real program: its start action
// plays it as the room loads, it runs over the first seconds of play, and
// the left softkey skips it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/GoldenImage.h"
#include "tests/e2e/ProgramProcess.h"
#include "tests/e2e/StateLog.h"

namespace {

namespace fs = std::filesystem;

// The sound question, the title, then the main menu's first row: a new game,
// whose first room is in play from about frame 380.
constexpr const char* newGame =
    "200 tap 400 255\n"
    "270 tap 400 240\n"
    "340 tap 400 135\n";

struct ProgramRun {
  std::string log;
  fs::path root;
};

ProgramRun play(const std::string& script, const std::vector<std::string>& screenshots, int frames) {
  std::string pattern = (fs::temp_directory_path() / "cutscene-run-XXXXXX").string();
  EXPECT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  std::ofstream(root / "script.txt") << script;
  std::vector<std::string> arguments = {QUENDRILL_EXECUTABLE, "--installed",
                                        fs::path(QUENDRILL_DATA_BAR).parent_path().string(),
                                        "--data", (root / "data").string(), "--headless", "--clock", "0",
                                        "--frames", std::to_string(frames), "--input", (root / "script.txt").string()};
  for (const std::string& shot : screenshots) {
    arguments.push_back("--screenshot");
    arguments.push_back(shot + ":" + (root / (shot + ".png")).string());
  }
  const e2e::ProgramResult run = e2e::runProgram(arguments, {}, 120000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  return {run.output, root};
}

// Where a line stands in the log; npos when it is not there.
size_t at(const std::string& log, const std::string& line) { return log.find(line); }

TEST(CutsceneRun, TheRoomsStartActionPlaysItsCutsceneAtLoad) {
  const ProgramRun run = play(newGame, {"400", "470"}, 480);
  const std::vector<e2e::StateChange> changes = e2e::stateChanges(run.log);
  ASSERT_FALSE(changes.empty()) << run.log;
  EXPECT_EQ(changes.back().to, 14) << run.log;
  // It starts in the last loading step and runs into play for three seconds.
  const size_t starts = at(run.log, "cGame: cutscene 0 starts");
  const size_t ends = at(run.log, "cGame: cutscene 0 ends");
  ASSERT_NE(starts, std::string::npos) << run.log;
  ASSERT_NE(ends, std::string::npos) << run.log;
  EXPECT_LT(starts, at(run.log, "cGame: GameState 4 -> 14"));
  EXPECT_GT(ends, at(run.log, "Harness: frame 400 written"));
  EXPECT_LT(ends, at(run.log, "Harness: frame 470 written"));
  // Mid-way: the camera on its way over the valley, the opening line shown.
  e2e::expectMatchesGolden(run.root / "400.png", "room0_opening.png");
  // After it the camera is back with the player.
  e2e::expectMatchesGolden(run.root / "470.png", "room0_after_opening.png");
  fs::remove_all(run.root);
}

TEST(CutsceneRun, TheLeftSoftkeySkipsTheOpening) {
  const ProgramRun run = play(std::string(newGame) + "395 key down F1\n396 key up F1\n", {"398", "470"}, 480);
  const size_t ends = at(run.log, "cGame: cutscene 0 ends");
  ASSERT_NE(ends, std::string::npos) << run.log;
  EXPECT_LT(ends, at(run.log, "Harness: frame 398 written")) << run.log;
  // The skip took the key: the in-game menu did not open.
  EXPECT_EQ(e2e::stateChanges(run.log).back().to, 14) << run.log;
  e2e::expectMatchesGolden(run.root / "470.png", "room0_after_skip.png");
  fs::remove_all(run.root);
}

}  // namespace

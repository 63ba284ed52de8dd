// The player walked through the real input path: a new game into room 0,
// the pad's up arrow held by the pen, and the player walks up from the
// canal's edge until the lock's wall stops him.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/e2e/ProgramProcess.h"

namespace {

namespace fs = std::filesystem;

// The sound question, the title, a new game; the opening cutscene ends by
// frame 470; then the pen holds the pad's up arrow.
constexpr const char* script =
    "200 tap 400 255\n"
    "270 tap 400 240\n"
    "340 tap 400 135\n"
    "480 pen down 130 295\n"
    "598 pen up 130 295\n";

struct Where {
  int x = 0;
  int y = 0;
};

std::map<int, Where> focusPositions(const std::string& log) {
  std::map<int, Where> out;
  const std::string marker = "Harness: frame ";
  for (size_t at = log.find(marker); at != std::string::npos; at = log.find(marker, at + 1)) {
    int frame = 0;
    Where where;
    if (std::sscanf(log.c_str() + at + marker.size(), "%d: the focus character stands at %d,%d", &frame, &where.x,
                    &where.y) == 3)
      out[frame] = where;
  }
  return out;
}

TEST(WalkRun, ThePadWalksThePlayerUpUntilTheWallStopsHim) {
  std::string pattern = (fs::temp_directory_path() / "walk-run-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  std::ofstream(root / "script.txt") << script;
  const e2e::ProgramResult run = e2e::runProgram(
      {QUENDRILL_EXECUTABLE, "--installed", fs::path(QUENDRILL_DATA_BAR).parent_path().string(), "--data",
       (root / "data").string(), "--headless", "--clock", "0", "--frames", "600", "--input",
       (root / "script.txt").string(), "--where", "478", "--where", "500", "--where", "580", "--where", "595"},
      {}, 120000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  const std::map<int, Where> at = focusPositions(run.output);
  ASSERT_EQ(at.size(), 4u) << run.output;
  const Where start = at.at(478), walking = at.at(500), late = at.at(580), last = at.at(595);
  EXPECT_LT(walking.y, start.y) << "the held arrow walks him up";
  EXPECT_EQ(late.y, last.y) << "the wall holds him";
  EXPECT_EQ(late.x, last.x);
  // The lock's wall is the collision row 13 (y 416..447): he stands below it.
  EXPECT_GE(last.y, 448);
  EXPECT_LT(last.y, start.y);
  fs::remove_all(root);
}

}  // namespace

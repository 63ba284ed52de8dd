// The whole game in one run, from a fresh data folder: a new game, then each
// chapter's own script (tests/e2e/scripts/chapter<K>.txt) in turn, every one
// ending on the results screen's touch that loads the next chapter, and the
// next one's lines counted from its room's first played frame. After chapter
// 10 the credits come.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// The frame of a script's last line (counted from its last wait).
int lastFrame(const std::string& script) {
  int last = 0;
  for (size_t at = 0; at < script.size();) {
    const size_t end = std::min(script.find('\n', at), script.size());
    const std::string line = script.substr(at, end - at);
    if (!line.empty() && line[0] >= '0' && line[0] <= '9') last = std::stoi(line);
    at = end + 1;
  }
  return last;
}

TEST(Playthrough, WholeGame) {
  e2e::Playthrough play("whole-game");
  std::string script = e2e::menusToChapter(1, false);
  std::vector<std::string> expected;
  for (int chapter = 1; chapter <= 10; ++chapter) {
    const std::string part = e2e::chapterScript(chapter);
    script += part;
    expected.push_back("chapter " + std::to_string(chapter) + " is chosen");
    if (chapter < 10) {
      expected.push_back("chapter " + std::to_string(chapter) + " done; " + std::to_string(chapter + 1) + " open");
      // The next chapter's lines count from its room.
      script += std::to_string(lastFrame(part) + 1) + " wait state 14\n";
    } else {
      expected.push_back("chapter 10 done");
      // The credits.
      script += std::to_string(lastFrame(part) + 1) + " wait state 16\n";
    }
  }
  // A little of the credits, then the window is closed.
  script += "30 close\n";

  const e2e::ProgramResult run = play.run(script, 31000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, expected));
  // Every wait was met: each chapter's results screen, each next room (the
  // menus' first one too), and after chapter 10 the credits.
  const auto count = [](const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  for (const char* state : {"14", "15", "16"}) {
    EXPECT_EQ(count(run.output, std::string("GameState ") + state + ", the script goes on"),
              count(script, std::string(" wait state ") + state + "\n"))
        << "a wait for GameState " << state << " was never met";
  }
  EXPECT_EQ(count(run.output, "GameState 16, the script goes on"), 1) << "no credits";
  // Each room is entered with the supplies the chapters' own tests start
  // with.
  int chapter = 0;
  for (const std::string& line : e2e::milestones(run.output)) {
    int partner = 0;
    std::array<int, 3> brought{};
    if (std::sscanf(line.c_str(), "chapter %d is chosen", &chapter) == 1) continue;
    if (std::sscanf(line.c_str(), "partner %d brings supplies %d %d %d", &partner, &brought[0], &brought[1],
                    &brought[2]) != 4 || partner < 0 || partner > 1)
      continue;
    const std::array<int, 6> table = e2e::suppliesInto(chapter);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(brought[size_t(i)], table[size_t(3 * partner + i)])
          << "chapter " << chapter << ", partner " << partner << ", item " << i + 1;
  }
}

}  // namespace

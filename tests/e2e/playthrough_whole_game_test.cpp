// The whole game in one run, from a fresh data folder: a new game, then each
// chapter's own script (tests/e2e/scripts/chapter<K>.txt) in turn, every one
// ending on the results screen's touch that loads the next chapter, and the
// next one's lines counted from its room's first played frame. After chapter
// 10 the credits come.
//
// For now the chapters' scripts arrive one by one: the run stops at the first
// chapter that has no script yet (the chapters after it are not played even
// when theirs exist, as each starts where the one before it left the game).
// Once all ten exist, that stop goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

std::filesystem::path scriptOf(int chapter) {
  return std::filesystem::path(QUENDRILL_E2E_GOLDEN_DIR).parent_path() / "scripts" /
         ("chapter" + std::to_string(chapter) + ".txt");
}

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
  int played = 0;
  for (int chapter = 1; chapter <= 10 && std::filesystem::exists(scriptOf(chapter)); ++chapter) {
    const std::string part = e2e::chapterScript(chapter);
    script += part;
    played = chapter;
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
  ASSERT_GE(played, 1) << scriptOf(1) << " is missing";
  if (played < 10) expected.push_back("chapter " + std::to_string(played + 1) + " is chosen");
  // A little of what comes next (the next room, or the credits), then the
  // window is closed.
  script += "30 close\n";

  const e2e::ProgramResult run = play.run(script, 1000 + 3000 * played);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, expected)) << played << " chapters played";
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
  if (played == 10) {
    EXPECT_EQ(count(run.output, "GameState 16, the script goes on"), 1) << "no credits";
  }
}

}  // namespace

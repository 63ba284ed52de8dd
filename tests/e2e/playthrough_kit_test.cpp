// The playthroughs' own kit: a saved game it writes is the game's, and its
// way through the menus reaches the chapter asked for.
#include <gtest/gtest.h>

#include "tests/e2e/Playthrough.h"

namespace {

TEST(PlaythroughKit, TheMenusReachTheChapterASavedGameOpens) {
  // A list that scrolls, and lists of every size that fits.
  const struct {
    int chapter, open;
  } cases[] = {{6, 10}, {2, 2}, {3, 4}};
  for (const auto& c : cases) {
    e2e::Playthrough play("playthrough-kit");
    play.openChapters(c.open);
    const e2e::ProgramResult run = play.run(e2e::menusToChapter(c.chapter, true, c.open) + "3 close\n", 3000);
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    // The chapter list (GameState 6), the loading, the room.
    const std::string chosen = "chapter " + std::to_string(c.chapter) + " is chosen";
    EXPECT_TRUE(e2e::inOrder(run.output, {"GameState 5 -> 6", chosen, "GameState 6 -> 4", "GameState 4 -> 14"}))
        << c.chapter << " of " << c.open;
    EXPECT_EQ(run.output.find("is refused"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("GameState 14, the script goes on"), std::string::npos) << run.output;
  }
}

TEST(PlaythroughKit, MilestonesMustComeInOrder) {
  const std::string log = "cGame: line 3\nother\ncGame: door 7 opens\ncGame: line 4\n";
  EXPECT_TRUE(e2e::inOrder(log, {"line 3", "door 7", "line 4"}));
  EXPECT_FALSE(e2e::inOrder(log, {"door 7", "line 3"}));
  EXPECT_FALSE(e2e::inOrder(log, {"line 5"}));
}

}  // namespace

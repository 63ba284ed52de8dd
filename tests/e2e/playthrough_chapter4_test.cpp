// Chapter 4, the Drowned Orchard, played from the play menu to its results:
// the title card, the opening over the dam, the goal told by Pip and the
// heroes, the Murkling that watches the way down chased off (its fall arms
// Pip's run), Pip finding the dam's peg, the peg taken (the flag trigger
// breaks the dam), the leader's alarm and his fall under Bram's lantern, the
// chapter's end and the results, with chapter 5 opened in the saved game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// The chapter's script is tests/e2e/scripts/chapter4.txt. Pad arrows: right
// (200, 365), left (60, 365), down (130, 435). OK button (620, 390). A
// conversation line is dismissed by a tap on its box (400, 380); the title
// card and the end screen take a touch anywhere (400, 240).

TEST(Playthrough, Chapter4) {
  e2e::Playthrough play("chapter4");
  play.openChapters(4);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(4, true) + e2e::chapterScript(4), 3000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "GameState 6 -> 4",  // from the play menu
                                           "cutscene 1 starts",  // the title card
                                           "GameState 4 -> 14",
                                           "cutscene 0 starts",  // the opening, after the card
                                           "cutscene 0 ends",
                                           "cutscene 3 starts",  // the goal
                                           "line 2",
                                           "line 7",
                                           "cutscene 2 starts",  // the leader's orders
                                           "cutscene 4 starts",  // Pip asks for the watcher to go
                                           "line 12",
                                           "line 23",
                                           "cutscene 2 starts",  // the orders again
                                           "cutscene 5 starts",  // the watcher fell: Pip finds the peg
                                           "line 25",
                                           "line 13",
                                           "cutscene 2 starts",
                                           "item 1: 0 held",     // the peg
                                           "cutscene 6 starts",  // the dam breaks
                                           "line 17",
                                           "line 20",
                                           "cutscene 6 ends",
                                           "chapter 4 done; 5 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           "chapter 5 is chosen",  // the results screen goes on
                                       }));
  // Pip goes once, the peg is taken once, and the dam breaks once.
  const std::vector<std::string> seen = e2e::milestones(run.output);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "item 1: 0 held"), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "cutscene 5 starts"), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "cutscene 6 starts"), 1);

  // The saved game now offers chapter 5.
  EXPECT_EQ(play.savedChaptersOpen(), 5);

  e2e::expectMatchesGolden(play.shot("to_the_peg"), "chapter4_to_the_peg.png");
  e2e::expectMatchesGolden(play.shot("dam_breaks"), "chapter4_dam_breaks.png");
  e2e::expectMatchesGolden(play.shot("fight"), "chapter4_fight.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter4_results.png");
}

}  // namespace

namespace {

// Bram lets the leader beat him: the game-over choice's Yes (touched)
// puts the room back as it was at the checkpoint on the way down, before
// the peg, and the chapter is played on from there to its results.
TEST(Playthrough, Chapter4RetriesFromTheCheckpoint) {
  e2e::Playthrough play("chapter4-retry");
  play.openChapters(4);
  std::string script = e2e::menusToChapter(4, true) +
                       e2e::scriptUntil(e2e::chapterScript(4), "# -- the leader's fight");
  // No lantern: the leader wins and the game-over choice comes; its Yes,
  // then where Bram stands.
  script += "1474 tap 200 440\n1484 where\n";
  // From the checkpoint: down to the brook, left to the peg, take it again;
  // Bram's line and Wren's as the dam gives way.
  script += "1534 pen down 130 435\n1544 pen up 130 435\n1554 pen down 60 365\n1564 pen up 60 365\n";
  script += "1574 tap 620 390\n1604 tap 400 380\n1724 tap 400 380\n";
  // The fight, the lantern again and again until the leader falls; then
  // the end screen.
  for (int frame = 1774; frame <= 1954; frame += 5) script += std::to_string(frame) + " tap 620 390\n";
  script += "2004 tap 400 240\n";
  const e2e::ProgramResult run = play.run(script, 2600);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "item 1: 0 held",
                                           "cutscene 6 starts",
                                           "cutscene 6 ends",
                                           "the room is restored from its snapshot",
                                           "item 1: 0 held",  // the peg again: it was not yet taken
                                           "cutscene 6 starts",
                                           "cutscene 6 ends",
                                           "chapter 4 done; 5 open",
                                           "GameState 4 -> 15",
                                       }));
  // The retry starts on the free column between the ladder and the brook,
  // where the checkpoint lies, not where the chapter began.
  const std::string where = ": the focus character stands at ";
  const size_t at = run.output.find(where);
  ASSERT_NE(at, std::string::npos) << run.output;
  int x = 0, y = 0;
  ASSERT_EQ(std::sscanf(run.output.c_str() + at + where.size(), "%d,%d", &x, &y), 2);
  EXPECT_GE(x, 992);
  EXPECT_LE(x, 1088);
  EXPECT_GE(y, 536);
  EXPECT_LE(y, 664);
}

}  // namespace

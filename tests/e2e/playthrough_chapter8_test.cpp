// Chapter 8, the Weir Tower, played from the play menu to its results: the
// opening sets the goal, the tower's plan is studied in its close-up (the
// door gear, then the map scrap behind it), the wedge is named and the
// leader wakes to guard the door on his beat; Bram slips to the door while
// the leader's back is turned, Tilda and Wren tell how to free the gate,
// its timing gauge is missed once and then hit, Tilda calls him in, the leader's question about the bell is
// answered wrong and then right, the closing narration tells of the way on,
// and the chapter's end opens chapter 9. A second run is caught by the
// leader and starts again from the checkpoint at the sign.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/Playthrough.h"

namespace {

TEST(Playthrough, Chapter8) {
  e2e::Playthrough play("chapter8");
  play.openChapters(8);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(8, true) + e2e::chapterScript(8), 3000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "GameState 6 -> 4",
                                           "cutscene 0 starts",  // the opening
                                           "GameState 4 -> 14",
                                           "line 2",  // Hesk: the gears are stuck
                                           "line 4",
                                           "cutscene 0 ends",
                                           "line 5",  // the plan's close-up opens
                                           "line 6",  // the door gear
                                           "item 2: 1 held",  // the map scrap
                                           "cutscene 1 starts",  // the wedge is named
                                           "line 9",
                                           "line 21",  // Tilda: the leader guards the door
                                           "line 23",  // Bram: he can wait
                                           "line 34",  // Wren: watch which way he looks
                                           "cutscene 1 ends",
                                           "cutscene 2 starts",  // at the door: how to knock it free
                                           "line 10",
                                           "line 36",
                                           "cutscene 3 starts",  // the gate stands open
                                           "line 25",
                                           "cutscene 4 starts",  // through the door
                                           "line 14",  // the leader
                                           "line 15",  // Bram's lantern
                                           "line 27",  // the leader's question
                                           "answer 0 (wrong)",
                                           "line 33",  // Hesk's reminder
                                           "line 27",
                                           "answer 1 (right)",
                                           "line 31",  // the leader lets the bell go
                                           "line 35",  // Bram: a quiet home for it
                                           "item 1: 1 held",  // the bell
                                           "line 18",
                                           "cutscene 7 ends",
                                           "cutscene 8 starts",  // the closing narration
                                           "cutscene 9 starts",  // the chapter's end
                                           "chapter 8 done; 9 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           "chapter 9 is chosen",  // the results screen goes on
                                       }));
  // Slipping past unseen: no catch on the way.
  EXPECT_EQ(run.output.find("the room is restored from its snapshot"), std::string::npos);

  e2e::expectMatchesGolden(play.shot("plan"), "chapter8_plan.png");
  e2e::expectMatchesGolden(play.shot("gauge"), "chapter8_gauge.png");
  e2e::expectMatchesGolden(play.shot("ask"), "chapter8_ask.png");
  e2e::expectMatchesGolden(play.shot("bell"), "chapter8_bell.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter8_results.png");
}

// Walking to the door while the leader faces it: he spots Bram, the catch
// ends in the game-over screen, and "try again" starts the room from the
// checkpoint at the sign, before the plan was read.
TEST(Playthrough, Chapter8CaughtByTheLeader) {
  e2e::Playthrough play("chapter8caught");
  play.openChapters(8);
  const std::string room = e2e::scriptUntil(e2e::chapterScript(8), "# The leader has just turned east");
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(8, true) + room +
                                              "535 pen down 200 365\n545 pen up 200 365\n"
                                              "570 tap 400 400\n600 tap 400 400\n700 tap 200 440\n",
                                          1400);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {"cutscene 1 ends", "the room is restored from its snapshot"}));
}

}  // namespace

// Chapter 8, the Weir Tower, played from the play menu to its results: the
// opening sets the goal, the tower's plan is studied in its close-up (the
// door gear, then the map scrap behind it), the wedge is named and the
// leader wakes and spots the heroes, the door gate's timing gauge is missed
// once and then hit, the doorway leads into the bell scene, the closing
// narration tells of the way on, and the chapter's end opens chapter 9.
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
                                           "cutscene 1 ends",
                                           "cutscene 2 starts",  // through the door
                                           "line 14",  // the leader
                                           "line 15",  // Bram's lantern
                                           "item 1: 1 held",  // the bell
                                           "line 18",
                                           "cutscene 2 ends",
                                           "cutscene 3 starts",  // the closing narration
                                           "cutscene 4 starts",  // the chapter's end
                                           "chapter 8 done; 9 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           "chapter 9 is chosen",  // the results screen goes on
                                       }));

  e2e::expectMatchesGolden(play.shot("plan"), "chapter8_plan.png");
  e2e::expectMatchesGolden(play.shot("gauge"), "chapter8_gauge.png");
  e2e::expectMatchesGolden(play.shot("bell"), "chapter8_bell.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter8_results.png");
}

}  // namespace

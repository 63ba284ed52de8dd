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

// Frames are the harness's; the run is exact under the fixed clock.
constexpr const char* script =
    // The sound question, the title, the main menu's chapters row; seven
    // steps down the play menu put chapter 8 on its bottom row.
    "200 tap 400 255\n"
    "270 tap 400 240\n"
    "340 tap 400 135\n"
    "420 tap 400 410\n"
    "428 tap 400 410\n"
    "436 tap 400 410\n"
    "444 tap 400 410\n"
    "452 tap 400 410\n"
    "460 tap 400 410\n"
    "468 tap 400 410\n"
    "480 tap 400 345\n"
    // The opening's three lines (Hesk, Tilda, Wren).
    "630 tap 400 400\n"
    "660 tap 400 400\n"
    "690 tap 400 400\n"
    // A step left to the signboard, the hand button: the plan's close-up.
    "720 pen down 60 365\n"
    "728 pen up 60 365\n"
    "740 tap 620 390\n"
    // Its line; the door gear (reveals the scrap); the gear's line; the
    // scrap, which leaves the view.
    "780 tap 400 400\n"
    "800 tap 350 250\n"
    "830 tap 400 400\n"
    "850 tap 490 258\n"
    // Hesk and Tilda name the wedge.
    "880 tap 400 400\n"
    "910 tap 400 400\n"
    // Right to the door; the leader spots Bram on the way ("spotted",
    // "run"); after his captions the hand button opens the gauge.
    "935 pen down 200 365\n"
    "945 pen up 200 365\n"
    "1000 tap 620 390\n"
    // Too early (the bar near 40), then high (near 116).
    "1009 tap 544 235\n"
    "1058 tap 544 235\n"
    // The gate stands open: up into the doorway.
    "1100 pen down 130 295\n"
    "1106 pen up 130 295\n"
    // The bell scene's six lines (the leader's among them, once he has
    // followed the heroes in); the closing narration; the chapter's end,
    // whose results follow.
    "1125 tap 400 400\n"
    "1250 tap 400 400\n"
    "1275 tap 400 400\n"
    "1350 tap 400 400\n"
    "1375 tap 400 400\n"
    "1400 tap 400 400\n"
    "1470 tap 400 240\n"
    "1510 tap 400 240\n";

TEST(Playthrough, Chapter8) {
  e2e::Playthrough play("chapter8");
  play.openChapters(8);
  const e2e::ProgramResult run =
      play.run(script, 1615, {{845, "plan"}, {1050, "gauge"}, {1250, "bell"}, {1605, "results"}});
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
                                       }));

  e2e::expectMatchesGolden(play.shot("plan"), "chapter8_plan.png");
  e2e::expectMatchesGolden(play.shot("gauge"), "chapter8_gauge.png");
  e2e::expectMatchesGolden(play.shot("bell"), "chapter8_bell.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter8_results.png");
}

}  // namespace

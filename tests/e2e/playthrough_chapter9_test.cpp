// Chapter 9, the Deep Cistern, played from the play menu to its results:
// Alder sets the goal (and says more when asked); Bram lifts the Murklings'
// crate and throws it, picks up the map's other half that lay under it,
// pushes the sluice stone into its socket and walks into the floodboard,
// which slides home; past the checkpoint a darting Murkling catches him once
// and the retry starts from it; then he waits for the dart to pass, turns
// the valve, the Murkling King shows himself and runs, and the chapter's end
// opens chapter 10.
#include <gtest/gtest.h>

#include "tests/e2e/Playthrough.h"

TEST(Playthrough, Chapter9) {
  e2e::Playthrough play("chapter9");
  play.openChapters(9);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(9, true) + e2e::chapterScript(9), 2140);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "chapter 9 is chosen",
                                           "cutscene 0 starts",  // the opening's pan
                                           "GameState 4 -> 14",
                                           "cutscene 9 starts",  // Alder's goal
                                           "line 2",
                                           "line 8",
                                           "cutscene 1 starts",  // Alder, talked to
                                           "line 7",
                                           "cutscene 2 starts",  // the crate has broken
                                           "line 25",
                                           "item 1: 1 held",  // the map's other half
                                           "cutscene 10 starts",
                                           "line 10",
                                           "cutscene 3 starts",  // the stone is in its socket
                                           "line 11",
                                           "cutscene 4 starts",  // the floodboard has slid home
                                           "line 13",
                                           "cutscene 6 starts",  // a Murkling darts into Bram
                                           "line 24",
                                           "the room is restored from its snapshot",
                                           "cutscene 7 starts",  // the valve turns
                                           "line 15",
                                           "line 17",  // the King
                                           "line 20",
                                           "line 22",
                                           "cutscene 8 starts",  // the chapter's end
                                           "chapter 9 done; 10 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           "chapter 10 is chosen",
                                           "GameState 15 -> 4",
                                       }));

  e2e::expectMatchesGolden(play.shot("stone"), "chapter9_stone.png");
  e2e::expectMatchesGolden(play.shot("dart"), "chapter9_dart.png");
  e2e::expectMatchesGolden(play.shot("king"), "chapter9_king.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter9_results.png");
}

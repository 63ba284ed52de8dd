// Chapter 9, the Deep Cistern, played from the play menu to its results:
// Alder sets the goal (her gate opens only for the whole map) and Bram gets
// Marrow's half; he lifts the Murklings' crate and throws it, picks up the
// map's other half that lay under it, puts the two together in the satchel,
// talks to Alder, and uses the map at her gate; through it Alder asks where
// the stone goes (answered wrong once, then right) and reads on (the view
// runs to the valve and the Murklings' holes); he pushes the
// sluice stone into its socket and walks into the floodboard, which slides
// home; Wren spots the Murklings in the water; past the checkpoint a darting
// Murkling catches him once and the retry starts from it; then he waits for
// the dart to pass, turns the valve, the Murkling King shows himself and
// runs, and the chapter's end opens chapter 10.
#include <gtest/gtest.h>

#include "tests/e2e/Playthrough.h"

TEST(Playthrough, Chapter9) {
  e2e::Playthrough play("chapter9");
  play.openChapters(9);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(9, true) + e2e::chapterScript(9), 2800);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "chapter 9 is chosen",
                                           "cutscene 0 starts",  // the opening's pan
                                           "GameState 4 -> 14",
                                           "cutscene 9 starts",  // Alder's goal
                                           "line 2",
                                           "line 29",
                                           "item 4: 1 held",  // Marrow's half of the map
                                           "cutscene 2 starts",  // the crate has broken
                                           "line 25",
                                           "item 5: 1 held",  // the half under the crate
                                           "cutscene 10 starts",
                                           "line 30",
                                           "item 5 used",  // the two halves combined
                                           "item 4 used",
                                           "item 6: 1 held",  // the cistern map
                                           "cutscene 1 starts",  // Alder, talked to
                                           "line 37",
                                           "choice 0",  // the map at Alder's gate
                                           "item 6 used",
                                           "door 14 opens",
                                           "cutscene 11 starts",  // Alder takes the map
                                           "line 39",  // where does the stone go?
                                           "answer 1 (wrong)",
                                           "cutscene 14 starts",  // she points at the walk
                                           "line 43",
                                           "answer 0 (right)",
                                           "cutscene 13 starts",  // she reads on
                                           "line 32",
                                           "line 33",
                                           "line 34",
                                           "cutscene 3 starts",  // the stone is in its socket
                                           "line 11",
                                           "cutscene 4 starts",  // the floodboard has slid home
                                           "line 13",
                                           "cutscene 12 starts",  // Wren sees the Murklings
                                           "line 35",
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

  e2e::expectMatchesGolden(play.shot("gate"), "chapter9_gate.png");
  e2e::expectMatchesGolden(play.shot("question"), "chapter9_question.png");
  e2e::expectMatchesGolden(play.shot("mapread"), "chapter9_mapread.png");
  e2e::expectMatchesGolden(play.shot("stone"), "chapter9_stone.png");
  e2e::expectMatchesGolden(play.shot("dart"), "chapter9_dart.png");
  e2e::expectMatchesGolden(play.shot("king"), "chapter9_king.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter9_results.png");
}

// Chapter 7, the Sluice Gardens, played from the play menu to its results:
// the side-view climb with the pad over the footbridges, Bram's voice from
// below, a lurking Murkling that catches Wren past the checkpoint, the retry
// from that checkpoint with the channels' water taking its toll, the handle
// found at the top sluice and the sluice's question, answered wrong, then
// with Bram's rhyme.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// The chapter's script is tests/e2e/scripts/chapter7.txt. Pad arrows: left
// (60, 365), right (200, 365). A conversation line is dismissed by a tap on
// its box (400, 380); "Try again?" takes its Yes at (200, 440); the
// question's answers stand at (392, 225 / 322 / 419).

TEST(Playthrough, Chapter7) {
  e2e::Playthrough play("chapter7");
  play.openChapters(7);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(7, true) + e2e::chapterScript(7), 2000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "GameState 6 -> 4",
                                           // The goal (queued as the room loads), then Bram sees Wren off
                                           // and teaches her how the stiff sluice opens.
                                           "line 1",
                                           "GameState 4 -> 14",
                                           "line 2",
                                           "line 3",
                                           "line 8",
                                           "line 11",
                                           "line 12",
                                           // Over the first footbridge: Bram calls up about the Murkling.
                                           "line 13",
                                           "line 14",
                                           // On the third bridge: the millstones, then the checkpoint.
                                           "line 15",
                                           "line 10",
                                           // Caught, and back at the checkpoint, with the lines already said.
                                           "the room is restored from its snapshot",
                                           // Off the footbridges the channels' water hurts.
                                           "cutscene 3 starts",
                                           // The top sluice: the handle, the question, a wrong answer.
                                           "cutscene 0 starts",
                                           "item 1: 1 held",
                                           "line 7",
                                           "line 4",
                                           "line 16",
                                           "answer 0 (wrong)",
                                           "line 20",
                                           "line 16",
                                           // Latch, turn, pull: it opens.
                                           "answer 1 (right)",
                                           "line 5",
                                           "line 6",
                                           "line 9",
                                           "chapter 7 done; 8 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           "chapter 8 is chosen",  // the results screen goes on
                                       }));
  // The retry starts after the checkpoint's line, which is not said again.
  const std::vector<std::string> said = e2e::milestones(run.output);
  EXPECT_EQ(std::count(said.begin(), said.end(), "line 10"), 1);
  EXPECT_EQ(std::count(said.begin(), said.end(), "line 15"), 1);
  // Steered over the first three footbridges, Wren stays dry until the
  // retry's unsteered run up the right side: three channels soak her there.
  const auto retry = std::find(said.begin(), said.end(), "the room is restored from its snapshot");
  EXPECT_EQ(std::count(said.begin(), retry, "cutscene 3 starts"), 0);
  EXPECT_EQ(std::count(retry, said.end(), "cutscene 3 starts"), 3);
  // Spawners and lurkers play only what their sheets hold.
  EXPECT_EQ(run.output.find("array index OOB"), std::string::npos);

  e2e::expectMatchesGolden(play.shot("opening"), "chapter7_opening.png");
  e2e::expectMatchesGolden(play.shot("checkpoint"), "chapter7_checkpoint.png");
  e2e::expectMatchesGolden(play.shot("caught"), "chapter7_caught.png");
  e2e::expectMatchesGolden(play.shot("question"), "chapter7_question.png");
  e2e::expectMatchesGolden(play.shot("top"), "chapter7_top.png");
}

}  // namespace

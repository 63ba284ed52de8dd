// Chapter 7, the Sluice Gardens, played from the play menu to its results:
// the side-view climb with the pad, a lurking Murkling that catches Wren
// past the checkpoint, the retry from that checkpoint, and the handle found
// at the top sluice.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// Frames of the fixed clock (62 ms each). The run is deterministic: the
// pad's holds are timed against the camera's climb of 8 px a frame.
constexpr const char* script =
    "# the sound question, the title, the main menu's chapters\n"
    "200 tap 400 255\n"
    "270 tap 400 240\n"
    "340 tap 400 135\n"
    "# down six rows to chapter 7, then choose it\n"
    "400 tap 400 410\n"
    "410 tap 400 410\n"
    "420 tap 400 410\n"
    "430 tap 400 410\n"
    "440 tap 400 410\n"
    "450 tap 400 410\n"
    "470 tap 400 345\n"
    "# the opening lines: the goal, Bram, Wren, how to steer\n"
    "560 tap 400 380\n"
    "580 tap 400 380\n"
    "600 tap 400 380\n"
    "620 tap 400 380\n"
    "# left to the first footbridge, then right to the second\n"
    "622 pen down 60 365\n"
    "642 pen up 60 365\n"
    "667 pen down 200 365\n"
    "675 pen up 200 365\n"
    "# past the third bridge Wren says where the checkpoint is; then a step\n"
    "# to the left, into the lurking Murkling, which catches her; try again\n"
    "735 tap 400 380\n"
    "752 pen down 60 365\n"
    "756 pen up 60 365\n"
    "832 tap 200 440\n"
    "# back at the checkpoint: this time right, round the Murkling; at the\n"
    "# top left again, over the last footbridge to the sluice\n"
    "842 pen down 200 365\n"
    "850 pen up 200 365\n"
    "907 pen down 60 365\n"
    "919 pen up 60 365\n"
    "# at the top sluice: the handle, five lines, then the chapter's end\n"
    "985 tap 400 380\n"
    "1005 tap 400 380\n"
    "1025 tap 400 380\n"
    "1045 tap 400 380\n"
    "1065 tap 400 380\n"
    "1090 tap 400 240\n";

TEST(Playthrough, Chapter7) {
  e2e::Playthrough play("chapter7");
  play.openChapters(7);
  const e2e::ProgramResult run =
      play.run(script, 1130, {{610, "opening"}, {725, "checkpoint"}, {831, "caught"}, {1035, "top"}});
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "GameState 6 -> 4",
                                           // The goal (queued as the room loads), then Bram sees Wren off.
                                           "line 1",
                                           "GameState 4 -> 14",
                                           "line 2",
                                           "line 3",
                                           "line 8",
                                           // Past the third bridge: the checkpoint.
                                           "line 10",
                                           // Caught, and back at the checkpoint, with the line already said.
                                           "the room is restored from its snapshot",
                                           // The top sluice opens.
                                           "cutscene 0 starts",
                                           "item 1: 1 held",
                                           "line 7",
                                           "line 4",
                                           "line 5",
                                           "line 6",
                                           "line 9",
                                           "chapter 7 done; 8 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                       }));
  // The retry starts after the checkpoint's line, which is not said again.
  const std::vector<std::string> said = e2e::milestones(run.output);
  EXPECT_EQ(std::count(said.begin(), said.end(), "line 10"), 1);
  // Spawners and lurkers play only what their sheets hold.
  EXPECT_EQ(run.output.find("array index OOB"), std::string::npos);

  e2e::expectMatchesGolden(play.shot("opening"), "chapter7_opening.png");
  e2e::expectMatchesGolden(play.shot("checkpoint"), "chapter7_checkpoint.png");
  e2e::expectMatchesGolden(play.shot("caught"), "chapter7_caught.png");
  e2e::expectMatchesGolden(play.shot("top"), "chapter7_top.png");
}

}  // namespace

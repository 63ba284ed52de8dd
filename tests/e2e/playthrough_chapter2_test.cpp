// Chapter 2, the Reedmarsh crossing, played from the play menu to the
// results: Wren's side-view run up the boardwalk, the Murklings that creep
// across it, the halfway post that keeps the checkpoint, one defeat and the
// retry from that post, the dodges, the ferry bell and the lantern that
// answers it, and the third chapter opened in the saved game.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// Frames of the fixed clock (62 ms each). The pad's up arrow is at
// (130, 295); a conversation line is dismissed on its box (400, 380); the
// chapter's closing and the results take a touch anywhere.
constexpr const char* script =
    "# the sound question, the title, the main menu's chapters row\n"
    "200 tap 400 255\n"
    "270 tap 400 240\n"
    "340 tap 400 135\n"
    "# the play menu: choose the second chapter, then open it\n"
    "400 tap 400 275\n"
    "420 tap 400 275\n"
    "# the opening lines: the narrator, Wren's goal, Bram's warning\n"
    "470 tap 400 380\n"
    "490 tap 400 380\n"
    "510 tap 400 380\n"
    "# the lower marsh without a dodge: its Murklings and the flung mud sting\n"
    "# Wren three times (70 points left); the halfway post's line\n"
    "800 tap 400 380\n"
    "# past the post the first biting Murkling fells her: try again\n"
    "1000 tap 200 440\n"
    "# from the post: dash past the two biting Murklings before they reach\n"
    "# the planks; at the marsh's head Wren sees the ferry post (a line),\n"
    "# and the view carries her on to it\n"
    "1012 pen down 130 295\n"
    "1020 pen up 130 295\n"
    "1043 pen down 130 295\n"
    "1050 pen up 130 295\n"
    "1070 tap 400 380\n"
    "# the bell's two lines (one of the three taps falls between them), the\n"
    "# chapter's closing, the results\n"
    "1160 tap 400 380\n"
    "1190 tap 400 380\n"
    "1235 tap 400 380\n"
    "1270 tap 400 240\n"
    "1330 tap 400 240\n";

TEST(Playthrough, Chapter2) {
  e2e::Playthrough play("chapter2");
  play.openChapters(2);
  const e2e::ProgramResult run = play.run(
      script, 1420, {{480, "opening"}, {790, "halfway"}, {950, "caught"}, {1225, "bell"}});
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "GameState 6 -> 4",
                                           // The opening line is queued while the room loads.
                                           "line 1",
                                           "GameState 4 -> 14",
                                           "line 2",
                                           "line 3",
                                           "line 5",
                                           "the room is restored from its snapshot",
                                           "line 7",
                                           "cutscene 0 starts",
                                           "line 8",
                                           "line 9",
                                           // The closing opens from inside the bell's scene.
                                           "chapter 2 done; 3 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           // The results lead on into the third chapter.
                                           "GameState 15 -> 4",
                                           "GameState 4 -> 14",
                                       }));
  // The checkpoint is taken once the post's line has been said: the retry
  // does not say it again, and nothing but the bell ends the run.
  const std::vector<std::string> seen = e2e::milestones(run.output);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "line 5"), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "the room is restored from its snapshot"), 1);

  // The saved game now offers the third chapter.
  std::ifstream saved(play.data() / "rms_quendrill.db.rec1.db", std::ios::binary);
  const std::string record((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  ASSERT_GT(record.size(), 7u);
  EXPECT_EQ(int(record[7]), 3);

  e2e::expectMatchesGolden(play.shot("opening"), "chapter2_opening.png");
  e2e::expectMatchesGolden(play.shot("halfway"), "chapter2_halfway.png");
  e2e::expectMatchesGolden(play.shot("caught"), "chapter2_caught.png");
  e2e::expectMatchesGolden(play.shot("bell"), "chapter2_bell.png");
}

}  // namespace

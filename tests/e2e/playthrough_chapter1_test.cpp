// Chapter 1, the Dry Lock at Millrace, played through the real input path
// from a fresh data folder: a new game, Hesk's goal, Pip's riddle answered
// from the lock's sign, the towpath past the Murklings and the lantern that
// chases them off, the key from the reeds, the winch hut's door, the winch
// that opens the lock's gate, the closing narration and the results. The
// saved game then opens chapter 2, and the play menu offers it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/Playthrough.h"

namespace {

// Frames of the fixed clock (62 ms each). The pad's arrows are held by the
// pen (right 200,365; left 60,365; up 130,295; down 130,435), the round
// button at 620,390 talks, takes and opens, a tap on the conversation box
// (400,380) dismisses a line.
constexpr const char* chapter =
    "# the sound question, the title, the main menu's first row: a new game\n"
    "200 tap 400 255\n"
    "270 tap 400 240\n"
    "340 tap 400 135\n"
    "# a step right to Hesk; his goal in four lines\n"
    "480 pen down 200 365\n"
    "485 pen up 200 365\n"
    "495 tap 620 390\n"
    "515 tap 400 380\n"
    "535 tap 400 380\n"
    "555 tap 400 380\n"
    "575 tap 400 380\n"
    "# on past the sign to Pip: two lines, then the riddle; 'Water' is the second answer\n"
    "590 pen down 200 365\n"
    "605 pen up 200 365\n"
    "620 tap 620 390\n"
    "640 tap 400 380\n"
    "660 tap 400 380\n"
    "680 tap 392 322\n"
    "700 tap 400 380\n"
    "720 tap 400 380\n"
    "740 tap 400 380\n"
    "# left to the canal's steps, up through the canal to the mill's wall\n"
    "750 pen down 60 365\n"
    "781 pen up 60 365\n"
    "810 pen down 130 295\n"
    "850 pen up 130 295\n"
    "# east along the towpath until the lantern's light reaches the Murklings\n"
    "855 pen down 200 365\n"
    "876 pen up 200 365\n"
    "900 tap 400 380\n"
    "1015 tap 400 380\n"
    "# down into the reeds: the key\n"
    "1025 pen down 200 365\n"
    "1035 pen up 200 365\n"
    "1040 pen down 130 435\n"
    "1046 pen up 130 435\n"
    "1055 tap 620 390\n"
    "1095 tap 400 380\n"
    "# back up and west to the winch hut's door; use the key: yes\n"
    "1105 pen down 130 295\n"
    "1109 pen up 130 295\n"
    "1112 pen down 60 365\n"
    "1135 pen up 60 365\n"
    "1145 tap 620 390\n"
    "1150 tap 215 265\n"
    "# into the hut: the winch, the gate, three lines\n"
    "1170 pen down 60 365\n"
    "1172 pen up 60 365\n"
    "1180 pen down 130 295\n"
    "1195 pen up 130 295\n"
    "1255 tap 400 380\n"
    "1275 tap 400 380\n"
    "1295 tap 400 380\n"
    "# the closing narration, then the chapter's end\n"
    "1420 tap 400 240\n"
    "1460 tap 400 240\n";

TEST(Playthrough, Chapter1) {
  e2e::Playthrough play("chapter1");
  const e2e::ProgramResult run = play.run(chapter, 1580,
                                          {{679, "riddle"}, {890, "lantern"}, {1220, "gate"}, {1579, "results"}});
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {// the opening starts as the room loads; then Hesk's goal
                                        "cutscene 0 starts", "GameState 4 -> 14", "cutscene 0 ends",
                                        "cutscene 1 starts", "line 2",
                                        "line 28", "line 3",
                                        // Pip's riddle, answered from the sign
                                        "cutscene 2 starts", "line 7", "answer 1 (right)", "cutscene 3 starts",
                                        "line 13", "line 14",
                                        // the lantern chases the Murklings off
                                        "cutscene 7 starts", "line 18", "line 27", "cutscene 7 ends",
                                        // the key, the hut's door
                                        "item 1: 1 held", "cutscene 6 starts", "line 17", "choice 0",
                                        "item 1 used", "door 13 opens",
                                        // the winch, the gate, the last lines and the closing
                                        "cutscene 8 starts", "line 21", "line 22", "line 23", "cutscene 8 ends",
                                        "cutscene 9 starts", "chapter 1 done; 2 open", "GameState 14 -> 4",
                                        "GameState 4 -> 15"}));
  // Nobody was caught on the way.
  EXPECT_EQ(run.output.find("restored from its snapshot"), std::string::npos);

  e2e::expectMatchesGolden(play.shot("riddle"), "chapter1_riddle.png");
  e2e::expectMatchesGolden(play.shot("lantern"), "chapter1_lantern.png");
  e2e::expectMatchesGolden(play.shot("gate"), "chapter1_gate.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter1_results.png");

  // The saved game now opens two chapters (byte 7 of the settings record).
  {
    std::ifstream record(play.data() / "rms_quendrill.db.rec1.db", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(record)), {});
    ASSERT_GE(bytes.size(), 8u) << "no settings record";
    EXPECT_EQ(bytes[7], 2);
  }

  // Started again on that data folder, the main menu offers the chapters and
  // the play menu lists chapter 2 beside chapter 1.
  const e2e::ProgramResult again =
      play.run("200 tap 400 255\n270 tap 400 240\n340 tap 400 135\n", 420, {{419, "play_menu"}});
  EXPECT_EQ(again.exitStatus, 0) << again.output;
  EXPECT_TRUE(e2e::inOrder(again.output, {"GameState 3 -> 5", "GameState 5 -> 6"}));
  e2e::expectMatchesGolden(play.shot("play_menu"), "chapter1_play_menu.png");
}

// The danger: after the riddle, up the canal's steps (the checkpoint) and
// east along the bank's edge, straight into the first Murkling's sight. It
// raises the alarm, the lantern goes out, and "try again" puts Bram back
// where the checkpoint caught him, the Murklings still on watch.
TEST(Playthrough, Chapter1CaughtOnTheBankTriesAgainAtTheCheckpoint) {
  std::string script = chapter;
  script = script.substr(0, script.find("810 pen down"));
  script +=
      "# up the steps only as far as the bank's edge, then east along it\n"
      "810 pen down 130 295\n"
      "825 pen up 130 295\n"
      "835 pen down 200 365\n"
      "855 pen up 200 365\n"
      "# caught: try again\n"
      "1020 tap 200 440\n";
  e2e::Playthrough play("chapter1-caught");
  const e2e::ProgramResult run = play.run(script, 1040, {{980, "caught"}}, {"--where", "856", "--where", "1035"});
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {"answer 1 (right)", "cutscene 3 ends", "the room is restored from its snapshot"}));
  EXPECT_EQ(run.output.find("cutscene 7 starts"), std::string::npos) << "the lantern never reached them";
  EXPECT_NE(run.output.find("frame 856: the focus character stands at 404,208"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("frame 1035: the focus character stands at 208,268"), std::string::npos)
      << "back at the top of the steps: " << run.output;
  e2e::expectMatchesGolden(play.shot("caught"), "chapter1_caught.png");
}

}  // namespace

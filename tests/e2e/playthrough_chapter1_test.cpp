// Chapter 1, the Dry Lock at Millrace, played through the real input path
// from a fresh data folder: a new game, Hesk's goal, Pip's riddle answered
// wrong, then right after reading the lock's sign, the towpath past the Murklings and the lantern that
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
    "# on past the sign to Pip: two lines, then the riddle; 'The wind' is wrong\n"
    "590 pen down 200 365\n"
    "605 pen up 200 365\n"
    "620 tap 620 390\n"
    "640 tap 400 380\n"
    "660 tap 400 380\n"
    "680 tap 392 225\n"
    "700 tap 400 380\n"
    "# back to the lock's sign and read it\n"
    "710 pen down 60 365\n"
    "717 pen up 60 365\n"
    "725 tap 620 390\n"
    "745 tap 400 380\n"
    "# Pip again: 'Water', the second answer\n"
    "755 pen down 200 365\n"
    "762 pen up 200 365\n"
    "770 tap 620 390\n"
    "790 tap 400 380\n"
    "810 tap 400 380\n"
    "830 tap 392 322\n"
    "850 tap 400 380\n"
    "870 tap 400 380\n"
    "890 tap 400 380\n"
    "# left to the canal's steps, up through the canal to the mill's wall\n"
    "900 pen down 60 365\n"
    "931 pen up 60 365\n"
    "960 pen down 130 295\n"
    "1000 pen up 130 295\n"
    "# east along the towpath until the lantern's light reaches the Murklings\n"
    "1005 pen down 200 365\n"
    "1026 pen up 200 365\n"
    "1050 tap 400 380\n"
    "1165 tap 400 380\n"
    "# down into the reeds: the key\n"
    "1175 pen down 200 365\n"
    "1185 pen up 200 365\n"
    "1190 pen down 130 435\n"
    "1196 pen up 130 435\n"
    "1205 tap 620 390\n"
    "1245 tap 400 380\n"
    "# back up and west to the winch hut's door; use the key: yes\n"
    "1255 pen down 130 295\n"
    "1259 pen up 130 295\n"
    "1262 pen down 60 365\n"
    "1285 pen up 60 365\n"
    "1295 tap 620 390\n"
    "1300 tap 215 265\n"
    "# into the hut: the winch, the gate, three lines\n"
    "1320 pen down 60 365\n"
    "1322 pen up 60 365\n"
    "1330 pen down 130 295\n"
    "1345 pen up 130 295\n"
    "1405 tap 400 380\n"
    "1425 tap 400 380\n"
    "1445 tap 400 380\n"
    "# the closing narration, then the chapter's end\n"
    "1570 tap 400 240\n"
    "1610 tap 400 240\n";

TEST(Playthrough, Chapter1) {
  e2e::Playthrough play("chapter1");
  const e2e::ProgramResult run = play.run(chapter, 1730,
                                          {{829, "riddle"}, {1040, "lantern"}, {1370, "gate"}, {1729, "results"}});
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {// the opening starts as the room loads; then Hesk's goal
                                        "cutscene 0 starts", "GameState 4 -> 14", "cutscene 0 ends",
                                        "cutscene 1 starts", "line 2",
                                        "line 28", "line 3",
                                        // Pip's riddle: a wrong answer, the sign, the right answer
                                        "cutscene 2 starts", "line 7", "answer 0 (wrong)", "line 11",
                                        "cutscene 5 starts", "line 16", "cutscene 2 starts", "line 7",
                                        "answer 1 (right)", "cutscene 3 starts",
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
  script = script.substr(0, script.find("960 pen down"));
  script +=
      "# up the steps only as far as the bank's edge, then east along it\n"
      "960 pen down 130 295\n"
      "975 pen up 130 295\n"
      "985 pen down 200 365\n"
      "1005 pen up 200 365\n"
      "# caught: try again\n"
      "1170 tap 200 440\n";
  e2e::Playthrough play("chapter1-caught");
  const e2e::ProgramResult run = play.run(script, 1190, {{1130, "caught"}}, {"--where", "1006", "--where", "1185"});
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {"answer 1 (right)", "cutscene 3 ends", "the room is restored from its snapshot"}));
  EXPECT_EQ(run.output.find("cutscene 7 starts"), std::string::npos) << "the lantern never reached them";
  EXPECT_NE(run.output.find("frame 1006: the focus character stands at 404,208"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("frame 1185: the focus character stands at 208,268"), std::string::npos)
      << "back at the top of the steps: " << run.output;
  e2e::expectMatchesGolden(play.shot("caught"), "chapter1_caught.png");
}

}  // namespace
